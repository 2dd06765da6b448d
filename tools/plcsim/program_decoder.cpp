#include "tools/plcsim/program_decoder.h"

#include <cstdio>
#include <memory>

#include "comm/code_encoder.h"
#include "comm/code_words.h"
#include "core/instruction_set.h"

namespace rs::plcsim {

namespace {

// The devices the controller's code can name. Mode 1 codes X and Y from 0,
// 32 apart, M from 64, T from 304 and C from 320, so there X and Y reach 037,
// M 239, T and C 15 before one device's word is another's.
std::vector<std::string> devices(bool mode2) {
    std::vector<std::string> out;
    const int xy = mode2 ? 256 : 32, m = mode2 ? 256 : 240, tc = mode2 ? 256 : 16;
    char buf[16];
    for (char letter : {'X', 'Y'})
        for (int i = 0; i < xy; ++i) {
            std::snprintf(buf, sizeof buf, "%c%o%o%o", letter, i / 64, i / 8 % 8, i % 8);
            out.push_back(buf);
        }
    for (int i = 0; i < m; ++i) out.push_back("M" + std::to_string(i));
    for (int i = 8000; i < 8256; ++i) out.push_back("M" + std::to_string(i));
    for (char letter : {'T', 'C'})
        for (int i = 0; i < tc; ++i) out.push_back(letter + std::to_string(i));
    if (mode2) {
        for (int i = 0; i < 128; ++i) out.push_back("D" + std::to_string(i));
        for (int i = 1000; i < 2600; ++i) out.push_back("D" + std::to_string(i));
        for (int i = 8000; i < 8256; ++i) out.push_back("D" + std::to_string(i));
    } else {
        for (int i = 0; i < 48; ++i) out.push_back("D" + std::to_string(i));
        for (int i = 8000; i < 8064; ++i) out.push_back("D" + std::to_string(i));
    }
    return out;
}

constexpr const char* kContacts[] = {"LD",  "LDI", "AND",  "ANI",  "OR",  "ORI",
                                     "LDF", "LDP", "ANDF", "ANDP", "ORF", "ORP"};
constexpr const char* kApplications[] = {
    "CMP",  "ZCP",  "MOV",  "SMOV", "CML",  "BMOV", "FMOV", "XCH", "BCD", "BIN", "ADD",  "SUB",
    "MUL",  "DIV",  "INC",  "DEC",  "WAND", "WOR",  "WXOR", "NEG", "ROR", "ROL", "ZRST", "FOR",
    "NEXT", "FEND", "SRET", "IRET", "EI",   "DI",   "WDT",  "RS",  "PRR", "PRW"};

std::vector<uint16_t> valueWords(uint32_t v) {
    if (v < 0xFFFF) return {static_cast<uint16_t>(v)};
    return {static_cast<uint16_t>(v >> 16), static_cast<uint16_t>(v & 0xFFFF)};
}

bool isBit(const std::string& d) {
    return d[0] == 'X' || d[0] == 'Y' || d[0] == 'M' || d[0] == 'T' || d[0] == 'C';
}

}  // namespace

ProgramDecoder::ProgramDecoder(bool mode2) : m_mode2(mode2) {
    const CodeEncoder enc(mode2);
    const std::vector<std::string> all = devices(mode2);
    // The first device of the list keeps a word two devices share.
    for (const std::string& d : all) {
        if (isBit(d))
            for (const char* m : kContacts)
                m_rows.emplace(valueWords(enc.EncodeWord(m, d)), Row{m, d});
        const char l = d[0];
        if (l == 'Y' || (l == 'M')) {
            m_rows.emplace(valueWords(enc.EncodeWord("OUT", d)), Row{"OUT", d});
            if (mode2) {
                m_rows.emplace(valueWords(enc.EncodeWord("SET", d)), Row{"SET", d});
                m_rows.emplace(valueWords(enc.EncodeWord("RST", d)), Row{"RST", d});
            }
        }
        if (l == 'T' || l == 'C') {
            m_rows.emplace(Key{static_cast<uint16_t>(enc.EncodeWord("OUT", d) & 0xFFFF)},
                           Row{"OUT", d, true});
            if (mode2) m_rows.emplace(valueWords(enc.EncodeWord("RST", d)), Row{"RST", d});
        }
        m_operands.emplace(enc.EncodeWord("", d), d);
    }
    for (const char* m : kApplications) m_instructions.emplace(enc.EncodeNoOperand(m), m);
    if (!mode2) {
        m_instructions.emplace(enc.EncodeNoOperand("SET"), "SET");
        m_instructions.emplace(enc.EncodeNoOperand("RST"), "RST");
    }
}

std::vector<eval::ListRow> ProgramDecoder::decode(const std::vector<uint16_t>& words,
                                                  std::string& problem) const {
    std::vector<eval::ListRow> rows;
    const CodeEncoder enc(m_mode2);
    const std::map<uint16_t, std::string> fixed = {{enc.EncodeNoOperand("ORB"), "ORB"},
                                                   {enc.EncodeNoOperand("ANB"), "ANB"},
                                                   {enc.EncodeNoOperand("MPS"), "MPS"},
                                                   {enc.EncodeNoOperand("MRD"), "MRD"},
                                                   {enc.EncodeNoOperand("MPP"), "MPP"}};
    size_t i = 0;
    auto fail = [&](const char* what) {
        char buf[96];
        std::snprintf(buf, sizeof buf, "word %zu (%04X): %s", i, i < words.size() ? words[i] : 0,
                      what);
        problem = buf;
        return rows;
    };
    auto at = [&](size_t k) -> int { return k < words.size() ? words[k] : -1; };
    // One operand: a constant or a device; appended to the row's operand.
    auto operand = [&](std::string& text) {
        std::string piece;
        if (m_mode2) {
            const int a = at(i), b = at(i + 1);
            if (a < 0 || b < 0) return false;
            if ((a & 0xFF) == 0x80 || (a & 0xFF) == 0x82) {
                const int v = (a >> 8) | (b & 0xFF00);
                char buf[16];
                if ((a & 0xFF) == 0x82)
                    std::snprintf(buf, sizeof buf, "H%X", v);
                else
                    std::snprintf(buf, sizeof buf, "K%d", static_cast<int16_t>(v));
                piece = buf;
            } else {
                const auto d =
                    m_operands.find(static_cast<uint32_t>(a) << 16 | static_cast<uint32_t>(b));
                if (d == m_operands.end()) return false;
                piece = d->second;
            }
            i += 2;
        } else {
            const int a = at(i);
            if (a == code::kConstK || a == code::kConstH) {
                const int v = at(i + 1);
                if (v < 0) return false;
                char buf[16];
                if (a == code::kConstH)
                    std::snprintf(buf, sizeof buf, "H%X", v);
                else
                    std::snprintf(buf, sizeof buf, "K%d", static_cast<int16_t>(v));
                piece = buf;
                i += 2;
            } else {
                const auto d = m_operands.find(static_cast<uint32_t>(a));
                if (a < 0 || d == m_operands.end()) return false;
                piece = d->second;
                ++i;
            }
            while (at(i) == code::kOperandEnd) ++i;
        }
        text += (text.empty() ? "" : " ") + piece;
        return true;
    };
    while (i < words.size()) {
        const uint16_t w = words[i];
        if (w == code::endWord(m_mode2)) {
            rows.push_back({"END", ""});
            return rows;
        }
        if (const auto f = fixed.find(w); f != fixed.end()) {
            rows.push_back({f->second, ""});
            ++i;
            continue;
        }
        // In mode 2 OUT T0 and FEND, OUT C0 and CML share a word; the rows a
        // program entered here can hold (never FEND or CML) come first.
        auto found = m_rows.find(Key{w});
        const auto in = m_instructions.find(w);
        if (found == m_rows.end() && in != m_instructions.end()) {
            ++i;
            eval::ListRow row{in->second, ""};
            const int count = classifyInstruction(row.mnemonic, SelOperandCount, m_mode2);
            const int take = row.mnemonic == "SET" || row.mnemonic == "RST" ? 1 : count;
            for (int k = 0; k < take; ++k)
                if (!operand(row.operand)) return fail("an operand that names no device");
            if (!m_mode2)
                while (at(i) == code::kOperandEnd) ++i;
            rows.push_back(row);
            continue;
        }
        if (m_mode2 && w == 0x0D00) {  // RST of a data register
            ++i;
            eval::ListRow row{"RST", ""};
            if (!operand(row.operand)) return fail("RST of no data register");
            rows.push_back(row);
            continue;
        }
        size_t used = 1;
        if (found == m_rows.end() && i + 1 < words.size()) {
            found = m_rows.find(Key{w, words[i + 1]});
            used = 2;
        }
        if (found == m_rows.end()) return fail("a word the controller does not know");
        i += used;
        eval::ListRow row{found->second.mnemonic, found->second.device};
        if (found->second.timer) {
            std::string set;
            if (!operand(set)) return fail("a timer or counter without its set value");
            row.operand += " " + set;
        }
        rows.push_back(row);
    }
    problem = "the program has no END";
    return rows;
}

}  // namespace rs::plcsim

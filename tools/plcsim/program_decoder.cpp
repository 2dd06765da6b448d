#include "tools/plcsim/program_decoder.h"

#include <cstdio>
#include <memory>

#include "core/device/device_ref.h"
#include "tools/plcsim/code_rules.h"

namespace rs::plcsim {

namespace {

// A device the code can name: its text and the letter and number the code
// words are made of.
struct Named {
    std::string text;
    rules::Device device;
};

// The devices the controller's code can name. Mode 1 codes X and Y from 0,
// 32 apart, M from 64, T from 304 and C from 320, so there X and Y reach 037,
// M 239, T and C 15 before one device's word is another's.
std::vector<Named> devices(bool mode2) {
    std::vector<Named> out;
    const uint32_t xy = mode2 ? 256 : 32, m = mode2 ? 256 : 240, tc = mode2 ? 256 : 16;
    auto add = [&](char letter, uint32_t from, uint32_t to) {
        for (uint32_t i = from; i < to; ++i) {
            const int written = device::isOctalLetter(letter)
                                    ? device::octalDigits(static_cast<int>(i))
                                    : static_cast<int>(i);
            out.push_back({device::deviceText(letter, written), {letter, i}});
        }
    };
    add('X', 0, xy);
    add('Y', 0, xy);
    add('M', 0, m);
    add('M', 8000, 8256);
    add('T', 0, tc);
    add('C', 0, tc);
    if (mode2) {
        add('D', 0, 128);
        add('D', 1000, 2600);
        add('D', 8000, 8256);
    } else {
        add('D', 0, 48);
        add('D', 8000, 8064);
    }
    return out;
}

constexpr const char* kContacts[] = {"LD",  "LDI", "AND",  "ANI",  "OR",  "ORI",
                                     "LDF", "LDP", "ANDF", "ANDP", "ORF", "ORP"};

std::vector<uint16_t> valueWords(uint32_t v) {
    if (v < 0xFFFF) return {static_cast<uint16_t>(v)};
    return {static_cast<uint16_t>(v >> 16), static_cast<uint16_t>(v & 0xFFFF)};
}

bool isBit(char l) {
    return l == 'X' || l == 'Y' || l == 'M' || l == 'T' || l == 'C';
}

uint16_t applicationWord(bool mode2, uint16_t mode1, uint16_t mode2Number) {
    return mode2 ? mode2Number : static_cast<uint16_t>(0xF000 + mode1);
}

}  // namespace

ProgramDecoder::ProgramDecoder(bool mode2) : m_mode2(mode2) {
    // The first device of the list keeps a word two devices share.
    for (const Named& named : devices(mode2)) {
        const std::string& d = named.text;
        const rules::Device dev = named.device;
        const char l = dev.letter;
        if (isBit(l))
            for (const char* m : kContacts)
                m_rows.emplace(valueWords(rules::rowWord(mode2, m, dev)), Row{m, d});
        if (l == 'Y' || l == 'M') {
            m_rows.emplace(valueWords(rules::rowWord(mode2, "OUT", dev)), Row{"OUT", d});
            if (mode2) {
                m_rows.emplace(valueWords(rules::rowWord(mode2, "SET", dev)), Row{"SET", d});
                m_rows.emplace(valueWords(rules::rowWord(mode2, "RST", dev)), Row{"RST", d});
            }
        }
        if (l == 'T' || l == 'C') {
            m_rows.emplace(Key{static_cast<uint16_t>(rules::rowWord(mode2, "OUT", dev) & 0xFFFF)},
                           Row{"OUT", d, true});
            if (mode2) m_rows.emplace(valueWords(rules::rowWord(mode2, "RST", dev)), Row{"RST", d});
        }
        m_operands.emplace(rules::operandWord(mode2, dev), d);
    }
    for (const rules::Application& a : rules::applications())
        m_instructions.emplace(applicationWord(mode2, a.mode1, a.mode2),
                               Instruction{std::string(a.name), a.operands});
    if (!mode2) {
        m_instructions.emplace(applicationWord(false, 503, 0), Instruction{"SET", 1});
        m_instructions.emplace(applicationWord(false, 504, 0), Instruction{"RST", 1});
    }
}

std::vector<eval::ListRow> ProgramDecoder::decode(const std::vector<uint16_t>& words,
                                                  std::string& problem) const {
    std::vector<eval::ListRow> rows;
    std::map<uint16_t, std::string> fixed;
    for (const rules::Fixed& f : rules::fixedWords())
        fixed.emplace(m_mode2 ? f.mode2 : f.mode1, std::string(f.name));
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
            if (a == rules::kConstK || a == rules::kConstH) {
                const int v = at(i + 1);
                if (v < 0) return false;
                char buf[16];
                if (a == rules::kConstH)
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
            while (at(i) == rules::kOperandEnd) ++i;
        }
        text += (text.empty() ? "" : " ") + piece;
        return true;
    };
    while (i < words.size()) {
        const uint16_t w = words[i];
        if (w == rules::endWord(m_mode2)) {
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
            eval::ListRow row{in->second.name, ""};
            for (int k = 0; k < in->second.operands; ++k)
                if (!operand(row.operand)) return fail("an operand that names no device");
            if (!m_mode2)
                while (at(i) == rules::kOperandEnd) ++i;
            rows.push_back(row);
            continue;
        }
        if (m_mode2 && w == rules::kRstDataRegister) {
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
    problem = kNoEnd;
    return rows;
}

}  // namespace rs::plcsim

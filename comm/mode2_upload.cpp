#include "comm/mode2_upload.h"

#include <cstdio>
#include <map>
#include <memory>
#include <string_view>
#include <utility>

#include "comm/code_encoder.h"
#include "comm/code_words.h"
#include "comm/hex.h"
#include "core/device/device_ref.h"
#include "core/instruction_set.h"
#include "core/instructions/instruction.h"

namespace rs {

namespace {

using Words = std::vector<uint16_t>;
using Row = std::pair<std::string, std::string>;  // mnemonic, operand

// Every device of the controller's mode-2 ranges, as the list writes it.
std::vector<std::string> mode2Devices() {
    std::vector<std::string> out;
    for (char letter : {'X', 'Y'})
        for (int n = 0; n <= 0377; ++n)
            out.push_back(device::deviceText(letter, device::octalDigits(n)));
    auto range = [&](char letter, int from, int to) {
        for (int n = from; n <= to; ++n) out.push_back(device::deviceText(letter, n));
    };
    range('M', 0, 255);
    range('M', 8000, 8255);
    range('T', 0, 127);
    range('C', 0, 127);
    range('D', 0, 127);
    range('D', 1000, 2599);
    range('D', 8000, 8255);
    return out;
}

// The mode-2 words of one row, as the encoder writes them.
class RowEncoder {
  public:
    Words operator()(const std::string& mnemonic, const std::string& operand) {
        m_table->m_Instruction[0] = mnemonic;
        m_table->m_Parameter[0] = operand;
        m_encoder.reset();
        m_encoder.EncodeStep(*m_table, 0);
        return Words(m_encoder.code().begin(), m_encoder.code().begin() + m_encoder.codeCount());
    }

  private:
    std::unique_ptr<InstructionTable> m_table = std::make_unique<InstructionTable>();
    CodeEncoder m_encoder{true};
};

// The encoder's tables read backwards, built once.
struct Inverse {
    std::map<Words, Row> rows;                // whole rows of one device (or none)
    std::map<uint16_t, std::string> timers;   // OUT of a timer or counter: first word
    std::map<uint16_t, std::string> applied;  // instruction word of an application instruction
    std::map<uint32_t, std::string> devices;  // operand descriptor, high half first

    Inverse() {
        RowEncoder encodeRow;
        const std::vector<std::string> devs = mode2Devices();
        for (const instr::Instruction& in : instr::instructions()) {
            // A free row writes no word worth reading; some are mode 1 only.
            if (!in.in(instr::Downloadable) || in.mnemonic.empty() || !in.acceptedIn(true))
                continue;
            const std::string m(in.mnemonic);
            if (isSequenceInstruction(m) || m == "OUT" || m == "SET" || m == "RST") {
                rows.emplace(encodeRow(m, ""), Row{m, ""});
                for (const std::string& d : devs) {
                    const Words w = encodeRow(m, d);
                    if (m == "OUT" && (d[0] == 'T' || d[0] == 'C'))
                        timers.emplace(w.front(), d);
                    else
                        rows.emplace(w, Row{m, d});
                }
            } else {
                applied.emplace(encodeRow(m, "").front(), m);
            }
        }
        CodeEncoder encoder(true);
        for (const std::string& d : devs)
            if (d[0] != 'X') devices.emplace(encoder.EncodeWord("", d), d);
        rows.erase(Words{});  // rows that write no word name nothing
    }
};

const Inverse& inverse() {
    static const Inverse table;
    return table;
}

// One operand of two words: a K or H constant (low byte first, each with the
// constant flag) or a device descriptor.
std::optional<std::string> operandText(uint16_t first, uint16_t second) {
    const uint16_t flag = first & 0xFF;
    if ((flag == 0x80 || flag == 0x82) && (second & 0xFF) == 0x80) {
        const uint32_t v = (first >> 8) | (second & 0xFF00u);
        return (flag == 0x82 ? "H" : "K") + std::to_string(v);
    }
    const auto& devices = inverse().devices;
    const auto it = devices.find((static_cast<uint32_t>(first) << 16) | second);
    if (it == devices.end()) return std::nullopt;
    return it->second;
}

// The row that starts at words[at], with the number of words it takes.
std::optional<std::pair<Row, size_t>> rowAt(const Words& words, size_t at) {
    const Inverse& inv = inverse();
    const size_t left = words.size() - at;
    for (size_t n = 1; n <= 3 && n <= left; ++n) {
        const auto from = words.begin() + static_cast<long>(at);
        const auto it = inv.rows.find(Words(from, from + static_cast<long>(n)));
        if (it != inv.rows.end()) return std::make_pair(it->second, n);
    }
    if (const auto t = inv.timers.find(words[at]); t != inv.timers.end() && left >= 3) {
        if (auto set = operandText(words[at + 1], words[at + 2]))
            return std::make_pair(Row{"OUT", t->second + " " + *set}, size_t{3});
    }
    if (const auto a = inv.applied.find(words[at]); a != inv.applied.end()) {
        const auto count =
            static_cast<size_t>(classifyInstruction(a->second, SelOperandCount, true));
        if (left < 1 + 2 * count) return std::nullopt;
        std::string operand;
        for (size_t k = 0; k < count; ++k) {
            auto text = operandText(words[at + 1 + 2 * k], words[at + 2 + 2 * k]);
            if (!text) return std::nullopt;
            operand += (k ? " " : "") + *text;
        }
        return std::make_pair(Row{a->second, operand}, 1 + 2 * count);
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> decodeMode2Program(const Words& words, InstructionTable& table) {
    RowEncoder encodeRow;
    std::vector<Row> rows;
    size_t at = 0;
    for (;;) {
        if (at >= words.size())
            return std::string("The controller's program ends without an END word.");
        const uint16_t w = words[at];
        if (w == code::kEndWordMode2 || w == code::kEndWordMode1) {
            rows.push_back({"END", ""});
            break;
        }
        const auto row = rowAt(words, at);
        const bool exact = row && encodeRow(row->first.first, row->first.second) ==
                                      Words(words.begin() + static_cast<long>(at),
                                            words.begin() + static_cast<long>(at + row->second));
        if (!exact || rows.size() + 1 >= static_cast<size_t>(kListRows)) {
            return "Word " + std::to_string(at) + " of the controller's program (" + hexWord(w) +
                   ") is no mode-2 instruction; nothing was uploaded.";
        }
        rows.push_back(row->first);
        at += row->second;
    }
    for (size_t r = 0; r < static_cast<size_t>(kListRows); ++r) {
        table.m_Instruction[r] = r < rows.size() ? rows[r].first : std::string();
        table.m_Parameter[r] = r < rows.size() ? rows[r].second : std::string();
    }
    return std::nullopt;
}

}  // namespace rs

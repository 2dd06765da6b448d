#include "comm/download_check.h"

#include <string_view>

#include "core/messages.h"

namespace rs {

std::span<const std::string_view> downloadMnemonics() {
    static constexpr std::string_view kSet[] = {
        "LD",   "LDI", "AND", "ANI", "OR",  "ORI", "LDP", "LDF", "ANDP", "ANDF", "ORP", "ORF",
        "ANB",  "ORB", "MPS", "MRD", "MPP", "OUT", "SET", "RST", "END",  "CMP",  "ZCP", "MOV",
        "BMOV", "ADD", "SUB", "MUL", "DIV", "INC", "DEC", "ROR", "ROL",  "PRR",  "PRW", ""};
    return kSet;
}

bool inDownloadSet(const std::string& mnemonic) {
    for (std::string_view m : downloadMnemonics())
        if (m == mnemonic) return true;
    return false;
}

std::optional<std::string> downloadRefusal(const InstructionTable& table, bool mode2) {
    for (int r = 0; r < kListRows; ++r) {
        const std::string& m = table.m_Instruction[static_cast<size_t>(r)];
        if (m == "NOP") return std::string(msg::kNopNotSupported);
        if (mode2 && (m == "PRR" || m == "PRW")) return msg::notSupported(m);
        if (!mode2 && m == "RST" &&
            table.m_Parameter[static_cast<size_t>(r)].find('D') != std::string::npos)
            return std::string(msg::kDeviceSettingWrong);
        if (!inDownloadSet(m)) return msg::notSupported(m);
    }
    return std::nullopt;
}

}  // namespace rs

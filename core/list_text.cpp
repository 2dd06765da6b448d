#include "core/list_text.h"

#include "core/list_steps.h"

namespace rs {

std::string listLineText(const std::string& mnemonic, const std::string& operand) {
    if (mnemonic.empty()) return operand + ":";
    return operand.empty() ? mnemonic : mnemonic + " " + operand;
}

std::string listText(const InstructionTable& table) {
    std::string out;
    for (int r = 0; r < kListRows && table.rowUsed(r); ++r)
        out += listLineText(table.m_Instruction[r], table.m_Parameter[r]) + '\n';
    return out;
}

std::string exportListText(const InstructionTable& table, size_t recordCount) {
    std::string out;
    const int lines = listLineCount(table, recordCount);
    for (int k = 0; k < lines; ++k)
        out += listLineText(table.m_Instruction[k], table.m_Parameter[k]) + '\n';
    return out;
}

}  // namespace rs

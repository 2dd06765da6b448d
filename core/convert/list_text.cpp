#include "core/convert/list_text.h"

namespace rs {

std::string listText(const InstructionTable& table) {
    std::string out;
    for (int r = 0; r < kListRows && table.rowUsed(r); ++r) {
        const std::string& m = table.m_Instruction[r];
        const std::string& o = table.m_Parameter[r];
        if (m.empty())
            out += o + ":";
        else
            out += o.empty() ? m : m + " " + o;
        out += '\n';
    }
    return out;
}

}  // namespace rs

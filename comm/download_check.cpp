#include "comm/download_check.h"

#include "core/instructions/instruction.h"
#include "core/messages.h"
#include "core/program/row_refusal.h"

namespace rs {

bool inDownloadSet(const std::string& mnemonic) {
    return instr::inSet(mnemonic, instr::Downloadable);
}

std::optional<std::string> downloadRefusal(const InstructionTable& table, bool mode2) {
    for (int r = 0; r < kListRows; ++r) {
        const TypedRow row = typeRow(table.m_Instruction[static_cast<size_t>(r)],
                                     table.m_Parameter[static_cast<size_t>(r)]);
        switch (rowRefusal(row, mode2, instr::Downloadable)) {
            case RowRefusal::None:
                break;
            case RowRefusal::Nop:
                return std::string(msg::kNopNotSupported);
            case RowRefusal::DeviceSetting:
                return std::string(msg::kDeviceSettingWrong);
            case RowRefusal::Unsupported:
                return msg::notSupported(row.mnemonic);
        }
    }
    return std::nullopt;
}

}  // namespace rs

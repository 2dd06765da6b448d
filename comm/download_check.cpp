#include "comm/download_check.h"

#include "core/instructions/instruction.h"
#include "core/messages.h"

namespace rs {

bool inDownloadSet(const std::string& mnemonic) {
    return instr::inSet(mnemonic, instr::Downloadable);
}

std::optional<std::string> downloadRefusal(const InstructionTable& table, bool mode2) {
    for (int r = 0; r < kListRows; ++r) {
        const std::string& m = table.m_Instruction[static_cast<size_t>(r)];
        switch (instr::rowRefusal(m, table.m_Parameter[static_cast<size_t>(r)], mode2,
                                  instr::Downloadable)) {
            case instr::RowRefusal::None:
                break;
            case instr::RowRefusal::Nop:
                return std::string(msg::kNopNotSupported);
            case instr::RowRefusal::DeviceSetting:
                return std::string(msg::kDeviceSettingWrong);
            case instr::RowRefusal::Unsupported:
                return msg::notSupported(m);
        }
    }
    return std::nullopt;
}

}  // namespace rs

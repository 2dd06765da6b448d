#include "app/model/edit_commands.h"

#include "app/model/commands.h"

namespace rs::shell {

std::optional<EditCommand> editCommandFor(int command) {
    switch (command) {
        case CmdOpenContact:
            return EditCommand::OpenContact;
        case CmdCloseContact:
            return EditCommand::CloseContact;
        case CmdOpenBranch:
            return EditCommand::OpenBranch;
        case CmdCloseBranch:
            return EditCommand::CloseBranch;
        case CmdCoil:
            return EditCommand::Coil;
        case CmdAppInstruction:
            return EditCommand::AppInstruction;
        case CmdRisingPulse:
            return EditCommand::RisingPulse;
        case CmdFallingPulse:
            return EditCommand::FallingPulse;
        case CmdRisingPulseBranch:
            return EditCommand::RisingPulseBranch;
        case CmdFallingPulseBranch:
            return EditCommand::FallingPulseBranch;
        case CmdHorizontalLine:
            return EditCommand::HorizontalLine;
        case CmdVerticalLine:
            return EditCommand::VerticalLine;
        case CmdDeleteHorizontalLine:
            return EditCommand::DeleteHorizontalLine;
        case CmdDeleteVerticalLine:
            return EditCommand::DeleteVerticalLine;
        case CmdInsertLine:
            return EditCommand::InsertLine;
        case CmdDeleteLine:
            return EditCommand::DeleteLine;
        case CmdInsertRow:
            return EditCommand::InsertRow;
        case CmdDeleteRow:
            return EditCommand::DeleteRow;
        case CmdCut:
            return EditCommand::Cut;
        case CmdCopy:
            return EditCommand::Copy;
        case CmdPaste:
            return EditCommand::Paste;
        default:
            return std::nullopt;
    }
}

}  // namespace rs::shell

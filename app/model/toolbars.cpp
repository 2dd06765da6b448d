#include "app/model/toolbars.h"

namespace rs::shell {

const std::vector<ToolbarLayout>& toolbarLayouts() {
    static const std::vector<ToolbarLayout> bars = {
        {"file",
         {CmdNewProject, CmdOpenProject, CmdSave, CmdNone, CmdCut, CmdCopy, CmdPaste, CmdNone,
          CmdUserIndex}},
        {"ladder symbols",
         {CmdOpenContact, CmdOpenBranch, CmdCloseContact, CmdCloseBranch, CmdCoil,
          CmdAppInstruction, CmdNone, CmdHorizontalLine, CmdVerticalLine, CmdDeleteHorizontalLine,
          CmdDeleteVerticalLine, CmdNone, CmdRisingPulse, CmdFallingPulse, CmdRisingPulseBranch,
          CmdFallingPulseBranch}},
        {"view", {CmdInstructionList}},
    };
    return bars;
}

std::string buttonImageName(int command) {
    switch (command) {
        case CmdNewProject:
            return "new_project";
        case CmdOpenProject:
            return "open_project";
        case CmdSave:
            return "save";
        case CmdCut:
            return "cut";
        case CmdCopy:
            return "copy";
        case CmdPaste:
            return "paste";
        case CmdUserIndex:
            return "user_index";
        case CmdOpenContact:
            return "open_contact";
        case CmdOpenBranch:
            return "open_branch";
        case CmdCloseContact:
            return "close_contact";
        case CmdCloseBranch:
            return "close_branch";
        case CmdCoil:
            return "coil";
        case CmdAppInstruction:
            return "app_instruction";
        case CmdHorizontalLine:
            return "horizontal_line";
        case CmdVerticalLine:
            return "vertical_line";
        case CmdDeleteHorizontalLine:
            return "delete_horizontal_line";
        case CmdDeleteVerticalLine:
            return "delete_vertical_line";
        case CmdRisingPulse:
            return "rising_pulse";
        case CmdFallingPulse:
            return "falling_pulse";
        case CmdRisingPulseBranch:
            return "rising_pulse_branch";
        case CmdFallingPulseBranch:
            return "falling_pulse_branch";
        case CmdInstructionList:
            return "instruction_list";
        default:
            return {};
    }
}

}  // namespace rs::shell

#include "app/model/toolbars.h"

#include "app/model/command_state.h"
#include "app/model/menu_layout.h"

namespace rs::shell {

namespace {

// The menu text of a command in the menu bar of an open project (submenus
// included), empty when no item carries it.
std::string menuText(const std::vector<MenuEntry>& entries, int command) {
    for (const MenuEntry& e : entries) {
        if (e.kind == MenuEntry::Item && e.command == command) return e.text;
        if (e.kind == MenuEntry::Submenu) {
            std::string text = menuText(e.children, command);
            if (!text.empty()) return text;
        }
    }
    return {};
}

std::string trimmed(const std::string& s) {
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace

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

namespace rs::shell {

std::string buttonTip(int command) {
    if (std::string own = toolTip(command); !own.empty()) return own;
    std::string text;
    for (const MenuBarMenu& menu : projectMenuBar()) {
        text = menuText(menu.entries, command);
        if (!text.empty()) break;
    }
    const size_t tab = text.find('\t');
    std::string label = text.substr(0, tab);
    const std::string shortcut = tab == std::string::npos ? "" : trimmed(text.substr(tab + 1));
    std::string tip;
    for (char c : label)
        if (c != '&') tip += c;
    if (tip.ends_with("...")) tip.resize(tip.size() - 3);
    return shortcut.empty() ? tip : tip + " (" + shortcut + ")";
}

}  // namespace rs::shell

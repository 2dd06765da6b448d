#include "app/model/toolbars.h"

#include "app/model/command_table.h"

namespace rs::shell {

namespace {

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
    const CommandRow* row = findCommand(command);
    return row ? row->icon : std::string();
}

std::string buttonTip(int command) {
    const CommandRow* row = findCommand(command);
    if (!row) return {};
    if (!row->tip.empty()) return row->tip;
    const std::string& text = row->menuText;
    const size_t tab = text.find('\t');
    const std::string label = text.substr(0, tab);
    const std::string shortcut = tab == std::string::npos ? "" : trimmed(text.substr(tab + 1));
    std::string tip;
    for (char c : label)
        if (c != '&') tip += c;
    if (tip.ends_with("...")) tip.resize(tip.size() - 3);
    return shortcut.empty() ? tip : tip + " (" + shortcut + ")";
}

}  // namespace rs::shell

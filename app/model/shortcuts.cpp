#include "app/model/shortcuts.h"

#include <set>

#include "app/model/commands.h"

namespace rs::shell {

const std::vector<ShortcutEntry>& shortcutTable() {
    // The Enter key comes as Return from the main block and as Enter from the keypad.
    static const std::vector<ShortcutEntry> table = {
        {"Return", CmdEnterKey},
        {"Enter", CmdEnterKey},
        {"Ctrl+C", CmdCopy},
        {"Ctrl+X", CmdCut},
        {"Shift+Del", CmdDeleteLine},
        {"Ctrl+Del", CmdDeleteRow},
        {"Shift+Ins", CmdInsertLine},
        {"Ctrl+Ins", CmdInsertRow},
        {"Ctrl+V", CmdPaste},
        {"Shift+Ins", CmdPaste},
        {"Alt+Backspace", CmdUndo},
        {"Ctrl+Z", CmdUndo},
        {"Ctrl+Y", CmdRedo},
        {"Ctrl+F", CmdFindDevice},
        {"F3", CmdFindNext},
        {"Ctrl+N", CmdNewProject},
        {"Ctrl+O", CmdOpenProject},
        {"Ctrl+S", CmdSave},
        {"Ctrl+P", CmdPrint},
        {"F8", CmdAppInstruction},
        {"Shift+F6", CmdCloseBranch},
        {"F6", CmdCloseContact},
        {"F7", CmdCoil},
        {"Ctrl+F9", CmdDeleteHorizontalLine},
        {"Ctrl+F10", CmdDeleteVerticalLine},
        {"Shift+F8", CmdFallingPulse},
        {"Alt+F8", CmdFallingPulseBranch},
        {"F9", CmdHorizontalLine},
        {"Shift+F5", CmdOpenBranch},
        {"F5", CmdOpenContact},
        {"Shift+F7", CmdRisingPulse},
        {"Alt+F7", CmdRisingPulseBranch},
        {"Shift+F9", CmdVerticalLine},
        {"F4", CmdConvert},
        {"Return", CmdNextPane},
        {"Enter", CmdNextPane},
        {"Shift+Return", CmdPreviousPane},
        {"Shift+Enter", CmdPreviousPane},
        {"Alt+F1", CmdInstructionList},
        {"Alt+O", CmdDataList},
        {"Ctrl+F5", CmdStatusBarDirect},
    };
    return table;
}

std::vector<ShortcutEntry> effectiveShortcuts() {
    std::vector<ShortcutEntry> out;
    std::set<std::string> seen;
    for (const auto& e : shortcutTable())
        if (seen.insert(e.key).second) out.push_back(e);
    return out;
}

int commandForKey(const std::string& key) {
    for (const auto& e : shortcutTable())
        if (e.key == key) return e.command;
    return CmdNone;
}

}  // namespace rs::shell

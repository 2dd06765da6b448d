#include "app/model/menu_layout.h"

#include "app/model/command_table.h"

namespace rs::shell {

namespace {

// An item with the command's own menu text.
MenuEntry item(int command) {
    const CommandRow* row = findCommand(command);
    return {MenuEntry::Item, row ? row->menuText : std::string(), command, {}};
}
// An item whose text in this menu differs from the command's own.
MenuEntry item(std::string text, int command) {
    return {MenuEntry::Item, std::move(text), command, {}};
}
MenuEntry separator() {
    return {MenuEntry::Separator, {}, CmdNone, {}};
}
MenuEntry recentFiles() {
    return {MenuEntry::RecentFiles, "recent files", CmdRecentFile1, {}};
}
MenuEntry submenu(std::string text, std::vector<MenuEntry> children) {
    return {MenuEntry::Submenu, std::move(text), CmdNone, std::move(children)};
}

std::vector<MenuEntry> ladderSymbolEntries() {
    return {
        item(CmdOpenContact),
        item(CmdCloseContact),
        item(CmdOpenBranch),
        item(CmdCloseBranch),
        item(CmdCoil),
        item(CmdAppInstruction),
        item(CmdRisingPulse),
        item(CmdFallingPulse),
        item(CmdRisingPulseBranch),
        item(CmdFallingPulseBranch),
        separator(),
        item(CmdHorizontalLine),
        item(CmdVerticalLine),
        item(CmdDeleteHorizontalLine),
        item(CmdDeleteVerticalLine),
    };
}

}  // namespace

const std::vector<MenuBarMenu>& noProjectMenuBar() {
    static const std::vector<MenuBarMenu> bar = {
        {"&Project",
         {item(CmdNewProject), item(CmdOpenProject), item(CmdCloseNoProject),
          item(CmdSaveNoProject), item(CmdSaveAsNoProject), separator(), recentFiles(), separator(),
          item(CmdExit)}},
        {"&View",
         {item(CmdFileToolbar), item(CmdStatusBarFlag), separator(),
          item("&Project data list\tAlt+O ", CmdDataList)}},
        {"&Online",
         {item("Transfer set&up", CmdTransferSetup), item(CmdConnectionSetup), item(CmdDeviceTest),
          item(CmdDeviceBatchMonitor)}},
        {"&Help", {item(CmdAbout), item(CmdUserIndex), item(CmdExamples)}},
    };
    return bar;
}

const std::vector<MenuBarMenu>& projectMenuBar() {
    static const std::vector<MenuBarMenu> bar = {
        {"&Project",
         {item(CmdNewProject), item(CmdOpenProject), item(CmdCloseProject), item(CmdSave),
          item(CmdSaveAs), separator(), item(CmdPrint), item(CmdPrintPreview), item(CmdExportPdf),
          item(CmdExportPng), separator(), recentFiles(), separator(), item(CmdExit)}},
        {"&Edit",
         {item(CmdUndo),
          item(CmdRedo),
          separator(),
          item(CmdCut),
          item(CmdCopy),
          item(CmdPaste),
          separator(),
          item(CmdInsertLine),
          item(CmdDeleteLine),
          item(CmdInsertRow),
          item(CmdDeleteRow),
          separator(),
          submenu("Ladder s&ymbol", ladderSymbolEntries()),
          separator(),
          item(CmdComment),
          separator(),
          item(CmdFindDevice),
          item(CmdFindInstruction),
          item(CmdFindString),
          item(CmdReplaceDevice)}},
        {"&Convert", {item(CmdConvert)}},
        {"&View",
         {submenu("Encoding switch", {item(CmdMode1), item(CmdMode2)}), separator(),
          item(CmdFileToolbar), item(CmdStatusBarFlag), separator(), item(CmdDataList),
          item(CmdCrossReference), item(CmdDeviceComments), item(CmdWatchWindow),
          item(CmdTimingChart), item(CmdAddToWatch), separator(), item(CmdInstructionList)}},
        {"&Online",
         {item(CmdTransferSetup), item(CmdConnectionSetup), item(CmdDeviceTest),
          item(CmdDeviceBatchMonitor), item(CmdVerify), separator(), item(CmdStartMonitor),
          item(CmdStopMonitor), separator(), item(CmdStartSimulation), item(CmdStopSimulation),
          item(CmdSingleScan), item(CmdStepRow), item(CmdStepRung), item(CmdToggleBreakpoint),
          item(CmdRunUntil)}},
        {"&Window", {item(CmdCascade), item(CmdTileHorizontally), item(CmdArrangeIcons)}},
        {"&Help", {item(CmdAbout), item(CmdUserIndex), item(CmdExamples)}},
    };
    return bar;
}

const std::vector<MenuEntry>& viewContextMenu() {
    static const std::vector<MenuEntry> menu = {
        item(CmdUndo),
        separator(),
        item(CmdCut),
        item(CmdCopy),
        item(CmdPaste),
        separator(),
        item(CmdInsertLine),
        item(CmdDeleteLine),
        item(CmdInsertRow),
        item(CmdDeleteRow),
        separator(),
        item(CmdDrawLineContext),
        item(CmdDeleteLineContext),
        separator(),
        item(CmdConvert),
        separator(),
        item(CmdComment),
    };
    return menu;
}

std::string recentFileMenuText(int index, const std::string& path) {
    return "&" + std::to_string(index + 1) + " " + path;
}

}  // namespace rs::shell

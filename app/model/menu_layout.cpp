#include "app/model/menu_layout.h"

namespace rs::shell {

namespace {

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
        item("Open cont&act...\tF5", CmdOpenContact),
        item("Clos&e contact...\tF6", CmdCloseContact),
        item("&Open branch...\tShift+F5", CmdOpenBranch),
        item("Close b&ranch...\tShift+F6", CmdCloseBranch),
        item("&Coil...\tF7", CmdCoil),
        item("Application ins&truction...\tF8", CmdAppInstruction),
        item("Rising &pulse...\tShift+F7", CmdRisingPulse),
        item("Falling pul&se...\tShift+F8", CmdFallingPulse),
        item("Rising pulse open &branch...\tAlt+F7", CmdRisingPulseBranch),
        item("&Falling pulse close branch...\tAlt+F8", CmdFallingPulseBranch),
        separator(),
        item("&Horizontal line...\tF9", CmdHorizontalLine),
        item("&Vertical line...\tshift+F9", CmdVerticalLine),
        item("Delete hori&zontal line...\tCtrl+F9", CmdDeleteHorizontalLine),
        item("&Delete vertical line...\tCtrl+F10", CmdDeleteVerticalLine),
    };
}

}  // namespace

const std::vector<MenuBarMenu>& noProjectMenuBar() {
    static const std::vector<MenuBarMenu> bar = {
        {"&Project",
         {item("&New project...\tCtrl+N", CmdNewProject),
          item("&Open project...\tCtrl+O", CmdOpenProject),
          item("&Close project", CmdCloseNoProject), item("&Save\tCtrl+S", CmdSaveNoProject),
          item("Save &as...", CmdSaveAsNoProject), separator(), recentFiles(), separator(),
          item("E&xit Rungsmith", CmdExit)}},
        {"&View",
         {item("&Toolbar...", CmdFileToolbar), item("&Status bar", CmdStatusBarFlag), separator(),
          item("&Project data list\tAlt+O ", CmdDataList)}},
        {"&Online",
         {item("Transfer set&up", CmdTransferSetup),
          item("Connection setup...", CmdConnectionSetup), item("Device test...", CmdDeviceTest),
          item("Device batch monitor...", CmdDeviceBatchMonitor)}},
        {"&Help",
         {item("Product inform&ation...", CmdAbout), item("Rungsmith User Index", CmdUserIndex),
          item("Examples", CmdExamples)}},
    };
    return bar;
}

const std::vector<MenuBarMenu>& projectMenuBar() {
    static const std::vector<MenuBarMenu> bar = {
        {"&Project",
         {item("&New project...\tCtrl+N", CmdNewProject),
          item("&Open project...\tCtrl+O", CmdOpenProject), item("&Close project", CmdCloseProject),
          item("&Save\tCtrl+S", CmdSave), item("Save &as...", CmdSaveAs), separator(),
          item("&Print...\tCtrl+P", CmdPrint), item("Print pre&view", CmdPrintPreview),
          item("Export as PDF...", CmdExportPdf), item("Export as PNG...", CmdExportPng),
          separator(), recentFiles(), separator(), item("E&xit Rungsmith", CmdExit)}},
        {"&Edit",
         {item("Undo\tCtrl+Z", CmdUndo), item("Redo\tCtrl+Y", CmdRedo), separator(),
          item("Cu&t\tCtrl+X", CmdCut), item("&Copy\tCtrl+C", CmdCopy),
          item("Pa&ste\tCtrl+V", CmdPaste), separator(),
          item("I&nsert line\tShift+Ins", CmdInsertLine),
          item("D&elete line\tShift+Del", CmdDeleteLine),
          item("Insert ro&w\tCtrl+Ins", CmdInsertRow), item("&Delete row\tCtrl+Del", CmdDeleteRow),
          separator(), submenu("Ladder s&ymbol", ladderSymbolEntries()), separator(),
          item("Find device...\tCtrl+F", CmdFindDevice),
          item("Find instruction...", CmdFindInstruction), item("Find string...", CmdFindString),
          item("Replace device...", CmdReplaceDevice)}},
        {"&Convert", {item("&Convert\tF4", CmdConvert)}},
        {"&View",
         {submenu("Encoding switch", {item("mode1", CmdMode1), item("mode2", CmdMode2)}),
          separator(), item("&Toolbar...", CmdFileToolbar), item("&Status bar", CmdStatusBarFlag),
          separator(), item("&Project data list\tAlt+O", CmdDataList),
          item("Cross reference", CmdCrossReference), separator(),
          item("Inst&ruction list\tAlt+F1", CmdInstructionList)}},
        {"&Online",
         {item("Transfer set&up...", CmdTransferSetup),
          item("Connection setup...", CmdConnectionSetup), item("Device test...", CmdDeviceTest),
          item("Device batch monitor...", CmdDeviceBatchMonitor), separator(),
          item("Start simulation", CmdStartSimulation), item("Stop simulation", CmdStopSimulation),
          item("Single scan", CmdSingleScan)}},
        {"&Window",
         {item("&Cascade", CmdCascade), item("&Title horizontally", CmdTileHorizontally),
          item("&Arrange icons", CmdArrangeIcons)}},
        {"&Help",
         {item("Product inform&ation...", CmdAbout), item("Rungsmith User Index", CmdUserIndex),
          item("Examples", CmdExamples)}},
    };
    return bar;
}

const std::vector<MenuEntry>& viewContextMenu() {
    static const std::vector<MenuEntry> menu = {
        item("Undo\tCtrl+Z", CmdUndo),
        separator(),
        item("Cu&t\tCtrl+X", CmdCut),
        item("&Copy\tCtrl+C", CmdCopy),
        item("Pa&ste\tCtrl+V", CmdPaste),
        separator(),
        item("I&nsert line\tShift+Ins", CmdInsertLine),
        item("D&elete line\tShift+Del", CmdDeleteLine),
        item("Insert ro&w\tCtrl+Ins", CmdInsertRow),
        item("&Delete row\tCtrl+Del", CmdDeleteRow),
        separator(),
        item("Draw &line\tF10", CmdDrawLineContext),
        item("Delete l&ine\tAlt+F9", CmdDeleteLineContext),
        separator(),
        item("&Convert\tF4", CmdConvert),
    };
    return menu;
}

std::string recentFileMenuText(int index, const std::string& path) {
    return "&" + std::to_string(index + 1) + " " + path;
}

}  // namespace rs::shell

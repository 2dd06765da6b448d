#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <set>

#include "app/model/command_table.h"
#include "app/model/menu_layout.h"
#include "app/model/toolbars.h"

using namespace rs::shell;

namespace {

// Records which handler a command reached, and with what.
struct RecordingHandlers : CommandHandlers {
    std::vector<std::string> calls;
    void note(std::string s) { calls.push_back(std::move(s)); }

    void newProject() override { note("new"); }
    void openProject() override { note("open"); }
    void openRecentFile(int i) override { note("recent " + std::to_string(i)); }
    void closeProject() override { note("close"); }
    void saveProject(bool as) override { note(as ? "save as" : "save"); }
    void exitProgram() override { note("exit"); }
    void setMode2(bool m) override { note(m ? "mode2" : "mode1"); }
    void toggleFileToolbar() override { note("toolbar"); }
    void toggleStatusBarFlag() override { note("status flag"); }
    void toggleStatusBar() override { note("status bar"); }
    void toggleDataList() override { note("data list"); }
    void toggleCrossReference() override { note("xref"); }
    void toggleDeviceComments() override { note("comments dock"); }
    void arrangeWindows(WindowArrangement a) override {
        note("arrange " + std::to_string(static_cast<int>(a)));
    }
    void showDialog(ShellDialog d) override {
        note("dialog " + std::to_string(static_cast<int>(d)));
    }
    void openHelp() override { note("help"); }
    void openExamples() override { note("examples"); }
    void edit(rs::EditCommand c) override { note("edit " + std::to_string(static_cast<int>(c))); }
    void enterKey() override { note("enter"); }
    void convert() override { note("convert"); }
    void switchPresentation() override { note("switch"); }
    void undo() override { note("undo"); }
    void redo() override { note("redo"); }
    void editComment() override { note("comment"); }
    void find(rs::search::FindKind k) override {
        note("find " + std::to_string(static_cast<int>(k)));
    }
    void findNext() override { note("find next"); }
    void replaceDevice() override { note("replace"); }
    void print(PrintOutput p) override { note("print " + std::to_string(static_cast<int>(p))); }
    void simulate(SimulationStep s) override { note("sim " + std::to_string(static_cast<int>(s))); }
    void monitor(MonitorStep s) override { note("monitor " + std::to_string(static_cast<int>(s))); }
    void addToWatch() override { note("add to watch"); }
    void toggleWatchWindow() override { note("watch window"); }
    void toggleTimingChart() override { note("timing chart"); }
};

std::string n(int v) {
    return std::to_string(v);
}

ShellState everythingPossible() {
    ShellState s;
    s.projectOpen = true;
    s.canUndo = s.canRedo = true;
    return s;
}

void collect(const std::vector<MenuEntry>& entries, std::vector<int>& out) {
    for (const auto& e : entries) {
        if (e.kind == MenuEntry::Item) out.push_back(e.command);
        if (e.kind == MenuEntry::Submenu) collect(e.children, out);
    }
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

}  // namespace

TEST(CommandTable, EveryCommandReachesItsOwnHandler) {
    using rs::EditCommand;
    const std::vector<std::pair<int, std::string>> expected = {
        {CmdNewProject, "new"},
        {CmdOpenProject, "open"},
        {CmdRecentFile1, "recent 0"},
        {CmdRecentFile1 + 1, "recent 1"},
        {CmdRecentFile1 + 2, "recent 2"},
        {CmdRecentFile1 + 3, "recent 3"},
        {CmdRecentFile1 + 4, "recent 4"},
        {CmdCloseProject, "close"},
        {CmdSave, "save"},
        {CmdSaveAs, "save as"},
        {CmdExit, "exit"},
        {CmdMode1, "mode1"},
        {CmdMode2, "mode2"},
        {CmdFileToolbar, "toolbar"},
        {CmdStatusBarFlag, "status flag"},
        {CmdStatusBarDirect, "status bar"},
        {CmdDataList, "data list"},
        {CmdCrossReference, "xref"},
        {CmdDeviceComments, "comments dock"},
        {CmdComment, "comment"},
        {CmdCascade, "arrange " + n(int(WindowArrangement::Cascade))},
        {CmdTileHorizontally, "arrange " + n(int(WindowArrangement::Tile))},
        {CmdArrangeIcons, "arrange " + n(int(WindowArrangement::Icons))},
        {CmdTransferSetup, "dialog " + n(int(ShellDialog::TransferSetup))},
        {CmdConnectionSetup, "dialog " + n(int(ShellDialog::ConnectionSetup))},
        {CmdDeviceTest, "dialog " + n(int(ShellDialog::DeviceTest))},
        {CmdDeviceBatchMonitor, "dialog " + n(int(ShellDialog::DeviceBatchMonitor))},
        {CmdAbout, "dialog " + n(int(ShellDialog::About))},
        {CmdVerify, "dialog " + n(int(ShellDialog::Verify))},
        {CmdUserIndex, "help"},
        {CmdExamples, "examples"},
        {CmdOpenContact, "edit " + n(int(EditCommand::OpenContact))},
        {CmdCloseContact, "edit " + n(int(EditCommand::CloseContact))},
        {CmdOpenBranch, "edit " + n(int(EditCommand::OpenBranch))},
        {CmdCloseBranch, "edit " + n(int(EditCommand::CloseBranch))},
        {CmdCoil, "edit " + n(int(EditCommand::Coil))},
        {CmdAppInstruction, "edit " + n(int(EditCommand::AppInstruction))},
        {CmdRisingPulse, "edit " + n(int(EditCommand::RisingPulse))},
        {CmdFallingPulse, "edit " + n(int(EditCommand::FallingPulse))},
        {CmdRisingPulseBranch, "edit " + n(int(EditCommand::RisingPulseBranch))},
        {CmdFallingPulseBranch, "edit " + n(int(EditCommand::FallingPulseBranch))},
        {CmdHorizontalLine, "edit " + n(int(EditCommand::HorizontalLine))},
        {CmdVerticalLine, "edit " + n(int(EditCommand::VerticalLine))},
        {CmdDeleteHorizontalLine, "edit " + n(int(EditCommand::DeleteHorizontalLine))},
        {CmdDeleteVerticalLine, "edit " + n(int(EditCommand::DeleteVerticalLine))},
        {CmdInsertLine, "edit " + n(int(EditCommand::InsertLine))},
        {CmdDeleteLine, "edit " + n(int(EditCommand::DeleteLine))},
        {CmdInsertRow, "edit " + n(int(EditCommand::InsertRow))},
        {CmdDeleteRow, "edit " + n(int(EditCommand::DeleteRow))},
        {CmdCut, "edit " + n(int(EditCommand::Cut))},
        {CmdCopy, "edit " + n(int(EditCommand::Copy))},
        {CmdPaste, "edit " + n(int(EditCommand::Paste))},
        {CmdEnterKey, "enter"},
        {CmdConvert, "convert"},
        {CmdInstructionList, "switch"},
        {CmdUndo, "undo"},
        {CmdRedo, "redo"},
        {CmdFindDevice, "find " + n(int(rs::search::FindKind::Device))},
        {CmdFindInstruction, "find " + n(int(rs::search::FindKind::Instruction))},
        {CmdFindString, "find " + n(int(rs::search::FindKind::Text))},
        {CmdFindNext, "find next"},
        {CmdReplaceDevice, "replace"},
        {CmdPrint, "print " + n(int(PrintOutput::Printer))},
        {CmdPrintPreview, "print " + n(int(PrintOutput::Preview))},
        {CmdExportPdf, "print " + n(int(PrintOutput::Pdf))},
        {CmdExportPng, "print " + n(int(PrintOutput::Png))},
        {CmdStartSimulation, "sim " + n(int(SimulationStep::Start))},
        {CmdSingleScan, "sim " + n(int(SimulationStep::SingleScan))},
        {CmdStepRow, "sim " + n(int(SimulationStep::StepRow))},
        {CmdStepRung, "sim " + n(int(SimulationStep::StepRung))},
        {CmdToggleBreakpoint, "sim " + n(int(SimulationStep::ToggleBreakpoint))},
        {CmdRunUntil, "sim " + n(int(SimulationStep::RunUntil))},
        {CmdStartMonitor, "monitor " + n(int(MonitorStep::Start))},
        {CmdAddToWatch, "add to watch"},
        {CmdWatchWindow, "watch window"},
        {CmdTimingChart, "timing chart"},
    };
    std::set<int> served;
    for (const auto& [id, call] : expected) {
        RecordingHandlers h;
        EXPECT_TRUE(runCommand(id, everythingPossible(), h)) << id;
        EXPECT_EQ(h.calls, std::vector<std::string>{call}) << id;
        served.insert(id);
    }
    // Stop needs a simulation to stop.
    ShellState simulating = everythingPossible();
    simulating.simulating = true;
    RecordingHandlers h;
    EXPECT_TRUE(runCommand(CmdStopSimulation, simulating, h));
    EXPECT_EQ(h.calls, std::vector<std::string>{"sim " + n(int(SimulationStep::Stop))});
    served.insert(CmdStopSimulation);
    ShellState monitoring = everythingPossible();
    monitoring.monitoring = true;
    h.calls.clear();
    EXPECT_TRUE(runCommand(CmdStopMonitor, monitoring, h));
    EXPECT_EQ(h.calls, std::vector<std::string>{"monitor " + n(int(MonitorStep::Stop))});
    served.insert(CmdStopMonitor);
    // Every row with a handler is in the list above.
    for (const CommandRow& row : commandTable()) {
        if (row.run) {
            EXPECT_TRUE(served.count(row.id)) << row.id;
        }
    }
}

TEST(CommandTable, DisabledOrUnservedCommandsRunNothing) {
    RecordingHandlers h;
    const ShellState none;  // no project open
    for (int id : std::initializer_list<int>{CmdSave, CmdOpenContact, CmdUndo, CmdConvert, CmdPrint,
                                             CmdTransferSetup, CmdCloseNoProject, CmdNextPane,
                                             CmdDrawLineContext, CmdNone, 12345})
        EXPECT_FALSE(runCommand(id, none, h)) << id;
    ShellState list = everythingPossible();
    list.listMode = true;
    EXPECT_FALSE(runCommand(CmdOpenContact, list, h));
    EXPECT_FALSE(runCommand(CmdInsertRow, list, h));
    list.simulating = list.simulationRunning = true;
    for (int id : {CmdCut, CmdPaste, CmdConvert, CmdUndo, CmdReplaceDevice, CmdStartSimulation})
        EXPECT_FALSE(runCommand(id, list, h)) << id;
    EXPECT_TRUE(h.calls.empty());
    EXPECT_TRUE(runCommand(CmdInstructionList, list, h));  // the switch only changes the view
}

TEST(CommandTable, TheMonitorLocksEditingAndExcludesASimulation) {
    RecordingHandlers h;
    ShellState monitoring = everythingPossible();
    monitoring.monitoring = true;
    for (int id : {CmdCut, CmdPaste, CmdConvert, CmdUndo, CmdRedo, CmdReplaceDevice, CmdOpenContact,
                   CmdEnterKey, CmdStartSimulation, CmdSingleScan, CmdStartMonitor})
        EXPECT_FALSE(runCommand(id, monitoring, h)) << id;
    EXPECT_TRUE(h.calls.empty());
    EXPECT_TRUE(runCommand(CmdInstructionList, monitoring, h));
    ShellState simulating = everythingPossible();
    simulating.simulating = true;
    EXPECT_FALSE(runCommand(CmdStartMonitor, simulating, h));
    EXPECT_FALSE(runCommand(CmdStopMonitor, everythingPossible(), h));  // nothing to stop
}

TEST(CommandTable, RowsAreUniqueAndCoverEveryMenuAndButton) {
    std::set<int> ids;
    for (const CommandRow& row : commandTable()) {
        EXPECT_TRUE(ids.insert(row.id).second) << row.id;
        EXPECT_NE(row.state, nullptr) << row.id;
    }
    std::vector<int> shown;
    for (const auto* bar : {&noProjectMenuBar(), &projectMenuBar()})
        for (const auto& menu : *bar) collect(menu.entries, shown);
    collect(viewContextMenu(), shown);
    for (const auto& bar : toolbarLayouts())
        for (int c : bar.buttons)
            if (c != CmdNone) shown.push_back(c);
    for (int c : shown) EXPECT_TRUE(ids.count(c)) << c;
}

// The shortcut a menu item shows is one its row binds (the menus write some
// key names in their own case).
TEST(CommandTable, MenuShortcutTextsMatchTheBoundKeys) {
    for (const CommandRow& row : commandTable()) {
        const size_t tab = row.menuText.find('\t');
        if (tab == std::string::npos || !row.run) continue;
        const std::string shown = lower(row.menuText.substr(tab + 1));
        const bool bound = std::any_of(row.keys.begin(), row.keys.end(),
                                       [&](const std::string& k) { return lower(k) == shown; });
        EXPECT_TRUE(bound) << row.menuText;
    }
}

#include "app/model/command_table.h"

#include <map>

namespace rs::shell {

namespace {

// ---- enabled and checked state, as a function of the window and its project ----

CommandState never(const ShellState&) {
    return {};
}
CommandState always(const ShellState&) {
    return {true};
}
CommandState withProject(const ShellState& s) {
    return {s.projectOpen};
}
// A simulation or the monitor locks the program.
bool locked(const ShellState& s) {
    return s.simulating || s.monitoring;
}
// A change of the program.
CommandState editing(const ShellState& s) {
    return {s.projectOpen && !locked(s)};
}
// A change that only the ladder offers.
CommandState ladderEditing(const ShellState& s) {
    return {s.projectOpen && !locked(s) && !s.listMode};
}
CommandState undoState(const ShellState& s) {
    return {s.projectOpen && s.canUndo && !locked(s)};
}
CommandState redoState(const ShellState& s) {
    return {s.projectOpen && s.canRedo && !locked(s)};
}
CommandState mode1State(const ShellState& s) {
    return {s.projectOpen, true, s.mode1Check};
}
CommandState mode2State(const ShellState& s) {
    return {s.projectOpen, true, s.mode2Check};
}
CommandState startSimulationState(const ShellState& s) {
    return {s.projectOpen && !s.simulationRunning && !s.monitoring};
}
CommandState stopSimulationState(const ShellState& s) {
    return {s.projectOpen && s.simulating};
}
CommandState singleScanState(const ShellState& s) {
    return {s.projectOpen && !s.monitoring};
}
// The monitor and a simulation exclude each other: one device image is shown.
CommandState startMonitorState(const ShellState& s) {
    return {s.projectOpen && !s.monitoring && !s.simulating};
}
CommandState stopMonitorState(const ShellState& s) {
    return {s.projectOpen && s.monitoring};
}
CommandState fileToolbarState(const ShellState& s) {
    return {true, true, s.fileToolbarVisible};
}
CommandState statusBarFlagState(const ShellState& s) {
    return {true, true, s.statusBarFlag};
}
CommandState dataListState(const ShellState& s) {
    return {true, true, s.dataListVisible};
}
CommandState crossReferenceState(const ShellState& s) {
    return {true, true, s.crossReferenceVisible};
}
CommandState watchWindowState(const ShellState& s) {
    return {true, true, s.watchWindowVisible};
}
CommandState timingChartState(const ShellState& s) {
    return {true, true, s.timingChartVisible};
}
CommandState deviceCommentsState(const ShellState& s) {
    return {true, true, s.deviceCommentsVisible};
}

// ---- handlers ----

using H = CommandHandlers;

template <EditCommand E>
void runEdit(H& h, int) {
    h.edit(E);
}
template <ShellDialog D>
void runDialog(H& h, int) {
    h.showDialog(D);
}
template <WindowArrangement A>
void runArrange(H& h, int) {
    h.arrangeWindows(A);
}
template <PrintOutput P>
void runPrint(H& h, int) {
    h.print(P);
}
template <SimulationStep S>
void runSimulation(H& h, int) {
    h.simulate(S);
}
template <MonitorStep S>
void runMonitor(H& h, int) {
    h.monitor(S);
}
template <search::FindKind K>
void runFind(H& h, int) {
    h.find(K);
}

std::vector<CommandRow> makeTable() {
    using search::FindKind;
    // clang-format off
    // id, menu text, status prompt, own tooltip, toolbar image, shortcut keys,
    //     enabled and checked state, handler
    std::vector<CommandRow> t = {
        // Commands with shortcuts, in the shortcut table's order.
        {CmdEnterKey, "", "", "", "", {"Return", "Enter"},
         editing, [](H& h, int) { h.enterKey(); }},
        {CmdCopy, "&Copy\tCtrl+C", "复制", "", "copy", {"Ctrl+C"},
         editing, runEdit<EditCommand::Copy>},
        {CmdCut, "Cu&t\tCtrl+X", "剪切", "", "cut", {"Ctrl+X"},
         editing, runEdit<EditCommand::Cut>},
        {CmdDeleteLine, "D&elete line\tShift+Del", "删除行", "", "", {"Shift+Del"},
         editing, runEdit<EditCommand::DeleteLine>},
        {CmdDeleteRow, "&Delete row\tCtrl+Del", "删除列", "", "", {"Ctrl+Del"},
         ladderEditing, runEdit<EditCommand::DeleteRow>},
        {CmdInsertLine, "I&nsert line\tShift+Ins", "插入行", "", "", {"Shift+Ins"},
         editing, runEdit<EditCommand::InsertLine>},
        {CmdInsertRow, "Insert ro&w\tCtrl+Ins", "插入列", "", "", {"Ctrl+Ins"},
         ladderEditing, runEdit<EditCommand::InsertRow>},
        {CmdPaste, "Pa&ste\tCtrl+V", "粘贴", "", "paste", {"Ctrl+V", "Shift+Ins"},
         editing, runEdit<EditCommand::Paste>},
        {CmdUndo, "Undo\tCtrl+Z", "撤销", "", "", {"Alt+Backspace", "Ctrl+Z"},
         undoState, [](H& h, int) { h.undo(); }},
        {CmdRedo, "Redo\tCtrl+Y", "重做", "", "", {"Ctrl+Y"},
         redoState, [](H& h, int) { h.redo(); }},
        {CmdFindDevice, "Find device...\tCtrl+F", "查找器件", "", "", {"Ctrl+F"},
         withProject, runFind<FindKind::Device>},
        {CmdFindNext, "", "查找下一个", "", "", {"F3"},
         withProject, [](H& h, int) { h.findNext(); }},
        {CmdNewProject, "&New project...\tCtrl+N", "新建工程", "", "new_project", {"Ctrl+N"},
         always, [](H& h, int) { h.newProject(); }},
        {CmdOpenProject, "&Open project...\tCtrl+O", "打开", "", "open_project", {"Ctrl+O"},
         always, [](H& h, int) { h.openProject(); }},
        {CmdSave, "&Save\tCtrl+S", "保存", "", "save", {"Ctrl+S"},
         withProject, [](H& h, int) { h.saveProject(false); }},
        {CmdPrint, "&Print...\tCtrl+P", "打印活动文档", "", "", {"Ctrl+P"},
         withProject, runPrint<PrintOutput::Printer>},
        {CmdAppInstruction, "Application ins&truction...\tF8", "", "", "app_instruction", {"F8"},
         ladderEditing, runEdit<EditCommand::AppInstruction>},
        {CmdCloseBranch, "Close b&ranch...\tShift+F6", "", "", "close_branch", {"Shift+F6"},
         ladderEditing, runEdit<EditCommand::CloseBranch>},
        {CmdCloseContact, "Clos&e contact...\tF6", "", "", "close_contact", {"F6"},
         ladderEditing, runEdit<EditCommand::CloseContact>},
        {CmdCoil, "&Coil...\tF7", "", "", "coil", {"F7"},
         ladderEditing, runEdit<EditCommand::Coil>},
        {CmdDeleteHorizontalLine, "Delete hori&zontal line...\tCtrl+F9", "", "", "delete_horizontal_line", {"Ctrl+F9"},
         ladderEditing, runEdit<EditCommand::DeleteHorizontalLine>},
        {CmdDeleteVerticalLine, "&Delete vertical line...\tCtrl+F10", "", "", "delete_vertical_line", {"Ctrl+F10"},
         ladderEditing, runEdit<EditCommand::DeleteVerticalLine>},
        {CmdFallingPulse, "Falling pul&se...\tShift+F8", "", "", "falling_pulse", {"Shift+F8"},
         ladderEditing, runEdit<EditCommand::FallingPulse>},
        {CmdFallingPulseBranch, "&Falling pulse close branch...\tAlt+F8", "", "", "falling_pulse_branch", {"Alt+F8"},
         ladderEditing, runEdit<EditCommand::FallingPulseBranch>},
        {CmdHorizontalLine, "&Horizontal line...\tF9", "", "", "horizontal_line", {"F9"},
         ladderEditing, runEdit<EditCommand::HorizontalLine>},
        {CmdOpenBranch, "&Open branch...\tShift+F5", "", "", "open_branch", {"Shift+F5"},
         ladderEditing, runEdit<EditCommand::OpenBranch>},
        {CmdOpenContact, "Open cont&act...\tF5", "", "", "open_contact", {"F5"},
         ladderEditing, runEdit<EditCommand::OpenContact>},
        {CmdRisingPulse, "Rising &pulse...\tShift+F7", "", "", "rising_pulse", {"Shift+F7"},
         ladderEditing, runEdit<EditCommand::RisingPulse>},
        {CmdRisingPulseBranch, "Rising pulse open &branch...\tAlt+F7", "", "", "rising_pulse_branch", {"Alt+F7"},
         ladderEditing, runEdit<EditCommand::RisingPulseBranch>},
        {CmdVerticalLine, "&Vertical line...\tshift+F9", "", "", "vertical_line", {"Shift+F9"},
         ladderEditing, runEdit<EditCommand::VerticalLine>},
        {CmdConvert, "&Convert\tF4", "F4编译", "", "", {"F4"},
         editing, [](H& h, int) { h.convert(); }},
        // Served by nothing: Enter reaches the entry dialog above first.
        {CmdNextPane, "", "", "", "", {"Return", "Enter"},
         never, nullptr},
        {CmdPreviousPane, "", "", "", "", {"Shift+Return", "Shift+Enter"},
         never, nullptr},
        // The list switch only changes what is shown: a simulation does not lock it.
        {CmdInstructionList, "Inst&ruction list\tAlt+F1", "指令和梯形图相互切换", "", "instruction_list", {"Alt+F1"},
         withProject, [](H& h, int) { h.switchPresentation(); }},
        {CmdDataList, "&Project data list\tAlt+O", "显示/隐藏工程参数", "", "", {"Alt+O"},
         dataListState, [](H& h, int) { h.toggleDataList(); }},
        {CmdStatusBarDirect, "", "显示或隐藏状态栏", "切换状态栏", "", {"Ctrl+F5"},
         always, [](H& h, int) { h.toggleStatusBar(); }},
        // "&Project"
        {CmdCloseNoProject, "&Close project", "", "", "", {},
         never, nullptr},
        {CmdSaveNoProject, "&Save\tCtrl+S", "", "", "", {},
         never, nullptr},
        {CmdSaveAsNoProject, "Save &as...", "", "", "", {},
         never, nullptr},
        {CmdCloseProject, "&Close project", "关闭活动文档", "关闭", "", {},
         withProject, [](H& h, int) { h.closeProject(); }},
        {CmdSaveAs, "Save &as...", "用新名称保存活动文档", "另存为", "", {},
         withProject, [](H& h, int) { h.saveProject(true); }},
        {CmdPrintPreview, "Print pre&view", "显示整页", "", "", {},
         withProject, runPrint<PrintOutput::Preview>},
        {CmdExportPdf, "Export as PDF...", "将梯形图导出为PDF文件", "", "", {},
         withProject, runPrint<PrintOutput::Pdf>},
        {CmdExportPng, "Export as PNG...", "将梯形图导出为PNG图像", "", "", {},
         withProject, runPrint<PrintOutput::Png>},
        {CmdExit, "E&xit Rungsmith", "退出应用程序；提示保存文档", "退出", "", {},
         always, [](H& h, int) { h.exitProgram(); }},
        // "&Edit"
        {CmdFindInstruction, "Find instruction...", "查找指令", "", "", {},
         withProject, runFind<FindKind::Instruction>},
        {CmdFindString, "Find string...", "查找字符串", "", "", {},
         withProject, runFind<FindKind::Text>},
        // A rename is an edit.
        {CmdReplaceDevice, "Replace device...", "替换器件", "", "", {},
         editing, [](H& h, int) { h.replaceDevice(); }},
        // A comment is kept beside the program, undone with its edits.
        {CmdComment, "Comment...", "", "", "", {},
         editing, [](H& h, int) { h.editComment(); }},
        // "&View"
        {CmdMode1, "mode1", "", "", "", {},
         mode1State, [](H& h, int) { h.setMode2(false); }},
        {CmdMode2, "mode2", "", "", "", {},
         mode2State, [](H& h, int) { h.setMode2(true); }},
        {CmdFileToolbar, "&Toolbar...", "工具条的显示/隐藏", "", "", {},
         fileToolbarState, [](H& h, int) { h.toggleFileToolbar(); }},
        {CmdStatusBarFlag, "&Status bar", "状态栏的显示/隐藏", "", "", {},
         statusBarFlagState, [](H& h, int) { h.toggleStatusBarFlag(); }},
        {CmdCrossReference, "Cross reference", "显示/隐藏交叉参照表", "", "", {},
         crossReferenceState, [](H& h, int) { h.toggleCrossReference(); }},
        {CmdAddToWatch, "Add to watch\tCtrl+Shift+W", "将光标处的器件加入监视窗口", "", "", {"Ctrl+Shift+W"},
         withProject, [](H& h, int) { h.addToWatch(); }},
        {CmdWatchWindow, "&Watch window", "显示/隐藏监视窗口", "", "", {},
         watchWindowState, [](H& h, int) { h.toggleWatchWindow(); }},
        {CmdTimingChart, "T&iming chart", "显示/隐藏时序图", "", "", {},
         timingChartState, [](H& h, int) { h.toggleTimingChart(); }},
        {CmdDeviceComments, "Device comments", "", "", "", {},
         deviceCommentsState, [](H& h, int) { h.toggleDeviceComments(); }},
        // "&Online"
        {CmdTransferSetup, "Transfer set&up...", "通讯设置向导", "", "", {},
         withProject, runDialog<ShellDialog::TransferSetup>},
        {CmdConnectionSetup, "Connection setup...", "连接设置", "", "", {},
         always, runDialog<ShellDialog::ConnectionSetup>},
        {CmdDeviceTest, "Device test...", "软元件强制与读写", "", "", {},
         always, runDialog<ShellDialog::DeviceTest>},
        {CmdDeviceBatchMonitor, "Device batch monitor...", "软元件批量监视", "", "", {},
         always, runDialog<ShellDialog::DeviceBatchMonitor>},
        {CmdVerify, "Verify with controller...", "", "", "", {},
         withProject, runDialog<ShellDialog::Verify>},
        {CmdStartSimulation, "Start simulation", "", "", "", {},
         startSimulationState, runSimulation<SimulationStep::Start>},
        {CmdStopSimulation, "Stop simulation", "", "", "", {},
         stopSimulationState, runSimulation<SimulationStep::Stop>},
        {CmdSingleScan, "Single scan", "", "", "", {},
         singleScanState, runSimulation<SimulationStep::SingleScan>},
        {CmdStepRow, "Step row\tF11", "", "", "", {"F11"},
         singleScanState, runSimulation<SimulationStep::StepRow>},
        {CmdStepRung, "Step rung\tShift+F11", "", "", "", {"Shift+F11"},
         singleScanState, runSimulation<SimulationStep::StepRung>},
        {CmdToggleBreakpoint, "Toggle breakpoint\tCtrl+B", "", "", "", {"Ctrl+B"},
         withProject, runSimulation<SimulationStep::ToggleBreakpoint>},
        {CmdRunUntil, "Run until...", "", "", "", {},
         singleScanState, runSimulation<SimulationStep::RunUntil>},
        {CmdStartMonitor, "Start monitor", "", "", "", {},
         startMonitorState, runMonitor<MonitorStep::Start>},
        {CmdStopMonitor, "Stop monitor", "", "", "", {},
         stopMonitorState, runMonitor<MonitorStep::Stop>},
        // "&Window"
        {CmdCascade, "&Cascade", "以重叠方式排列窗口", "层叠窗口", "", {},
         withProject, runArrange<WindowArrangement::Cascade>},
        {CmdTileHorizontally, "&Title horizontally", "以非重叠的平铺方式排列窗口", "平铺窗口", "", {},
         withProject, runArrange<WindowArrangement::Tile>},
        {CmdArrangeIcons, "&Arrange icons", "在窗口底部排列图标", "排列图标", "", {},
         withProject, runArrange<WindowArrangement::Icons>},
        // "&Help"
        {CmdAbout, "Product inform&ation...", "显示程序信息、版本号和版权", "关于", "", {},
         always, runDialog<ShellDialog::About>},
        {CmdUserIndex, "Rungsmith User Index", "Rungsmith User Index", "", "user_index", {},
         always, [](H& h, int) { h.openHelp(); }},
        {CmdExamples, "Examples", "打开示例程序文件夹", "", "", {},
         always, [](H& h, int) { h.openExamples(); }},
        // The view's popup menu: two entries without identifier or handler.
        {CmdDrawLineContext, "Draw &line\tF10", "", "", "", {},
         never, nullptr},
        {CmdDeleteLineContext, "Delete l&ine\tAlt+F9", "", "", "", {},
         never, nullptr},
    };
    // clang-format on
    for (int id = CmdRecentFile1; id <= CmdRecentFileLast; ++id)
        t.push_back({id, "", "打开此文档", "", "", {}, always, [](H& h, int command) {
                         h.openRecentFile(command - CmdRecentFile1);
                     }});
    return t;
}

}  // namespace

const std::vector<CommandRow>& commandTable() {
    static const std::vector<CommandRow> table = makeTable();
    return table;
}

const CommandRow* findCommand(int id) {
    static const std::map<int, const CommandRow*> byId = [] {
        std::map<int, const CommandRow*> m;
        for (const CommandRow& row : commandTable()) m.emplace(row.id, &row);
        return m;
    }();
    const auto it = byId.find(id);
    return it == byId.end() ? nullptr : it->second;
}

bool runCommand(int id, const ShellState& state, CommandHandlers& handlers) {
    const CommandRow* row = findCommand(id);
    if (!row || !row->run || !row->state(state).enabled) return false;
    row->run(handlers, id);
    return true;
}

CommandState commandState(int command, const ShellState& state) {
    const CommandRow* row = findCommand(command);
    return row ? row->state(state) : CommandState{};
}

std::string statusPrompt(int command) {
    const CommandRow* row = findCommand(command);
    return row ? row->prompt : std::string();
}

std::string toolTip(int command) {
    const CommandRow* row = findCommand(command);
    return row ? row->tip : std::string();
}

}  // namespace rs::shell

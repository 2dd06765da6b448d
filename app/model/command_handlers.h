#pragma once

#include "editor/edit_command.h"
#include "editor/search/find.h"

namespace rs::shell {

enum class WindowArrangement { Cascade, Tile, Icons };
enum class ShellDialog {
    TransferSetup,
    ConnectionSetup,
    DeviceTest,
    DeviceBatchMonitor,
    About,
    Verify
};
enum class PrintOutput { Printer, Preview, Pdf, Png };
enum class SimulationStep {
    Start,
    Stop,
    SingleScan,
    StepRow,
    StepRung,
    ToggleBreakpoint,
    RunUntil
};
enum class MonitorStep { Start, Stop };

// What the handlers of the command table call: the operations of the window,
// its open project and its tools. The window implements them; a command's
// handler picks the operation and its argument.
class CommandHandlers {
  public:
    virtual ~CommandHandlers() = default;

    // projects
    virtual void newProject() = 0;
    virtual void openProject() = 0;
    virtual void openRecentFile(int index) = 0;  // 0 for the first entry
    virtual void closeProject() = 0;
    virtual void saveProject(bool saveAs) = 0;
    virtual void exitProgram() = 0;
    virtual void setMode2(bool mode2) = 0;

    // bars, windows, dialogs, help
    virtual void toggleFileToolbar() = 0;
    virtual void toggleStatusBarFlag() = 0;  // "&Status bar": keeps the flag
    virtual void toggleStatusBar() = 0;      // Ctrl+F5: the bar alone
    virtual void toggleDataList() = 0;
    virtual void toggleCrossReference() = 0;
    virtual void toggleDeviceComments() = 0;
    virtual void arrangeWindows(WindowArrangement how) = 0;
    virtual void showDialog(ShellDialog dialog) = 0;
    virtual void openHelp() = 0;
    virtual void openExamples() = 0;

    // the open project's program
    virtual void edit(EditCommand command) = 0;
    virtual void enterKey() = 0;  // the entry dialog of the cursor cell or line
    virtual void convert() = 0;
    virtual void switchPresentation() = 0;
    virtual void undo() = 0;
    virtual void redo() = 0;
    virtual void editComment() = 0;  // the comment of the cursor's device

    // find, replace, print, simulation
    virtual void find(search::FindKind kind) = 0;
    virtual void findNext() = 0;
    virtual void replaceDevice() = 0;
    virtual void print(PrintOutput output) = 0;
    virtual void simulate(SimulationStep step) = 0;
    // the ladder drawn live from the controller
    virtual void monitor(MonitorStep step) = 0;

    // the watch window and the timing chart
    virtual void addToWatch() = 0;  // the device at the cursor
    virtual void toggleWatchWindow() = 0;
    virtual void toggleTimingChart() = 0;
};

}  // namespace rs::shell

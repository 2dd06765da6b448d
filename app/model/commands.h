#pragma once

namespace rs::shell {

// Command identifiers of menus, toolbars and shortcuts.
enum Command : int {
    CmdNone = 0,
    // "&Project" with no project open: no handler, always disabled.
    CmdCloseNoProject = 32771,
    CmdSaveNoProject = 32772,
    CmdSaveAsNoProject = 32980,
    // main window
    CmdStatusBarFlag = 32809,
    CmdDataList = 32810,
    CmdTransferSetup = 32816,
    CmdConnectionSetup = 32817,  // "Connection setup..." under "&Online"
    // simulation under "&Online" (extensions: run the program without a controller)
    CmdStartSimulation = 34501,
    CmdStopSimulation = 34502,
    CmdSingleScan = 34503,
    // stepping within a scan, breakpoints, running until a condition holds
    CmdStepRow = 34520,
    CmdStepRung = 34521,
    CmdToggleBreakpoint = 34522,
    CmdRunUntil = 34523,
    // the watch window and the timing chart under "&View" (extensions)
    CmdAddToWatch = 34530,   // the device at the cursor into the watch window
    CmdWatchWindow = 34531,  // shows or hides the watch window
    CmdTimingChart = 34532,  // shows or hides the timing chart
    // "Examples" under "&Help": opens the folder of example programs
    CmdExamples = 34601,
    CmdVerify = 34701,  // "Verify with controller..."
    // the live ladder from the controller under "&Online" (extensions)
    CmdStartMonitor = 34710,
    CmdStopMonitor = 34711,
    // device comments
    CmdComment = 34540,         // "Comment...": the cursor's device
    CmdDeviceComments = 34541,  // "Device comments": the dock of every device's comment
    // the device dialogs under "&Online"
    CmdDeviceTest = 33260,
    CmdDeviceBatchMonitor = 33261,
    // editing (ladder and list)
    CmdInsertLine = 32912,
    CmdDeleteLine = 32913,
    CmdInsertRow = 32914,
    CmdDeleteRow = 32915,
    // ladder symbols and lines
    CmdOpenContact = 32924,
    CmdCloseContact = 32925,
    CmdOpenBranch = 32926,
    CmdCloseBranch = 32927,
    CmdCoil = 32928,
    CmdAppInstruction = 32929,
    CmdVerticalLine = 32930,
    CmdHorizontalLine = 32931,
    CmdDeleteVerticalLine = 32932,
    CmdDeleteHorizontalLine = 32933,
    CmdRisingPulse = 32934,
    CmdFallingPulseBranch = 32935,
    CmdFallingPulse = 32936,
    CmdRisingPulseBranch = 32937,
    CmdConvert = 32959,
    CmdInstructionList = 33202,
    CmdEnterKey = 33206,  // Enter: the entry dialog of the cursor cell or line
    CmdMode1 = 33234,
    CmdMode2 = 33235,
    // find and cross reference
    CmdFindInstruction = 33301,
    CmdFindString = 33302,
    CmdCrossReference = 33303,
    // export of the printed pages
    CmdExportPdf = 33304,
    CmdExportPng = 33305,
    // framework commands
    CmdNewProject = 57600,
    CmdOpenProject = 57601,
    CmdCloseProject = 57602,
    CmdSave = 57603,
    CmdSaveAs = 57604,
    CmdPrint = 57607,         // "&Print...", Ctrl+P
    CmdPrintPreview = 57609,  // "Print pre&view"
    CmdRecentFile1 = 57616,
    CmdRecentFileLast = 57620,
    CmdCopy = 57634,
    CmdCut = 57635,
    CmdPaste = 57637,
    CmdFindDevice = 57636,     // "Find device...", Ctrl+F
    CmdFindNext = 57640,       // F3: the last search again
    CmdReplaceDevice = 57641,  // "Replace device..."
    CmdUndo = 57643,
    CmdRedo = 57644,
    CmdArrangeIcons = 57649,
    CmdCascade = 57650,
    CmdTileHorizontally = 57651,
    CmdAbout = 57664,
    CmdExit = 57665,
    CmdUserIndex = 57670,
    CmdNextPane = 57680,      // served by nothing
    CmdPreviousPane = 57681,  // served by nothing
    CmdFileToolbar = 59392,
    CmdStatusBarDirect = 59393,
    // context menu entries without identifier or handler
    CmdDrawLineContext = -1,
    CmdDeleteLineContext = -2,
};

constexpr int kRecentFileCount = 5;

constexpr bool isRecentFileCommand(int id) {
    return id >= CmdRecentFile1 && id <= CmdRecentFileLast;
}

}  // namespace rs::shell

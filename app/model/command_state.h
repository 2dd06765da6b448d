#pragma once

#include <string>

namespace rs::shell {

// What the menus and shortcuts depend on, read from the program's state.
struct ShellState {
    bool projectOpen = false;
    bool listMode = false;           // the open project shows its instruction list
    bool mode1Check = false;         // m_nMode1Check
    bool mode2Check = true;          // m_nMode2Check
    bool fileToolbarVisible = true;  // the first toolbar
    bool statusBarFlag = true;       // flipped only by "&Status bar"
    bool dataListVisible = true;
    bool simulating = false;         // a simulation is active (running or paused): no editing
    bool simulationRunning = false;  // ... and scanning in real time
    bool monitoring = false;         // the ladder is drawn from the controller: no editing
    bool canUndo = false;            // the open project's history has a step to undo
    bool canRedo = false;            // ... or to redo
    bool crossReferenceVisible = false;
    bool watchWindowVisible = false;
    bool timingChartVisible = false;
    bool deviceCommentsVisible = false;
};

struct CommandState {
    bool enabled = false;
    bool checkable = false;
    bool checked = false;
};

// Whether a command is enabled and checked in a given state, as its row of the
// command table says. Commands that nothing serves in that state are disabled;
// their shortcuts then do nothing.
CommandState commandState(int command, const ShellState& state);

// The status bar prompt of a command, empty when it has none.
std::string statusPrompt(int command);
// The tooltip of a toolbar command, empty when it has none.
std::string toolTip(int command);

// The message pane's idle text.
inline constexpr const char* kIdlePrompt = "就绪";

}  // namespace rs::shell

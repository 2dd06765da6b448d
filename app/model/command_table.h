#pragma once

#include <string>
#include <vector>

#include "app/model/command_handlers.h"
#include "app/model/command_state.h"
#include "app/model/commands.h"

namespace rs::shell {

// One command of the window: everything the menus, toolbars, shortcut table,
// status bar and dispatch know of it. Texts are the system's own, in one
// place, so that a translation wraps them here.
struct CommandRow {
    int id = CmdNone;
    // The menu item's text: label, a tab and the shortcut as the menus show it.
    std::string menuText;
    std::string prompt;             // status bar prompt, empty for none
    std::string tip;                // the tooltip of its own, empty for none
    std::string icon;               // the toolbar image's resource name, empty for none
    std::vector<std::string> keys;  // shortcut keys, in the table's order
    CommandState (*state)(const ShellState&) = nullptr;
    // Runs the command; null for a command that nothing serves.
    void (*run)(CommandHandlers&, int id) = nullptr;
};

// Every command, in the order of the shortcut table (first entry of a key wins).
const std::vector<CommandRow>& commandTable();

// The row of a command; null for an identifier without one.
const CommandRow* findCommand(int id);

// Runs a command's handler when the command is enabled in the given state;
// false when it is disabled or nothing serves it.
bool runCommand(int id, const ShellState& state, CommandHandlers& handlers);

}  // namespace rs::shell

#pragma once

#include <string>
#include <vector>

namespace rs::shell {

// One entry of the main window's shortcut table. Keys are written as the
// portable key names of the window toolkit ("Ctrl+C", "Shift+Del", "Return").
struct ShortcutEntry {
    std::string key;
    int command;
};

// The shortcut table in its order (the keys of the command table's rows, row by
// row); a key may appear more than once.
const std::vector<ShortcutEntry>& shortcutTable();

// The table with every key kept only at its first entry: the binding that
// takes effect when two entries share a key.
std::vector<ShortcutEntry> effectiveShortcuts();

// The command a key runs, or 0 when the table does not bind it.
int commandForKey(const std::string& key);

}  // namespace rs::shell

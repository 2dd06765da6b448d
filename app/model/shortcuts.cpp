#include "app/model/shortcuts.h"

#include <set>

#include "app/model/command_table.h"

namespace rs::shell {

const std::vector<ShortcutEntry>& shortcutTable() {
    static const std::vector<ShortcutEntry> table = [] {
        std::vector<ShortcutEntry> out;
        for (const CommandRow& row : commandTable())
            for (const std::string& key : row.keys) out.push_back({key, row.id});
        return out;
    }();
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

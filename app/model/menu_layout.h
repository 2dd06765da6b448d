#pragma once

#include <string>
#include <vector>

#include "app/model/commands.h"

namespace rs::shell {

// One entry of a menu: a command item (text is the label, a tab and the
// shortcut text), a separator, a submenu or the place of the recent files.
struct MenuEntry {
    enum Kind { Item, Separator, Submenu, RecentFiles };
    Kind kind = Item;
    std::string text;
    int command = CmdNone;
    std::vector<MenuEntry> children;  // Submenu only
};

struct MenuBarMenu {
    std::string title;
    std::vector<MenuEntry> entries;
};

// The menu bar shown while no project is open.
const std::vector<MenuBarMenu>& noProjectMenuBar();
// The menu bar shown while a project is open.
const std::vector<MenuBarMenu>& projectMenuBar();
// The popup menu of the view (right button).
const std::vector<MenuEntry>& viewContextMenu();

// The text of recent-file entry i (0 for the first) for a path: "&1 name" style
// as the platform's recent-file lists show it, the file name with its folder.
std::string recentFileMenuText(int index, const std::string& path);

}  // namespace rs::shell

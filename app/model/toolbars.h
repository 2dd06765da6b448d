#pragma once

#include <string>
#include <vector>

#include "app/model/commands.h"

namespace rs::shell {

// A toolbar: its buttons in order, CmdNone standing for a separator bar.
struct ToolbarLayout {
    std::string name;
    std::vector<int> buttons;
};

// The file, ladder symbol and view toolbars, in that order.
const std::vector<ToolbarLayout>& toolbarLayouts();

// The button image of a command, as a resource name ("new_project" ...).
std::string buttonImageName(int command);

// The tooltip of a toolbar button: the command's own tooltip where it has
// one, else its menu text without the accelerator mark and the ellipsis,
// followed by its shortcut in brackets: "Open contact (F5)".
std::string buttonTip(int command);

}  // namespace rs::shell

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

}  // namespace rs::shell

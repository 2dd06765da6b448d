#pragma once

#include <optional>

#include "editor/edit_command.h"

namespace rs::shell {

// The editing command a menu, toolbar or shortcut command runs in the view.
std::optional<EditCommand> editCommandFor(int command);

}  // namespace rs::shell

#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/instruction_store.h"

namespace rs {

// Whether every row of the table can be downloaded in this mode: the message
// of the first row that cannot, or nothing.
std::optional<std::string> downloadRefusal(const InstructionTable& table, bool mode2);

bool inDownloadSet(const std::string& mnemonic);

}  // namespace rs

#pragma once

#include <optional>
#include <string>

#include "core/instruction_store.h"

namespace rs {

// Whether every row of the table can be downloaded in this mode: the message
// of the first row that cannot, or nothing.
std::optional<std::string> downloadRefusal(const InstructionTable& table, bool mode2);

// The mnemonics the encoder turns into code (the empty mnemonic of a free row
// included).
bool inDownloadSet(const std::string& mnemonic);

}  // namespace rs

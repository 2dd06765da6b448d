#pragma once

#include <string>

#include "core/instruction_store.h"

namespace rs {

// The instruction list as text, one row a line up to the first free row:
// mnemonic, one blank, operand (no trailing blank when the operand is empty);
// a label row (empty mnemonic) as its operand followed by ':'.
std::string listText(const InstructionTable& table);

}  // namespace rs

#pragma once

#include <cstddef>
#include <string>

#include "core/instruction_store.h"

namespace rs {

// One row of the instruction list as text: the mnemonic, one blank and the
// operand (no blank when the operand is empty); a label row (empty mnemonic)
// as its operand followed by ':'.
std::string listLineText(const std::string& mnemonic, const std::string& operand);

// The rows of the table up to the first free row, one line each.
std::string listText(const InstructionTable& table);

// The lines the list view shows for a program of recordCount records, one
// line each. The import of a list text reads it back.
std::string exportListText(const InstructionTable& table, size_t recordCount);

}  // namespace rs

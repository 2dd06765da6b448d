#pragma once

#include <cstddef>
#include <string>

#include "core/instruction_store.h"

namespace rs {

// The rows that differ between two instruction lists, step by step, one line
// each: "- STEP ROW" for a row only the first list has, "+ STEP ROW" for one
// only the second has, STEP being the row's step number in its own list and
// ROW the row as the list text writes it. Within a run of changes the first
// list's rows come first. Empty when the lists are equal.
std::string listDiffText(const InstructionTable& from, size_t fromRecords,
                         const InstructionTable& to, size_t toRecords);

}  // namespace rs

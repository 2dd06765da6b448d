#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/instruction_store.h"

namespace rs {

// Number of lines the instruction list view shows: rows from 0 while below
// recordCount (the number of CInstruction records), up to the first free row.
int listLineCount(const InstructionTable& table, size_t recordCount);

// The step number shown on each of those lines. A line's number is the
// previous one plus the previous row's step count and one step for every K or
// H in its operand (more for an OUT of a timer or counter with a constant);
// block and stack rows (ORB, ANB, MPS, MRD, MPP) add one step of their own,
// and a SET or RST line shows one more than the line before it and takes two
// steps.
std::vector<int64_t> listStepNumbers(const InstructionTable& table, size_t recordCount);

}  // namespace rs

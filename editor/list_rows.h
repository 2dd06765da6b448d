#pragma once

#include <cstdint>
#include <string>

#include "core/instruction_store.h"
#include "core/records.h"

namespace rs {

// The highest used row of the table, -1 when none.
int lastUsedRow(const InstructionTable& table);

// The list lines a selection covers: from the cursor line to the line
// `extent` away from it, either way, cut to the table.
struct LineSpan {
    int first;
    int last;
};
LineSpan selectedLines(int cursor, int extent);

// Whether n more rows can be inserted without pushing a used row off the table.
bool listHasRoomFor(const InstructionTable& table, int n);

// Inserts a row at r: the table rows from r move down by one and records made
// from the new row go in at position r of the four lists.
void insertListRow(InstructionTable& table, RecordLists& records, int r,
                   const std::string& mnemonic, const std::string& operand, int32_t fun,
                   int32_t step);

// Removes row r: its records leave the four lists and the rows below move up.
void eraseListRow(InstructionTable& table, RecordLists& records, int r);

}  // namespace rs

#pragma once

#include <string>

#include "core/ladder_grid.h"

namespace rs::test {

// The first way in which rows 0 to lastRow of a ladder built from a list break
// the rules every ladder of the editor keeps (empty when none): column 0 holds
// only a label; contacts and wires stand in columns 1 to 9, outputs only in
// column 10; no branch kind and no mark kind; an instruction box covers exactly
// its operand columns; symbol and wire bits agree with the kinds; only the wire
// bits the builder writes; no vertical wire longer than the editor draws;
// nothing below the last row.
std::string gridViolation(const LadderGrid& grid, int lastRow);

}  // namespace rs::test

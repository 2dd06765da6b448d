#pragma once

#include "core/ladder_grid.h"

namespace rs::eval {

// How current may pass a cell of columns 1 to 9, from its left edge to its
// right edge. This is the one direction rule of the ladder, followed by every
// reader of the drawn circuit (the meaning check, the series-parallel
// compiler, the simulation display):
// - a plain wire (LinkWire without a symbol) conducts both ways, as do the
//   vertical wires (LinkDown) between rows;
// - a contact (every contact kind: open, closed, pulse, and the branch kinds
//   as their serial twins) conducts from left to right only, when its device
//   lets it;
// - the columns an instruction box covers pass current from left to right
//   only (into the box, never back out of its left side);
// - any other cell does not conduct.
enum class CellPath { None, BothWays, LeftToRight, Contact };

CellPath cellPath(const LadderGrid& grid, int row, int col);

// True when a cell of columns 1 to 9 lies under the instruction box of its
// row: an Empty cell with a wire, from which only such cells lead to an
// application instruction in column 10.
bool coveredByBox(const LadderGrid& grid, int row, int col);

}  // namespace rs::eval

#pragma once

#include "core/ladder_grid.h"

namespace rs::convert {

// The compaction pass of Convert on rows 0..m_nDrawnLastRow: wires reaching
// toward the left rail are extended to it, symbols slide left over plain wire,
// and vertical chains with nothing left of them move one column left.
//
// Its result is that of scanning the rows from row 0, column 2 to 10, and
// starting again at row 0 after every slide or wire extension until a scan
// does neither (chain moves do not start a scan again). `maxRestarts` bounds
// the number of restarts; false when it is reached (the grid is left as it
// is then).
bool compactGrid(LadderGrid& g, int maxRestarts);

}  // namespace rs::convert

#pragma once

#include <string>

#include "core/ladder_grid.h"

namespace rs {

// The ladder of rows 0 to lastRow drawn in text, two lines per grid row: the
// device texts above, the symbols and wires below, between the left rail and
// the right rail; vertical wires as '|' and '+' at the left edge of their
// column; the END row below the last row. Labels and step labels stand in the
// margin.
std::string drawLadderText(const LadderGrid& grid, int lastRow);

}  // namespace rs

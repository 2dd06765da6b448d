#pragma once

#include "core/session.h"

namespace rs {

// Brings the grid into the shape the ladder is drawn in, in the order the
// paint pass applies it: the last row and the END row, the default cursor, the
// step labels (all but row 0 emptied while the program is not compiled), and
// for every cell from row 0 to the END row: a coil or application instruction
// left of column 10 moved there, the cells an instruction box covers laid out,
// an "END" instruction cell removed ("Device setting is wrong!"), and the
// vertical wires of every branch contact. Drawing reads the grid only after
// this has run, so it changes nothing itself.
void tidyGrid(Session& s);

}  // namespace rs

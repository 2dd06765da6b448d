#pragma once

#include <string>
#include <vector>

#include "core/ladder_grid.h"

namespace rs::sim {

// The word devices (T, C, D, V, Z) whose values a running ladder shows under
// cell (row, col), in the order they are written: every word of a contact,
// a coil's own device (a timer or counter), an instruction box's operands
// after its mnemonic. Empty for a cell that shows none.
std::vector<std::string> shownWordDevices(const LadderGrid& grid, int row, int col);

// The bit device a contact of cell (row, col) reads ("X000", "T0"); empty
// when the cell holds no contact.
std::string contactDevice(const LadderGrid& grid, int row, int col);

}  // namespace rs::sim

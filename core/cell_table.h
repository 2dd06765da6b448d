#pragma once

#include <string>
#include <vector>

#include "core/ladder_grid.h"

namespace rs {

// The cell table: a ladder grid as text, one cell a line,
//   ROW COL KIND LINKS TEXT
// ROW and COL decimal, KIND the decimal cell kind, LINKS decimal or 0x hex,
// TEXT the rest of the line after one blank (may be empty). A line starting
// with '#' is a comment, blank lines are skipped; cells not listed are empty.

struct CellTableError {
    int line = 0;  // 1-based line of the table
    std::string problem;
};

struct CellTableResult {
    bool ok = true;
    std::vector<CellTableError> errors;  // the first one stops reading
    int cells = 0;                       // cells written into the grid
};

// Reads a cell table into the grid (cleared first). Rows outside 0..3999,
// columns outside 0..10, kinds outside 0..14, links with bits above 0xFF or
// malformed numbers are refused with their line number; nothing past the first
// refused line is read. The grid's last row becomes the last row holding a
// cell other than an END marker (kind 0, text "END", no links, column 10), so
// the next tidy puts END below the ladder; the other row counters are reset.
CellTableResult readCellTable(const std::string& text, LadderGrid& grid);

// Writes every cell that is not empty (kind, links and text all zero or empty),
// rows 0 up to the last row holding one, in row and column order, links as 0x
// hex. readCellTable of the result gives the same cells.
std::string writeCellTable(const LadderGrid& grid);

}  // namespace rs

#pragma once

#include <string>
#include <vector>

#include "core/instruction_store.h"
#include "core/ladder_grid.h"
#include "core/session.h"

namespace rs::test {

// Fills the table with instruction-list lines as the export writes them
// ("LD X000", "P0:", "END"), each row classified as an entered line is; rows
// after them are left free.
void fillList(InstructionTable& table, const std::vector<std::string>& lines);

// The lines written into the session's table and record lists as Convert
// writes rows (one record of each kind per row).
void loadList(Session& s, const std::vector<std::string>& lines);

// The list rows of a table up to and including "END", as export lines.
std::vector<std::string> listLines(const InstructionTable& table);

// Rows 0 to lastRow of the grid in a compact form, one string per row: for
// columns 1 to 10 a token each, separated by blanks, a label first as "P0:".
// Tokens: "." empty, "-" wire, "=" cell under an instruction box, a contact
// by its device ("X000", "/X000" closed, "P:X000" rising, "F:X000" falling),
// "(Y000)" a coil, "[MOV K10 D0]" a box; "|" before a token marks a vertical
// wire on the left edge of that cell, down to the next row.
std::vector<std::string> compactRows(const LadderGrid& grid, int lastRow);

}  // namespace rs::test

#pragma once

#include <optional>
#include <vector>

#include "core/ladder_grid.h"
#include "online/poll_plan.h"
#include "sim/operand.h"
#include "sim/program.h"
#include "sim/watch.h"

namespace rs::online {

// The bytes of the device image an operand is read from: a bit's byte, the
// bytes of a group's bits, a word's two bytes (four for a 32-bit counter).
// Nothing for constants, labels and the registers V and Z, which live in the
// scan engine and not in the controller's image.
std::optional<ByteSpan> operandSpan(const sim::Operand& op);

// The bytes a watch shows: the value, and a timer's or counter's contact.
std::vector<ByteSpan> watchSpans(const sim::Watch& watch);

// The bytes every operand of a loaded program reads: what one scan over a
// copy of the controller's image needs to tell which rows are on.
std::vector<ByteSpan> programSpans(const sim::Program& program);

// The rows whose cells decide the power flow shown in rows first..last:
// those rows and every row joined to them by a vertical wire, so a rung cut
// by the window's edge is read whole.
struct RowRange {
    int first = 0;
    int last = -1;
};
RowRange rungRows(const LadderGrid& grid, int first, int last);

// The bytes the drawing of a live ladder reads in the rungs of rows
// first..last: every contact's bit and every word value shown under a
// contact, a coil or an instruction box.
std::vector<ByteSpan> ladderSpans(const LadderGrid& grid, int first, int last);

}  // namespace rs::online

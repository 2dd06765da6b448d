#pragma once

#include <optional>

#include "app/model/ladder_geometry.h"
#include "core/session.h"

namespace rs::shell {

enum class Arrow { Left, Right, Up, Down };

// What a cursor key did: whether the cursor moved, and the vertical scroll
// position it asks for.
struct CursorMove {
    bool moved = false;
    std::optional<int> scrollY;
};

// An arrow key on the ladder: the cursor cell moves within the rows up to the
// END row and the columns 1 to 10, never into an instruction box from the left
// beyond its first column.
CursorMove ladderArrow(Session& s, Arrow key, const LadderGeometry& g);
// An arrow key on the instruction list: the cursor line moves within the list.
CursorMove listArrow(Session& s, Arrow key);

// The mouse state of the view between a press and the next press.
struct PointerState {
    Point down;
    Point last;
    bool dragged = false;
};

// Left button down at a scrolled point: the list cursor takes the line (never
// past the END line, which an empty table gets here), the ladder cursor the
// cell when the ladder is shown.
void pressAt(Session& s, PointerState& p, Point at, const LadderGeometry& g);
// Mouse moved with the left button held: the selection runs to this point.
void dragTo(Session& s, PointerState& p, Point at, const LadderGeometry& g);

// Whether a double-click or Enter edits the ladder cell: not the margin, not
// right of the diagram, not below the END row.
bool ladderCellEditable(const LadderGrid& grid, int row, int col);
// The cell a double-click on the ladder edits, or nothing for the margin, the
// right of the diagram and the rows below the END row.
std::optional<Point> ladderDoubleClickCell(const LadderGrid& grid, Point at,
                                           const LadderGeometry& g);

// The index of the END line of the list: the first row whose mnemonic is
// "END", or -1.
int listEndLine(const InstructionTable& table);

}  // namespace rs::shell

#include "core/convert/tidy.h"

#include <algorithm>

#include "core/instruction_set.h"
#include "core/messages.h"

namespace rs {

namespace {

int operandCount(const LadderGrid& g, int row, bool mode2) {
    return classifyInstruction(g.outputMnemonic(row), SelOperandCount, mode2);
}

// A coil or application instruction at (r, c), c < 10, goes to column 10; the
// cells it leaves become wire. Returns whether a parallel-output wire was added
// to the row above (the view then tidies once more).
bool moveOutput(LadderGrid& g, int r, int c, bool mode2) {
    const int32_t kind = g.kind(r, c);
    const CellLinks from = g.links(r, c);
    g.setCell(r, kOutputCol, kind, g.text(r, c), from & (kLinkMask - LinkDown - LinkRight));
    g.removeLinks(r, c, LinkSymbol);
    if (kind == Coil) {
        for (int k = c; k < kOutputCol; ++k) {
            g.setKind(r, k, HorizontalLine);
            g.setText(r, k, {});
            if (k > c) g.addLinks(r, k, LinkWire);
        }
    } else {
        const int n = operandCount(g, r, mode2);
        for (int k = c; k <= 9 - n; ++k) {
            g.setKind(r, k, HorizontalLine);
            g.setText(r, k, {});
            g.addLinks(r, k, LinkWire);
        }
        g.setText(r, c, {});
    }
    if (r >= 1 && c >= 1 && g.links(r, c - 1) == 0 && !g.has(r - 1, c, LinkDown)) {
        g.addLinks(r - 1, c, LinkDown);
        return true;
    }
    return false;
}

// The instruction box in column 10 of row r: an "END" instruction is removed,
// any other covers its operand columns.
void layOutBox(Session& s, int r) {
    LadderGrid& g = s.grid();
    if (g.text(r, kOutputCol) == "END") {
        msg::refuse(s.sink, msg::kDeviceSettingWrong);
        g.clearCell(r, kOutputCol);
        return;
    }
    const int n = operandCount(g, r, s.mode2());
    for (int k = kOutputCol - n; k <= 9; ++k) {
        g.setKind(r, k, Empty);
        g.addLinks(r, k, kBoxCoverLinks);
    }
}

bool tidyOnce(Session& s) {
    LadderGrid& g = s.grid();
    g.m_nLastRow = std::max({g.m_nLastRow, g.m_nDrawnLastRow, g.m_nListLastRow});
    const int endRow = g.m_nLastRow + 1;
    g.setText(endRow, kOutputCol, "END");
    g.m_nDrawnLastRow = g.m_nLastRow;
    if (g.m_nCursorCol == -1) {
        g.m_nCursorRow = 0;
        g.m_nCursorCol = 1;
    }
    g.setRowStep(0, "0");
    bool again = false;
    for (int r = 0; r <= endRow && r < kGridRows; ++r) {
        if (!s.view.m_bCompiled && r != 0) g.setRowStep(r, {});
        for (int c = 0; c < kGridCols; ++c) {
            const int32_t kind = g.kind(r, c);
            if (isOutputKind(kind) && c < kOutputCol) {
                again = moveOutput(g, r, c, s.mode2()) || again;
            } else if (kind == AppInstruction) {
                layOutBox(s, r);
            } else if (isBranchKind(kind) && r >= 1) {
                g.addLinks(r - 1, c, LinkDown | LinkBranchStart);
                g.addLinks(r - 1, c + 1, LinkDown | LinkBranchEnd);
            }
        }
    }
    return again;
}

}  // namespace

void tidyGrid(Session& s) {
    // A parallel-output wire asks for one more pass, which adds no further one
    // (the wire it added blocks the condition).
    if (tidyOnce(s)) tidyOnce(s);
}

}  // namespace rs

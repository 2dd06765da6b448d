#include <algorithm>

#include "core/messages.h"
#include "editor/editor.h"

namespace rs {

// Each of the four wire commands counts as an edit of the ladder whether it
// acted or not: the flags are cleared on every path.

void Editor::horizontalLine() {
    int n = 0;
    LadderGrid& g = grid();
    const int r = g.m_nCursorRow;
    const int c = g.m_nCursorCol;
    if (m_dialogs.enterLineCount(LineCountDialog::EnterHorizontal, n)) {
        // Horizontal wires stand in columns 1 to 9 of the ladder's rows.
        if (c < 1 || c >= kOutputCol || c + n > kOutputCol || r < 0 || r > kLastLadderRow) {
            refuse(msg::kExceedsEditRange);
        } else {
            bool emptyRow = true;
            for (int col = 1; col <= kOutputCol; ++col)
                if (g.kind(r, col) != Empty || g.has(r, col, LinkDown)) emptyRow = false;
            if (emptyRow && g.m_nLastRow + 1 > kLastLadderRow) {
                refuse(msg::kExceedsEditRange);
            } else {
                if (emptyRow) ++g.m_nLastRow;  // the line starts a new row
                for (int col = c; col < c + n; ++col) {
                    g.setKind(r, col, HorizontalLine);
                    g.removeLinks(r, col, LinkSymbol);
                    g.addLinks(r, col, LinkWire);
                }
                g.m_nCursorCol = std::min(c + n, static_cast<int>(kOutputCol));
            }
        }
    }
    m_s.commit();
}

void Editor::verticalLine() {
    int n = 0;
    LadderGrid& g = grid();
    const int r = g.m_nCursorRow;
    const int c = g.m_nCursorCol;
    if (m_dialogs.enterLineCount(LineCountDialog::EnterVertical, n)) {
        int above = 0;
        for (int row = r - 1; row >= 0 && g.has(row, c, LinkDown); --row) ++above;
        if (above + n > kMaxVerticalChain || !LadderGrid::inside(r, c) || r + n > kLastLadderRow) {
            refuse(msg::kExceedsEditRange);
        } else {
            if (!g.has(r + n - 1, c, LinkDown)) g.m_nLastRow = std::max(g.m_nLastRow, r + n);
            for (int row = r; row < r + n; ++row) g.addLinks(row, c, LinkDown);
        }
    }
    m_s.commit();
}

void Editor::deleteHorizontalLine() {
    int n = 0;
    LadderGrid& g = grid();
    const int r = g.m_nCursorRow;
    const int c = g.m_nCursorCol;
    if (m_dialogs.enterLineCount(LineCountDialog::DeleteHorizontal, n)) {
        if (c + n > kOutputCol) n = kOutputCol - c;
        for (int col = c; col < c + n; ++col) {
            if (!g.hasWire(r, col) || g.hasSymbol(r, col)) continue;  // symbols stay
            g.setKind(r, col, Empty);
            g.removeLinks(r, col, LinkWire | LinkSymbol | LinkLeft | LinkRight);
        }
    }
    m_s.commit();
}

void Editor::deleteVerticalLine() {
    int n = 0;
    LadderGrid& g = grid();
    const int r = g.m_nCursorRow;
    const int c = g.m_nCursorCol;
    if (m_dialogs.enterLineCount(LineCountDialog::DeleteVertical, n)) {
        if (n > g.m_nDrawnLastRow + 2) {
            refuse(msg::kExceedsEditRange);
        } else {
            // A branch contact whose vertical wire goes becomes a series contact.
            for (int row = r; row < r + n; ++row) {
                if (!g.has(row, c, LinkDown)) continue;
                if (g.has(row, c, LinkBranchStart) && isBranchKind(g.kind(row + 1, c)))
                    g.setKind(row + 1, c, serialTwin(g.kind(row + 1, c)));
                if (g.has(row, c, LinkBranchEnd) && isBranchKind(g.kind(row + 1, c - 1)))
                    g.setKind(row + 1, c - 1, serialTwin(g.kind(row + 1, c - 1)));
                g.removeLinks(row, c, kVerticalBits);
            }
        }
    }
    m_s.commit();
}

}  // namespace rs

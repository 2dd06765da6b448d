#include "core/messages.h"
#include "editor/editor.h"
#include "editor/editor_messages.h"

namespace rs {

namespace {

struct RowSpan {
    int top;
    int bottom;
};

// The rung block of a cell: the rows joined to it by vertical wires at or
// right of its column.
RowSpan rungBlock(const LadderGrid& g, int r, int c) {
    RowSpan b{r, r};
    for (int k = c; k < kOutputCol;) {
        if (b.top > 0 && g.has(b.top - 1, k, LinkDown)) --b.top;
        if (g.has(b.bottom, k, LinkDown) && b.bottom < kGridRows - 1) ++b.bottom;
        const bool downAtBottom = g.has(b.bottom, k, LinkDown) && b.bottom < kGridRows - 1;
        if (b.top > 0 && !g.has(b.top - 1, k, LinkDown) && !downAtBottom)
            ++k;
        else if (b.top == 0 && !downAtBottom)
            ++k;
    }
    return b;
}

// Columns move between the left rail and the outputs only.
bool columnCanMove(int r, int c) {
    return c >= 1 && c <= kOutputCol - 1 && r >= 0 && r <= kLastLadderRow;
}

}  // namespace

void Editor::insertRow() {
    LadderGrid& g = grid();
    const int r = g.m_nCursorRow;
    const int c = g.m_nCursorCol;
    if (!columnCanMove(r, c)) {
        refuse(msg::kEditPositionIncorrect);
        return;
    }
    const RowSpan block = rungBlock(g, r, c);
    for (int b = block.top; b <= block.bottom; ++b) {
        if (g.hasSymbol(b, kOutputCol - 1 - boxOperands(b))) {
            refuse(msg::kCannotInsertColumn);
            m_s.view.m_bUnconvertible = 1;
            return;
        }
    }
    for (int b = block.top; b <= block.bottom; ++b) {
        const int last = kOutputCol - 2 - boxOperands(b);  // last column that moves
        for (int k = last; k >= c; --k) {
            CellLinks links = g.links(b, k);
            if (k == c) links &= static_cast<CellLinks>(kLinkMask - LinkDown);
            g.setCell(b, k + 1, g.kind(b, k), g.text(b, k), links);
        }
        // A vertical wire on the left edge of the cursor column stays there.
        g.setText(b, c, "");
        if (g.hasWire(b, c)) {
            g.setKind(b, c, HorizontalLine);
            g.removeLinks(b, c, LinkSymbol);
            g.addLinks(b, c, c == 1 ? (LinkWire | LinkRight) : kBoxCoverLinks);
        }
    }
    m_s.commit();
}

void Editor::deleteRow() {
    LadderGrid& g = grid();
    const int r = g.m_nCursorRow;
    const int c = g.m_nCursorCol;
    if (!columnCanMove(r, c)) {
        refuse(msg::kEditPositionIncorrect);
        return;
    }
    const RowSpan block = rungBlock(g, r, c);
    for (int b = block.top; b <= block.bottom; ++b) {
        const int n = boxOperands(b);
        // The cursor column lies in this row's instruction box: no column to take out.
        if (c > kOutputCol - 1 - n) continue;
        for (int k = c; k < kOutputCol - 1 - n; ++k) {
            const CellLinks next = g.links(b, k + 1);
            g.setLinks(b, k,
                       static_cast<CellLinks>(
                           (g.links(b, k) & (kLinkMask - LinkWire - LinkSymbol)) | next));
            g.setLinks(b, k + 1, (next & LinkWire) ? kBoxCoverLinks : CellLinks{0});
            g.setKind(b, k, g.kind(b, k + 1));
            g.setText(b, k, g.text(b, k + 1));
        }
        const int last = kOutputCol - 1 - n;
        if (g.hasWire(b, last)) {
            g.setText(b, last, "");
            g.setKind(b, last, HorizontalLine);
        }
    }
    m_s.commit();
}

}  // namespace rs

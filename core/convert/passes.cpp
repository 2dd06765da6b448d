// Preparation passes 1 to 3: connectivity, branch ends and the checking pass.
#include "core/convert/converter.h"

namespace rs::convert {

// Pass 1: every cell learns whether it is connected on its left and right
// side. Bits are only added; column 1 never gets LinkLeft, column 10 never
// LinkRight.
void Converter::passConnectivity() {
    for (int i = 0; i <= lastRow(); ++i) {
        for (int j = 1; j <= kOutputCol; ++j) {
            const bool upDown = i > 0 && has(i - 1, j, LinkDown);
            if (j >= 2 && (wired(i, j - 1) || has(i, j, LinkDown) || upDown))
                m_g.addLinks(i, j, LinkLeft);
            if (j <= 9) {
                const bool upRightDown = i > 0 && has(i - 1, j + 1, LinkDown);
                if (wired(i, j + 1) || has(i, j + 1, LinkDown) || upRightDown)
                    m_g.addLinks(i, j, LinkRight);
            }
        }
    }
}

// Pass 2: a vertical wire opens a branch when the row below continues right
// of it, closes one when the row below arrives from its left, or both. The top
// cell of a vertical chain collects the marks of the cells further down.
void Converter::passBranchEnds() {
    for (int i = 0; i <= lastRow(); ++i) {
        for (int j = 1; j <= kOutputCol; ++j) {
            if (!has(i, j, LinkDown)) continue;
            const bool below = wired(i + 1, j);
            const bool belowLeft = wired(i + 1, j - 1);
            if (below && !belowLeft) {
                m_g.addLinks(i, j, LinkBranchStart);
                m_g.removeLinks(i, j, LinkBranchEnd);
            } else if (belowLeft && !below) {
                m_g.addLinks(i, j, LinkBranchEnd);
                m_g.removeLinks(i, j, LinkBranchStart);
            } else if (below && belowLeft) {
                m_g.addLinks(i, j, LinkBranchStart | LinkBranchEnd);
            }
        }
    }
    for (int j = 1; j <= kOutputCol; ++j) {
        for (int i = 0; i <= lastRow(); ++i) {
            if (!has(i, j, LinkDown) || (i > 0 && has(i - 1, j, LinkDown))) continue;
            CellLinks marks = 0;
            int k = i + 1;
            for (; k <= lastRow() && has(k, j, LinkDown); ++k)
                marks |= L(k, j) & (LinkBranchStart | LinkBranchEnd);
            m_g.addLinks(i, j, marks);
            i = k - 1;
        }
    }
}

// Pass 3: wiring that no instruction list can describe. The pass ends at its
// first report, and Convert stops after it.
void Converter::passCheck() {
    // A mark cell (rising edge, falling edge, invert) is drawn as a wire with
    // its mark whatever its wiring bits say, and no instruction of the list
    // takes it. Holding a symbol, the emitter that meets it reports it; without
    // one it would be read as the wire it sits on, or slid over by the passes,
    // and the mark would drop out of the list unseen: it is reported here, at
    // its cell.
    for (int i = 0; i <= lastRow(); ++i)
        for (int j = 1; j <= kOutputCol; ++j)
            if (isMarkKind(m_g.kind(i, j)) && !sym(i, j)) return reportUnconvertible(i, j);
    for (int i = 0; i <= lastRow(); ++i) {
        for (int j = 2; j <= kOutputCol; ++j) {
            const CellLinks l = L(i, j);
            if (l & LinkDown) {
                // A vertical wire that only passes this row on its way down
                // (a split wire past the rows of an earlier branch) joins
                // nothing here; the rung's meaning check judges the rung.
                const bool passing = has(i - 1, j, LinkDown) && has(i + 1, j, LinkDown);
                const bool open = (l & (LinkBranchStart | LinkBranchEnd)) == 0 && !passing;
                // The columns of an instruction box are Empty cells with a
                // wire: a vertical wire down onto them feeds the box.
                const bool nothingBelow = m_g.kind(i + 1, j - 1) == Empty && !wired(i + 1, j - 1) &&
                                          m_g.kind(i + 1, j) == Empty && !wired(i + 1, j) &&
                                          !has(i + 1, j, LinkDown);
                if (open || nothingBelow) return reportUnconvertible(i, j);
            }
            if (l & LinkWire) {
                const bool joined = j == kOutputCol
                                        ? (l & LinkLeft) != 0
                                        : (l & (LinkLeft | LinkRight)) == (LinkLeft | LinkRight);
                if (!joined) return reportUnconvertible(i, j);
            }
            if (m_g.kind(i, 9) == HorizontalLine && !isOutputKind(m_g.kind(i, kOutputCol)) &&
                !(i > 0 && has(i - 1, kOutputCol, LinkDown))) {
                reportUnconvertible(i, kOutputCol);
                m_s.view.m_bUnconvertible = 0;
                return;
            }
            if (sym(i, kOutputCol)) {
                const bool looseWire = m_g.kind(i, j) == HorizontalLine &&
                                       m_g.kind(i, j - 1) == Empty && !has(i, j, LinkDown) &&
                                       !(i > 0 && has(i - 1, j, LinkBranchStart));
                if (looseWire) return reportUnconvertible(i, kOutputCol);
                bool allPlain = true, allBare = true;
                for (int k = 1; k <= 9; ++k) {
                    if (!plainWire(i, k)) allPlain = false;
                    if (wired(i, k) || sym(i, k)) allBare = false;
                }
                if (allPlain || allBare) return reportUnconvertible(i, kOutputCol);
            }
        }
    }
}

}  // namespace rs::convert

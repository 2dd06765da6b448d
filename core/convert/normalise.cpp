// Preparation passes 4 to 9: the grid is normalised in place so that the
// compile walk meets every rung in one shape.
#include <algorithm>

#include "core/convert/compaction.h"
#include "core/convert/converter.h"

namespace rs::convert {

namespace {
constexpr CellLinks kLowBits = LinkWire | LinkSymbol | LinkLeft | LinkRight;  // 0x00F
}  // namespace

// Pass 4: wires reaching toward the left rail are extended to it, symbols
// slide left over plain wire, and vertical chains with nothing left of them
// move left (compaction.cpp). The number of restarts is bounded.
void Converter::passCompaction() {
    if (!compactGrid(m_g, m_limits.compactionRestarts)) reportUnconvertible(0, 1);
}

// Pass 5: a branch whose row is empty between its ends takes the row below it
// (a branch drawn one row too low). Repeats until nothing is left to take; the
// repetitions are bounded.
void Converter::passEmptyBranches() {
    int repeats = 0;
    bool repeat = true;
    while (repeat) {
        repeat = false;
        int markRow = 0, markCol = 1;
        for (int i = 0; i <= lastRow(); ++i) {
            for (int j = 1; j <= kOutputCol; ++j) {
                auto emptyBelowLeft = [&] {
                    return has(i, j, LinkBranchEnd) && !sym(i + 1, j - 1) && !wired(i + 1, j - 1);
                };
                if (!emptyBelowLeft()) continue;
                int a = 1;
                if (j == 1) {
                    if (!has(i, 0, LinkBranchStart)) continue;
                    a = 0;
                } else {
                    for (int k = j - 1; k >= 1; --k) {
                        if (has(i, k, LinkBranchStart)) {
                            a = k;
                            break;
                        }
                    }
                }
                auto rowEmpty = [&] {
                    for (int k = a; k <= j - 1; ++k)
                        if (wired(i + 1, k)) return false;
                    return true;
                };
                if (rowEmpty()) {
                    if (has(i + 1, a, LinkBranchEnd) || has(i + 2, a, LinkBranchStart)) {
                        m_g.addLinks(i + 1, a, L(i + 2, a) & kLowBits);
                        m_g.removeLinks(i + 2, a, kLowBits);
                        if (has(i + 1, a, LinkBranchEnd) && !has(i + 2, a, LinkBranchStart))
                            m_g.removeLinks(i + 1, a, LinkBranchStart);
                    } else {
                        m_g.setLinks(i + 1, a, kLowBits);
                        m_g.setLinks(i + 2, a, 0);
                    }
                    if (!has(i + 2, j, LinkBranchEnd)) {
                        if (!has(i + 1, j, LinkBranchStart))
                            m_g.setLinks(i + 1, j, L(i + 1, j) & kLowBits);
                        else
                            m_g.removeLinks(i + 1, j, LinkBranchEnd);
                    }
                    for (int k = a + 1; k <= j - 1; ++k) {
                        m_g.setLinks(i + 1, k, L(i + 2, k));
                        m_g.setLinks(i + 2, k, 0);
                    }
                    for (int k = a; k <= j - 1; ++k) {
                        m_g.setKind(i + 1, k, m_g.kind(i + 2, k));
                        m_g.setText(i + 1, k, m_g.text(i + 2, k));
                        m_g.setKind(i + 2, k, Empty);
                        m_g.setText(i + 2, k, {});
                    }
                }
                if (emptyBelowLeft() && rowEmpty()) {
                    repeat = true;
                    markRow = i;
                    markCol = j;
                }
            }
        }
        if (repeat && ++repeats > m_limits.emptyBranchRepeats) {
            reportUnconvertible(markRow, markCol);
            return;
        }
    }
}

// Pass 6: a branch that never rejoins its row and carries an output of its
// own is an output branch; its start is marked LinkVisited, and a start
// higher up the same vertical chain takes the mark too.
void Converter::passOutputBranches() {
    for (int i = 0; i <= lastRow(); ++i) {
        for (int j = 2; j <= kOutputCol; ++j) {
            if (!has(i, j, LinkBranchStart)) continue;
            bool rejoins = false;
            for (int k = j + 1; k <= kOutputCol && !rejoins; ++k)
                rejoins = has(i, k, LinkDown) && wired(i + 1, k - 1);
            if (!rejoins && sym(i + 1, kOutputCol)) m_g.addLinks(i, j, LinkVisited);
        }
    }
    for (int j = 2; j <= kOutputCol; ++j) {
        for (int i = lastRow() - 1; i >= 0; --i) {
            if (has(i, j, LinkBranchStart | LinkBranchEnd) && has(i, j, LinkDown) &&
                has(i + 1, j, LinkDown) && has(i + 1, j, LinkVisited))
                m_g.addLinks(i, j, LinkVisited);
        }
    }
}

// Pass 7: output branches that hang below empty gap rows are moved up under
// their rung.
void Converter::passRegroup() {
    for (int a = 0; a <= lastRow(); ++a) {
        int r = a, g = 0, b = 0;
        for (int k = 1; k <= kOutputCol && g == 0; ++k) {
            while (r < kGridRows - 1 && has(r, k, LinkVisited) && !wired(r + 1, k)) {
                bool rowBelowBare = true;
                for (int m = k; m <= kOutputCol; ++m)
                    rowBelowBare = rowBelowBare && !wired(a + 1, m);
                if (rowBelowBare) ++g;
                ++r;
            }
            if (g != 0) b = k;
        }
        if (g == 0) continue;
        int E = r + 1, c = r;
        for (int m = b; m <= kOutputCol; ++m) {
            while (c < kGridRows - 1 && has(c, m, LinkBranchEnd)) ++c;
            E = std::max(E, c);
        }
        E = std::min(E, kGridRows - 1);
        const bool startBelow = has(E, b, LinkBranchStart);
        for (int s = r + 1; s <= E; ++s) {
            const int d = a + 1 + (s - r - 1);
            for (int m = b; m <= kOutputCol; ++m) {
                m_g.setKind(d, m, m_g.kind(s, m));
                m_g.setText(d, m, m_g.text(s, m));
                m_g.setKind(s, m, Empty);
                m_g.setText(s, m, {});
            }
            for (int m = b + 1; m <= kOutputCol; ++m) {
                m_g.setLinks(d, m, L(s, m));
                m_g.setLinks(s, m, 0);
            }
            const CellLinks src = L(s, b);
            const bool destHadEnd = has(d, b, LinkBranchEnd);
            if (startBelow) {
                if (src & LinkBranchEnd) {
                    m_g.setLinks(d, b, src);
                    m_g.setLinks(s, b, src & (LinkDown | LinkBranchEnd | LinkBranchStart));
                } else {
                    m_g.setLinks(d, b, destHadEnd ? (L(a, b) | LinkDown | LinkBranchEnd) : src);
                    m_g.setLinks(s, b, LinkDown | LinkBranchStart);
                }
            } else {
                if (src & LinkBranchEnd) {
                    m_g.setLinks(d, b, src);
                    m_g.setLinks(s, b, src & (LinkDown | LinkBranchEnd));
                } else {
                    m_g.setLinks(d, b, destHadEnd ? (src | LinkDown | LinkBranchEnd) : src);
                    m_g.setLinks(s, b, 0);
                }
            }
        }
        if (E - r < g) {
            for (int row = a + g; row <= E - 1; ++row)
                if (!has(row, b, LinkBranchEnd)) m_g.setLinks(row, b, 0);
        }
    }
}

// Pass 8: rows without any wire and without a label are removed; the rows
// below move up, their labels with them.
void Converter::passEmptyRows() {
    const int last = lastRow();
    int to = 0;
    for (int from = 0; from <= last; ++from) {
        bool any = !m_g.text(from, 0).empty();
        for (int k = 1; k <= kOutputCol && !any; ++k) any = wired(from, k);
        if (!any) continue;
        if (to != from) {
            for (int k = 0; k < kGridCols; ++k) {
                m_g.setCell(to, k, m_g.kind(from, k), m_g.text(from, k), L(from, k));
                m_g.clearCell(from, k);
            }
        }
        ++to;
    }
    for (int row = to; row <= last; ++row)
        for (int k = 0; k < kGridCols; ++k) m_g.clearCell(row, k);
    m_g.m_nDrawnLastRow = to - 1;
    m_g.m_nLastRow = to - 1;
    m_g.m_nListLastRow = to - 1;
}

// Pass 9: when a branch row runs on in plain wire after an inner branch has
// closed, the inner branch is stretched to close where the outer one does, so
// that stacked blocks end in one column.
void Converter::passBranchGaps() {
    for (int i = 0; i <= lastRow(); ++i) {
        for (int j = 2; j <= kOutputCol; ++j) {
            if (!has(i, j, LinkBranchEnd)) continue;
            int start = 1;
            for (int k = j - 1; k >= 1; --k) {
                if (has(i, k, LinkBranchStart)) {
                    start = k;
                    break;
                }
            }
            int plain = 0;
            for (int k = j - 1; k >= start; --k) plain += plainWire(i + 1, k) ? 1 : 0;
            if (plain <= 1) continue;
            for (int m = j - 1; m > start; --m) {
                if (!plainWire(i + 1, m)) break;
                if (!has(i + 1, m, LinkBranchEnd)) continue;
                for (int k = m; k <= j - 1; ++k) {
                    m_g.addLinks(i + 2, k, kBoxCoverLinks);
                    m_g.setKind(i + 2, k, HorizontalLine);
                }
                m_g.removeLinks(i + 1, m, LinkDown | LinkBranchEnd);
                m_g.addLinks(i + 1, j, LinkDown | LinkBranchEnd);
            }
        }
    }
}

}  // namespace rs::convert

#include "core/convert/compaction.h"

#include <algorithm>
#include <array>

#include "core/convert/row_bits.h"

namespace rs::convert {

namespace {

constexpr CellLinks kChainBits = LinkDown | LinkBranchEnd | LinkBranchStart;

// The rows the pass may read: the drawn rows, the row below them, and further
// down as long as a vertical wire goes on from the row before (every chain
// starting in the drawn rows ends within them).
int rowsRead(const LadderGrid& g) {
    int rows = g.m_nDrawnLastRow + 2;
    auto goesOn = [&](int r) {
        for (int c = 0; c < kGridCols; ++c)
            if (g.has(r, c, LinkDown)) return true;
        return false;
    };
    while (rows < kGridRows && goesOn(rows - 1)) ++rows;
    return std::min(rows, kGridRows);
}

class Compaction {
  public:
    explicit Compaction(LadderGrid& g)
        : m_g(g), m_last(g.m_nDrawnLastRow), m_rows(m_last + 1, true) {
        const int rows = rowsRead(g);
        for (size_t c = 0; c < kGridCols; ++c) m_down[c] = m_symbol[c] = RowBits(rows, false);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < kGridCols; ++c) note(r, c);
    }

    bool run(int maxRestarts) {
        if (m_last < 0) return true;
        int restarts = 0;
        bool again = true;
        while (again) {
            again = false;
            for (int i = m_rows.nextSet(0); i >= 0 && !again; i = m_rows.nextSet(i + 1)) {
                bool acted = false;
                for (int j = 2; j <= kOutputCol && !again; ++j) {
                    acted = moveChain(i, j) || acted;
                    again = slideOrExtend(i, j);
                }
                if (!acted && !again) m_rows.set(i, false);
            }
            if (again && ++restarts > maxRestarts) return false;
        }
        return true;
    }

  private:
    using Columns = std::array<RowBits, kGridCols>;

    CellLinks L(int r, int c) const { return m_g.links(r, c); }
    bool has(int r, int c, CellLinks b) const { return m_g.has(r, c, b); }
    bool sym(int r, int c) const { return m_g.hasSymbol(r, c); }
    bool wired(int r, int c) const { return m_g.hasWire(r, c); }
    bool plainWire(int r, int c) const { return wired(r, c) && !sym(r, c); }
    // Keeps the column bit sets in step with a cell just written.
    void note(int r, int c) {
        m_down[static_cast<size_t>(c)].set(r, has(r, c, LinkDown));
        m_symbol[static_cast<size_t>(c)].set(r, sym(r, c));
    }

    // A vertical chain starting at (i, j), with no symbol left of the rows it
    // spans (down to the row it reaches), moves one column left.
    bool moveChain(int i, int j) {
        if (!has(i, j, LinkDown) || (i > 0 && has(i - 1, j, LinkDown))) return false;
        const int n = std::min(m_down[static_cast<size_t>(j)].nextClear(i), kGridRows) - i;
        if (m_symbol[static_cast<size_t>(j - 1)].anySet(i, i + n)) return false;
        for (int k = 0; k < n; ++k) {
            const CellLinks bits = L(i + k, j) & kChainBits;
            m_g.addLinks(i + k, j - 1, bits);
            m_g.removeLinks(i + k, j, kChainBits);
            m_g.setLinks(i + k + 1, j - 1, L(i + k + 1, j - 1) & kChainBits);
            m_g.setKind(i + k + 1, j - 1, Empty);
            m_g.setText(i + k + 1, j - 1, {});
            note(i + k, j - 1);
            note(i + k, j);
            note(i + k + 1, j - 1);
        }
        touched(i, i + n, 0, kGridCols - 1);
        return true;
    }

    // A symbol slides left over the plain wire before it, or a wire whose left
    // neighbour holds none is extended into it. True when either happened.
    // A slide changes the symbols of columns j-1 and j, which the chains of
    // columns j and j+1 read; an extension changes no symbol and no vertical
    // wire.
    bool slideOrExtend(int i, int j) {
        const bool downHere = has(i, j, LinkDown) || (i > 0 && has(i - 1, j, LinkDown));
        if (downHere) return false;
        if (sym(i, j) && has(i, j, LinkRight) && plainWire(i, j - 1)) {
            m_g.setCell(i, j - 1, m_g.kind(i, j), m_g.text(i, j), L(i, j - 1) | L(i, j));
            m_g.setCell(i, j, HorizontalLine, {}, kBoxCoverLinks);
            note(i, j - 1);
            note(i, j);
            touched(i, i, j, j + 1);
        } else if (wired(i, j) && !wired(i, j - 1)) {
            m_g.addLinks(i, j - 1, LinkWire);
            m_g.setKind(i, j - 1, HorizontalLine);
            touched(i, i, 0, -1);
        } else {
            return false;
        }
        return true;
    }

    // Rows a..b changed in columns colFrom..colTo. A row's conditions read
    // only that row, the vertical wires of the row above it and, for a chain
    // starting in it, the vertical wires of the chain and the symbols left of
    // it; so the rows that may act now are a..b, the row below them and the
    // first row of every chain that reaches into them from above in a column
    // whose chain reads a changed cell. Every other row that did nothing in
    // an earlier scan would do nothing again and is skipped.
    void touched(int a, int b, int colFrom, int colTo) {
        for (int r = std::max(0, a); r <= std::min(m_last, b + 1); ++r) m_rows.set(r, true);
        const int above = std::min(a - 1, m_last);
        if (above < 0) return;
        for (int j = std::max(colFrom, 0); j <= std::min(colTo, kGridCols - 1); ++j) {
            const RowBits& down = m_down[static_cast<size_t>(j)];
            if (down.test(above)) m_rows.set(down.lastClear(above) + 1, true);
        }
    }

    LadderGrid& m_g;
    const int m_last;
    RowBits m_rows;    // rows that may act in the next scan
    Columns m_down;    // per column, the rows with a vertical wire down from the cell
    Columns m_symbol;  // per column, the rows whose cell holds a symbol
};

}  // namespace

bool compactGrid(LadderGrid& g, int maxRestarts) {
    return Compaction(g).run(maxRestarts);
}

}  // namespace rs::convert

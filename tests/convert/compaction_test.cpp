// The compaction pass against a plain statement of it: scan every row from
// row 0, start again after every slide or wire extension. Both run on the
// same grids (drawn as a user draws them, filled at random, and the long
// shapes of the benchmarks) and must leave every cell the same, with the same
// answer when the restarts run out.
#include "core/convert/compaction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>

#include "core/convert/tidy.h"
#include "tests/convert/ladder_gen.h"
#include "tests/support/test_session.h"

namespace rs::test {
namespace {

constexpr CellLinks kChain = LinkDown | LinkBranchEnd | LinkBranchStart;

// Every row scanned after every restart: slow, and the definition.
bool referenceCompaction(LadderGrid& g, int maxRestarts) {
    const int last = g.m_nDrawnLastRow;
    auto sym = [&](int r, int c) { return g.hasSymbol(r, c); };
    auto wired = [&](int r, int c) { return g.hasWire(r, c); };
    for (int restarts = 0;;) {
        bool again = false;
        for (int i = 0; i <= last && !again; ++i) {
            for (int j = 2; j <= kOutputCol && !again; ++j) {
                if (g.has(i, j, LinkDown) && !(i > 0 && g.has(i - 1, j, LinkDown))) {
                    int n = 1;
                    while (i + n < kGridRows && g.has(i + n, j, LinkDown)) ++n;
                    bool free = true;
                    for (int k = 0; k <= n; ++k) free = free && !sym(i + k, j - 1);
                    for (int k = 0; free && k < n; ++k) {
                        g.addLinks(i + k, j - 1, g.links(i + k, j) & kChain);
                        g.removeLinks(i + k, j, kChain);
                        g.setLinks(i + k + 1, j - 1, g.links(i + k + 1, j - 1) & kChain);
                        g.setKind(i + k + 1, j - 1, Empty);
                        g.setText(i + k + 1, j - 1, {});
                    }
                }
                if (g.has(i, j, LinkDown) || (i > 0 && g.has(i - 1, j, LinkDown))) continue;
                if (sym(i, j) && g.has(i, j, LinkRight) && wired(i, j - 1) && !sym(i, j - 1)) {
                    g.setCell(i, j - 1, g.kind(i, j), g.text(i, j),
                              g.links(i, j - 1) | g.links(i, j));
                    g.setCell(i, j, HorizontalLine, {}, kBoxCoverLinks);
                    again = true;
                } else if (wired(i, j) && !wired(i, j - 1)) {
                    g.addLinks(i, j - 1, LinkWire);
                    g.setKind(i, j - 1, HorizontalLine);
                    again = true;
                }
            }
        }
        if (!again) return true;
        if (++restarts > maxRestarts) return false;
    }
}

std::string firstDifference(const LadderGrid& a, const LadderGrid& b, int rows) {
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < kGridCols; ++c)
            if (a.kind(r, c) != b.kind(r, c) || a.links(r, c) != b.links(r, c) ||
                a.text(r, c) != b.text(r, c))
                return "cell " + std::to_string(r) + " " + std::to_string(c);
    return {};
}

class Compaction : public ::testing::Test {
  protected:
    // Compacts a copy of `g` both ways; empty when they agree.
    std::string compare(const LadderGrid& g, int maxRestarts) {
        const int rows = std::max(72, g.m_nDrawnLastRow + 2);
        copyRows(g, *fast, rows);
        copyRows(g, *slow, rows);
        const bool fastDone = convert::compactGrid(*fast, maxRestarts);
        const bool slowDone = referenceCompaction(*slow, maxRestarts);
        if (fastDone != slowDone) return "the restarts ran out in one of them only";
        return firstDifference(*fast, *slow, rows);
    }
    // The first rows of `from` (the rest of each grid stays empty).
    static void copyRows(const LadderGrid& from, LadderGrid& to, int rows) {
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < kGridCols; ++c)
                to.setCell(r, c, from.kind(r, c), from.text(r, c), from.links(r, c));
        to.m_nDrawnLastRow = from.m_nDrawnLastRow;
    }
    std::unique_ptr<LadderGrid> fast = std::make_unique<LadderGrid>();
    std::unique_ptr<LadderGrid> slow = std::make_unique<LadderGrid>();
};

TEST_F(Compaction, SameAsScanningEveryRowOnDrawnGrids) {
    TestSession t;
    for (uint32_t seed = 1; seed <= 3000; ++seed) {
        const GenLadder ladder = generateDrawnGrid(seed);
        drawLadder(ladder, t.session.grid(), 64);
        tidyGrid(t.session);
        ASSERT_EQ(compare(t.session.grid(), 200000), "") << "seed " << seed;
    }
}

// Random bits in every cell, vertical wires of any length among them; some
// runs with so few restarts allowed that they run out half way.
TEST_F(Compaction, SameAsScanningEveryRowOnRandomGrids) {
    std::mt19937 rng(25);
    std::uniform_int_distribution<int> pct(0, 99), kind(0, 16), links(0, 0x7F), rows(1, 60);
    auto grid = std::make_unique<LadderGrid>();
    for (int n = 0; n < 3000; ++n) {
        for (int r = 0; r < 72; ++r)
            for (int c = 0; c < kGridCols; ++c) grid->clearCell(r, c);
        const int last = rows(rng) - 1;
        const int density = 20 + pct(rng) % 70;
        // Some grids hold cells below their last drawn row too.
        const int filled = last + (n % 3 == 0 ? pct(rng) % 8 : 0);
        for (int r = 0; r <= filled; ++r)
            for (int c = 0; c < kGridCols; ++c)
                if (pct(rng) < density)
                    grid->setCell(r, c, kind(rng), pct(rng) < 50 ? "X001" : "",
                                  static_cast<CellLinks>(links(rng)));
        grid->m_nDrawnLastRow = last;
        const int maxRestarts = n % 4 == 0 ? pct(rng) % 20 : 200000;
        ASSERT_EQ(compare(*grid, maxRestarts), "") << "grid " << n;
    }
}

// Long shapes: every row's contacts slide, and a vertical wire down the whole
// grid beside them.
TEST_F(Compaction, SameAsScanningEveryRowOnLongGrids) {
    auto grid = std::make_unique<LadderGrid>();
    for (int shape = 0; shape < 3; ++shape) {
        grid->clearAll();
        const int last = 399;
        for (int r = 0; r <= last; ++r) {
            for (int c = 1; c <= 9; ++c) {
                const bool contact = c >= 5 - shape;
                grid->setCell(
                    r, c, contact ? OpenContact : HorizontalLine, contact ? "X001" : "",
                    contact ? LinkWire | LinkSymbol | LinkLeft | LinkRight : kBoxCoverLinks);
            }
            if (shape == 2 && r < last) grid->addLinks(r, 9, LinkDown);
            grid->setCell(r, kOutputCol, Coil, "Y000", LinkWire | LinkSymbol | LinkLeft);
        }
        grid->m_nDrawnLastRow = last;
        ASSERT_EQ(compare(*grid, 200000), "") << "shape " << shape;
    }
}

}  // namespace
}  // namespace rs::test

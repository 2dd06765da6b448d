// Grids made at random, not as any editor would: every kind (and some that
// are none), random texts and wiring bits in every cell, content down to row
// 3999. Convert must end, leave the table within its rows, and keep its record
// lists equal to the table whenever it reports the program compiled.
#include <gtest/gtest.h>

#include <random>

#include "core/convert/convert.h"
#include "tests/convert/ladder_gen.h"
#include "tests/support/test_session.h"

namespace rs::test {
namespace {

const char* const kTexts[] = {
    "",         "X000", "Y001", "M10",        "T0 K10", "END",  "FEND", "SRET",
    "FOR",      "NEXT", "P0",   "MOV K10 D0", "CJ P0",  "K4M0", "X",    "MOV K1 D0 D1 D2 D3 D4 X0",
    "\x01\xff:"};

void fillRandom(LadderGrid& g, std::mt19937& rng, int firstRow, int rows, int density) {
    std::uniform_int_distribution<int> pct(0, 99), kind(-2, 16), text(0, 16), links(0, 0xFF);
    for (int r = firstRow; r < firstRow + rows && r < kGridRows; ++r)
        for (int c = 0; c < kGridCols; ++c)
            if (pct(rng) < density)
                g.setCell(r, c, kind(rng), kTexts[text(rng)], static_cast<CellLinks>(links(rng)));
}

void checkRun(TestSession& t) {
    const ConvertOutcome out = convertLadder(t.session);
    EXPECT_TRUE(out.ran);
    EXPECT_LE(out.rows, kListRows);
    const InstructionTable& table = t.session.table();
    if (out.compiled) {
        EXPECT_TRUE(store::listsConsistent(t.view.records));
        const int used = table.usedRows();
        ASSERT_GT(used, 0);
        EXPECT_EQ(table.m_Instruction[used - 1], "END");
        EXPECT_EQ(t.view.records.m_InstructionList.size(), static_cast<size_t>(used));
    }
    const LadderGrid& g = t.session.grid();
    EXPECT_LT(g.m_nDrawnLastRow, kGridRows);
    EXPECT_GE(g.m_nDrawnLastRow, -1);
}

TEST(ConvertRobustness, SmallDenseRandomGridsEnd) {
    std::mt19937 rng(20261208);
    TestSession t;
    for (int i = 0; i < 400; ++i) {
        SCOPED_TRACE(i);
        t.session.grid().clearAll();
        const int rows = 1 + static_cast<int>(rng() % 24);
        fillRandom(t.session.grid(), rng, 0, rows, 20 + static_cast<int>(rng() % 80));
        t.session.grid().m_nLastRow = rows - 1;
        t.session.grid().m_nDrawnLastRow = -1;
        t.session.grid().m_nListLastRow = static_cast<int>(rng() % 3) - 1;
        t.session.commit();
        checkRun(t);
        // A second and a third F4 on what the first one left.
        checkRun(t);
        checkRun(t);
    }
}

TEST(ConvertRobustness, GridsReachingTheLastRowEnd) {
    std::mt19937 rng(4000);
    TestSession t;
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        t.session.grid().clearAll();
        LadderGrid& g = t.session.grid();
        // The top rows, a band in the middle and the very bottom of the grid.
        fillRandom(g, rng, 0, 8, 60);
        fillRandom(g, rng, 1990 + i, 12, 60);
        fillRandom(g, rng, kGridRows - 10, 10, 80);
        g.m_nLastRow = kGridRows - 1;
        g.m_nDrawnLastRow = kGridRows - 1;
        t.session.commit();
        checkRun(t);
    }
}

// Well-formed ladders with a few cells damaged at random, drawn at the top,
// in the middle or against the last row of the grid: these pass the checking
// pass often enough to drive every later pass and the walk into odd corners.
TEST(ConvertRobustness, DamagedLaddersAnywhereInTheGridEnd) {
    std::mt19937 rng(77);
    TestSession t;
    GenOptions options;
    options.blocksInOutputs = true;
    int walked = 0;
    for (uint32_t seed = 1; seed <= 1500; ++seed) {
        SCOPED_TRACE(seed);
        GenLadder ladder = generateLadder(seed, options);
        // One in twenty against the last row, one in twenty in the middle.
        const int place = seed % 20;
        const int offset = place == 0 ? kGridRows - 1 - ladder.lastRow : place == 1 ? 1500 : 0;
        for (auto& c : ladder.cells) c.row += offset;
        const int damage = 1 + static_cast<int>(rng() % 3);
        for (int d = 0; d < damage && !ladder.cells.empty(); ++d) {
            GenCell& c = ladder.cells[rng() % ladder.cells.size()];
            switch (rng() % 4) {
                case 0:
                    c.kind = static_cast<int32_t>(rng() % 16);
                    break;
                case 1:
                    c.links ^= static_cast<CellLinks>(1u << (rng() % 8));
                    break;
                case 2:
                    c.col = static_cast<int>(rng() % kGridCols);
                    break;
                default:
                    c.text = kTexts[rng() % 17];
                    break;
            }
        }
        LadderGrid& g = t.session.grid();
        for (int r = 0; r <= ladder.lastRow + 2 && r < kGridRows; ++r)
            for (int c = 0; c < kGridCols; ++c) {
                g.clearCell(r + offset, c);
                g.clearCell(r, c);
            }
        drawLadder(ladder, g, 0);
        g.m_nLastRow = std::min(ladder.lastRow + offset, kGridRows - 1);
        t.session.commit();
        const ConvertOutcome out = convertLadder(t.session);
        walked += out.rows > 0 ? 1 : 0;
        checkRun(t);
        for (int r = 0; r < kGridRows; ++r) g.setRowStep(r, {});
    }
    EXPECT_GT(walked, 300);  // a fair share reached the walk
}

// Every row joined to the next by a vertical wire: one rung of 4000 rows, taller
// than the meaning check and the series-parallel compiler take. Reported, in
// the time of an ordinary Convert.
TEST(ConvertRobustness, RungOfTheWholeGridIsReported) {
    TestSession t;
    LadderGrid& g = t.session.grid();
    for (int r = 0; r < kGridRows; ++r) {
        g.setCell(r, 1, OpenContact, "X00" + std::to_string(r % 8), LinkWire | LinkSymbol);
        for (int c = 2; c <= 9; ++c) g.setCell(r, c, HorizontalLine, {}, LinkWire);
        if (r + 1 < kGridRows) g.addLinks(r, 2 + r % 7, LinkDown);
        g.setCell(r, 10, Coil, "Y000", LinkWire | LinkSymbol);
    }
    g.m_nLastRow = kGridRows - 1;
    t.session.commit();
    const ConvertOutcome out = convertLadder(t.session);
    EXPECT_FALSE(out.compiled);
}

TEST(ConvertRobustness, FullGridOfOneRungARowStopsAtTheStepLimit) {
    TestSession t;
    LadderGrid& g = t.session.grid();
    for (int r = 0; r < kGridRows; ++r) {
        g.setCell(r, 1, OpenContact, "X000", LinkWire | LinkSymbol);
        for (int c = 2; c <= 9; ++c) g.setCell(r, c, HorizontalLine, {}, LinkWire);
        g.setCell(r, 10, Coil, "Y000", LinkWire | LinkSymbol);
    }
    g.m_nLastRow = kGridRows - 1;
    t.session.commit();
    const ConvertOutcome out = convertLadder(t.session);
    EXPECT_TRUE(out.stepOverflow);
    EXPECT_FALSE(out.compiled);
    EXPECT_EQ(out.rows, 400);
}

}  // namespace
}  // namespace rs::test

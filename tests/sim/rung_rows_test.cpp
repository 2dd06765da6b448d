// The rung of each list row, found from the step labels of a converted
// ladder: on generated ladders every output row of the list falls in the rung
// whose grid rows draw that output, and a rung's first list row maps back to it.
#include "sim/rung_rows.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/convert/convert.h"
#include "core/convert/tidy.h"
#include "core/list_text.h"
#include "sim/program.h"
#include "tests/convert/ladder_gen.h"
#include "tests/support/test_session.h"

namespace rs::sim {
namespace {

TEST(SimRungRows, OutputsOfTheListFallInTheRungsThatDrawThem) {
    test::TestSession t;
    int checked = 0, rungs = 0;
    for (uint32_t seed = 7; seed < 207; ++seed) {
        test::GenOptions options;
        options.maxRungs = 6;
        test::drawLadder(test::generateLadder(seed, options), t.session.grid(), 80);
        t.session.commit();
        tidyGrid(t.session);
        if (!convertLadder(t.session).compiled) continue;
        const LadderGrid& grid = t.session.grid();
        const InstructionTable& table = t.session.table();
        RungRows map;
        map.prepare(grid, table, t.session.mode2());
        const std::vector<eval::ListRow> rows = eval::tableRows(table);
        LoadError error;
        const auto program = loadProgram(rows, error);
        ASSERT_TRUE(program) << error.message;
        // Rung first rows in order of the grid, each with the row after it ends.
        std::vector<int> starts;
        for (int r = 0; r <= grid.m_nLastRow + 1; ++r)
            if (!grid.rowStep(r).empty()) starts.push_back(r);
        int previous = -1;
        for (int k = 0; k < static_cast<int>(rows.size()); ++k) {
            const int g = map.gridRowOf(k);
            ASSERT_GE(g, previous) << "seed " << seed << " row " << k;
            ASSERT_FALSE(grid.rowStep(g).empty()) << "seed " << seed << " row " << k;
            previous = g;
            // Coils of Y, M and S, and instruction boxes, as the grid writes them.
            const Op op = program->rows[static_cast<size_t>(k)].op;
            if (op != Op::Out && op < Op::Mov) continue;
            const std::string drawn =
                op == Op::Out ? rows[k].operand : rows[k].mnemonic + " " + rows[k].operand;
            const auto next = std::upper_bound(starts.begin(), starts.end(), g);
            const int end = next == starts.end() ? grid.m_nLastRow + 1 : *next;
            bool found = false;
            for (int r = g; r < end && !found; ++r) found = grid.text(r, kOutputCol) == drawn;
            EXPECT_TRUE(found) << "seed " << seed << ": " << drawn << " of row " << k
                               << " not drawn in the rung at grid row " << g << "\n"
                               << listText(table);
        }
        for (const int g : starts) {
            const int k = map.listRowOf(g);
            if (k < 0) continue;
            EXPECT_EQ(map.gridRowOf(k), g) << "seed " << seed;
            EXPECT_TRUE(k == 0 || map.gridRowOf(k - 1) < g) << "the rung's first row";
            ++rungs;
        }
        ++checked;
    }
    EXPECT_GT(checked, 100);
    EXPECT_GT(rungs, 300);
}

TEST(SimRungRows, RowsOfAHandWrittenLadder) {
    test::TestSession t;
    LadderGrid& g = t.session.grid();
    // Rung 0: X000 into Y000; rung 1 (two rows): X001 or X002 into T0 K10.
    const CellLinks symbol = LinkWire | LinkSymbol;
    g.setCell(0, 1, OpenContact, "X000", symbol);
    g.setCell(0, kOutputCol, Coil, "Y000", symbol);
    g.setCell(1, 1, OpenContact, "X001", symbol | LinkDown);
    g.setCell(2, 1, OpenBranch, "X002", symbol);
    g.setCell(1, kOutputCol, Coil, "T0 K10", symbol);
    for (int c = 2; c <= 9; ++c) {
        g.setCell(0, c, HorizontalLine, "", LinkWire);
        g.setCell(1, c, HorizontalLine, "", LinkWire);
    }
    g.m_nLastRow = 2;
    t.session.commit();
    tidyGrid(t.session);
    ASSERT_TRUE(convertLadder(t.session).compiled) << listText(t.session.table());
    RungRows map;
    map.prepare(g, t.session.table(), false);
    // LD X000, OUT Y000, LD X001, OR X002, OUT T0 K10, END
    const int expected[] = {0, 0, 1, 1, 1, 3};
    for (int k = 0; k < 6; ++k) EXPECT_EQ(map.gridRowOf(k), expected[k]) << "row " << k;
    EXPECT_EQ(map.gridRowOf(6), -1);
    EXPECT_EQ(map.gridRowOf(-1), -1);
    EXPECT_EQ(map.listRowOf(0), 0);
    EXPECT_EQ(map.listRowOf(1), 2);
    EXPECT_EQ(map.listRowOf(2), 2) << "any row of the rung";
    EXPECT_EQ(map.listRowOf(3), 5) << "the END row";
}

}  // namespace
}  // namespace rs::sim

#include "app/model/view_input.h"

#include <gtest/gtest.h>

#include "tests/support/test_session.h"

using namespace rs;
using namespace rs::shell;

namespace {

struct Input : ::testing::Test {
    Input() {
        grid().m_nLastRow = grid().m_nDrawnLastRow = 3;
        grid().m_nCursorRow = 0;
        grid().m_nCursorCol = 1;
    }
    LadderGrid& grid() { return *t.view.grid; }
    test::TestSession t;
    LadderGeometry g{1200, 800};
    PointerState p;
};

}  // namespace

TEST_F(Input, LadderArrowsStopAtTheirEdges) {
    EXPECT_FALSE(ladderArrow(t.session, Arrow::Left, g).moved);  // column 1
    EXPECT_FALSE(ladderArrow(t.session, Arrow::Up, g).moved);    // row 0
    grid().m_nCursorCol = 10;
    EXPECT_FALSE(ladderArrow(t.session, Arrow::Right, g).moved);
    grid().m_nCursorCol = 0;  // the margin: neither way
    EXPECT_FALSE(ladderArrow(t.session, Arrow::Left, g).moved);
    EXPECT_FALSE(ladderArrow(t.session, Arrow::Right, g).moved);

    grid().m_nCursorRow = 4;  // the END row
    EXPECT_FALSE(ladderArrow(t.session, Arrow::Down, g).moved);
    const CursorMove up = ladderArrow(t.session, Arrow::Up, g);
    EXPECT_TRUE(up.moved);
    EXPECT_EQ(up.scrollY, 300);
    grid().m_nCursorRow = 6;  // below the END row: stuck
    EXPECT_FALSE(ladderArrow(t.session, Arrow::Up, g).moved);
    EXPECT_FALSE(ladderArrow(t.session, Arrow::Down, g).moved);
}

TEST_F(Input, RightStopsAtTheLeftEndOfAnInstructionBox) {
    grid().setCell(0, 10, AppInstruction, "MOV K10 D0", LinkSymbol);
    grid().m_nCursorCol = 7;
    EXPECT_TRUE(ladderArrow(t.session, Arrow::Right, g).moved);
    EXPECT_EQ(grid().m_nCursorCol, 8);
    EXPECT_FALSE(ladderArrow(t.session, Arrow::Right, g).moved);
}

TEST_F(Input, DownScrollsOnlyPastTheEighthRow) {
    grid().m_nLastRow = grid().m_nDrawnLastRow = 20;
    grid().m_nCursorRow = 6;
    EXPECT_FALSE(ladderArrow(t.session, Arrow::Down, g).scrollY.has_value());
    EXPECT_EQ(ladderArrow(t.session, Arrow::Down, g).scrollY, 800);
}

TEST_F(Input, ListCursorStaysWithinTheList) {
    store::emitRow(*t.app.table, t.view.records, 0, "LD", "X000", 0, 1);
    store::appendEnd(*t.app.table, t.view.records, 1);
    EXPECT_FALSE(listArrow(t.session, Arrow::Up).moved);
    EXPECT_TRUE(listArrow(t.session, Arrow::Down).moved);
    EXPECT_TRUE(listArrow(t.session, Arrow::Down).moved);  // one past: the record count
    EXPECT_FALSE(listArrow(t.session, Arrow::Down).moved);
    EXPECT_EQ(listArrow(t.session, Arrow::Up).scrollY, 25);
}

TEST_F(Input, PressPutsBothCursorsAndNeverPassesTheEndLine) {
    pressAt(t.session, p, {1250, 530}, g);  // right of column 10, below END
    EXPECT_EQ(grid().m_nCursorCol, 10);
    EXPECT_EQ(grid().m_nCursorRow, 5);
    EXPECT_EQ(t.app.table->m_Instruction[0], "END");  // an empty table gets its END line
    EXPECT_EQ(t.view.m_nListCursor, 0);

    t.view.m_bListMode = 1;
    pressAt(t.session, p, {50, 10}, g);
    EXPECT_EQ(grid().m_nCursorCol, 10);  // the ladder cursor keeps its cell in the list
}

TEST_F(Input, DragRecordsTheSelection) {
    pressAt(t.session, p, {350, 250}, g);
    dragTo(t.session, p, {650, 450}, g);
    EXPECT_EQ(grid().m_nCursorRow, 2);
    EXPECT_EQ(grid().m_nCursorCol, 3);
    EXPECT_EQ(t.view.m_nSelEndRow, 4);
    EXPECT_EQ(t.view.m_nSelEndCol, 6);
    EXPECT_TRUE(p.dragged);

    pressAt(t.session, p, {50, 250}, g);  // margin press, then drag: cursor into column 1
    dragTo(t.session, p, {1190, 260}, g);
    EXPECT_EQ(grid().m_nCursorCol, 1);
    EXPECT_EQ(t.view.m_nSelEndCol, 10);

    t.view.m_bListMode = 1;
    pressAt(t.session, p, {10, 10}, g);
    dragTo(t.session, p, {10, 90}, g);
    EXPECT_EQ(t.view.m_nListSelExtent, 3);
}

TEST_F(Input, DoubleClickCells) {
    EXPECT_FALSE(ladderDoubleClickCell(grid(), {50, 50}, g));    // margin
    EXPECT_FALSE(ladderDoubleClickCell(grid(), {1150, 50}, g));  // column 11
    EXPECT_FALSE(ladderDoubleClickCell(grid(), {250, 550}, g));  // below END (row 4)
    EXPECT_EQ(ladderDoubleClickCell(grid(), {250, 450}, g), (Point{2, 4}));
}

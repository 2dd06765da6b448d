// The tidy steps the view runs before drawing, as a function of the model.
#include "core/convert/tidy.h"

#include <gtest/gtest.h>

#include "core/messages.h"
#include "tests/support/test_session.h"

namespace rs::test {
namespace {

struct Tidy : ::testing::Test {
    LadderGrid& g() { return t.session.grid(); }
    TestSession t;
};

TEST_F(Tidy, NewViewGetsEndRowAndCursor) {
    tidyGrid(t.session);
    EXPECT_EQ(g().text(0, 10), "END");
    EXPECT_EQ(g().m_nDrawnLastRow, -1);
    EXPECT_EQ(g().m_nCursorRow, 0);
    EXPECT_EQ(g().m_nCursorCol, 1);
    EXPECT_EQ(g().rowStep(0), "0");
}

TEST_F(Tidy, EndFollowsTheLastRowAndNeverRisesBack) {
    g().setCell(0, 1, OpenContact, "X000", LinkWire | LinkSymbol);
    g().m_nLastRow = 0;
    tidyGrid(t.session);
    EXPECT_EQ(g().text(1, 10), "END");
    EXPECT_EQ(g().m_nDrawnLastRow, 0);
    g().m_nLastRow = -1;  // an edit higher up lowers it; the tidy raises it back
    g().m_nListLastRow = 3;
    tidyGrid(t.session);
    EXPECT_EQ(g().m_nLastRow, 3);
    EXPECT_EQ(g().text(4, 10), "END");
}

TEST_F(Tidy, CoilMovesToColumnTenOverWire) {
    g().setCell(2, 4, Coil, "Y000", LinkWire | LinkSymbol | LinkRight | LinkDown);
    g().setCell(2, 3, OpenContact, "X000", LinkWire | LinkSymbol);
    g().m_nLastRow = 2;
    tidyGrid(t.session);
    EXPECT_EQ(g().kind(2, 10), Coil);
    EXPECT_EQ(g().text(2, 10), "Y000");
    EXPECT_EQ(g().links(2, 10), LinkWire | LinkSymbol);  // no LinkDown, no LinkRight
    for (int c = 4; c <= 9; ++c) {
        EXPECT_EQ(g().kind(2, c), HorizontalLine) << c;
        EXPECT_TRUE(g().hasWire(2, c)) << c;
        EXPECT_FALSE(g().hasSymbol(2, c)) << c;
        EXPECT_EQ(g().text(2, c), "") << c;
    }
    EXPECT_FALSE(g().has(1, 4, LinkDown));  // something stands left of it
}

TEST_F(Tidy, OutputAtRowStartJoinsTheRungAbove) {
    g().setCell(3, 1, Coil, "Y001", LinkWire | LinkSymbol);
    g().m_nLastRow = 3;
    tidyGrid(t.session);
    EXPECT_EQ(g().kind(3, 10), Coil);
    EXPECT_TRUE(g().has(2, 1, LinkDown));
    EXPECT_EQ(g().kind(3, 1), HorizontalLine);
}

TEST_F(Tidy, InstructionBoxCoversItsOperandColumns) {
    g().setCell(2, 3, AppInstruction, "MOV K10 D0", LinkWire | LinkSymbol);
    g().setCell(2, 1, OpenContact, "X000", LinkWire | LinkSymbol);
    g().m_nLastRow = 2;
    tidyGrid(t.session);
    EXPECT_EQ(g().kind(2, 10), AppInstruction);
    EXPECT_EQ(g().text(2, 10), "MOV K10 D0");
    for (int c = 3; c <= 7; ++c) EXPECT_EQ(g().kind(2, c), HorizontalLine) << c;
    for (int c = 8; c <= 9; ++c) {
        EXPECT_EQ(g().kind(2, c), Empty) << c;
        EXPECT_EQ(g().links(2, c) & kBoxCoverLinks, kBoxCoverLinks) << c;
    }
}

TEST_F(Tidy, EndInstructionCellIsRemoved) {
    g().setCell(1, 10, AppInstruction, "END", LinkWire | LinkSymbol);
    g().m_nLastRow = 1;
    tidyGrid(t.session);
    EXPECT_EQ(g().kind(1, 10), Empty);
    EXPECT_EQ(g().links(1, 10), 0);
    EXPECT_EQ(t.sink.texts(), std::vector<std::string>{msg::kDeviceSettingWrong});
}

TEST_F(Tidy, BranchContactGetsItsVerticalWires) {
    g().setCell(5, 3, OpenBranch, "X001", LinkWire | LinkSymbol);
    g().setCell(0, 2, CloseBranch, "X002", LinkWire | LinkSymbol);  // row 0: no wires
    g().setCell(7, 10, OpenBranch, "X003", LinkWire | LinkSymbol);  // right wire off the grid
    g().m_nLastRow = 7;
    tidyGrid(t.session);
    EXPECT_EQ(g().links(4, 3), LinkDown | LinkBranchStart);
    EXPECT_EQ(g().links(4, 4), LinkDown | LinkBranchEnd);
    EXPECT_EQ(g().links(6, 10), LinkDown | LinkBranchStart);
    for (int c = 0; c < kGridCols; ++c) EXPECT_FALSE(g().has(-1, c, LinkDown));
}

TEST_F(Tidy, StepLabelsClearedWhileNotCompiled) {
    g().setRowStep(0, "");
    g().setRowStep(3, "12");
    g().m_nLastRow = 4;
    t.view.m_bCompiled = true;
    tidyGrid(t.session);
    EXPECT_EQ(g().rowStep(3), "12");
    t.session.commit();
    tidyGrid(t.session);
    EXPECT_EQ(g().rowStep(3), "");
    EXPECT_EQ(g().rowStep(0), "0");
}

TEST_F(Tidy, LastRowOfTheGridHasNoEndRowToWrite) {
    g().setCell(kGridRows - 1, 4, Coil, "Y000", LinkWire | LinkSymbol);
    g().m_nLastRow = kGridRows - 1;
    tidyGrid(t.session);
    EXPECT_EQ(g().kind(kGridRows - 1, 10), Coil);
    EXPECT_EQ(g().m_nDrawnLastRow, kGridRows - 1);
}

}  // namespace
}  // namespace rs::test

#include "core/messages.h"
#include "tests/editor/editor_fixture.h"

namespace rs::test {
namespace {

using LineDrawingTest = EditorTest;

TEST_F(LineDrawingTest, HorizontalLineStaysLeftOfTheOutputColumn) {
    cell(0, 1, OpenContact, "X000", 0x003);
    settle();
    cursor(0, 8);
    dialogs.count(3);
    editor.run(EditCommand::HorizontalLine);
    EXPECT_EQ(messages(), std::vector<std::string>{msg::kExceedsEditRange});
    EXPECT_EQ(g.kind(0, 8), Empty);

    dialogs.count(2);
    editor.run(EditCommand::HorizontalLine);
    EXPECT_EQ(g.kind(0, 8), HorizontalLine);
    EXPECT_EQ(g.kind(0, 9), HorizontalLine);
    EXPECT_EQ(g.m_nCursorCol, 10);

    dialogs.count(1);
    editor.run(EditCommand::HorizontalLine);  // from column 10
    EXPECT_EQ(messages(), std::vector<std::string>{msg::kExceedsEditRange});
    EXPECT_EQ(dialogs.countDialogs.back(), LineCountDialog::EnterHorizontal);
}

TEST_F(LineDrawingTest, HorizontalLineOverASymbolAndOnTheEndRow) {
    cell(0, 2, OpenContact, "X001", 0x003);
    settle();
    compiled();
    cursor(0, 2);
    dialogs.count(0);  // an empty count field draws one cell
    editor.run(EditCommand::HorizontalLine);
    EXPECT_EQ(g.kind(0, 2), HorizontalLine);
    EXPECT_EQ(g.links(0, 2), LinkWire);
    EXPECT_EQ(g.text(0, 2), "X001");
    EXPECT_EQ(g.m_nLastRow, 0);
    EXPECT_FALSE(isCompiled());

    cursor(1, 1);  // the END row
    dialogs.count(4);
    editor.run(EditCommand::HorizontalLine);
    settle();
    EXPECT_EQ(g.m_nLastRow, 1);
    EXPECT_EQ(g.text(2, 10), "END");
}

TEST_F(LineDrawingTest, CommandsClearTheFlagsEvenWhenLeft) {
    settle();
    compiled();
    editor.run(EditCommand::VerticalLine);  // Exit
    EXPECT_FALSE(isCompiled());
}

TEST_F(LineDrawingTest, VerticalChainIsAtMost23Rows) {
    for (int r = 0; r < 20; ++r) cell(r, 3, HorizontalLine, "", LinkWire | LinkDown);
    settle();
    cursor(20, 3);
    dialogs.count(5);
    editor.run(EditCommand::VerticalLine);
    EXPECT_EQ(messages(), std::vector<std::string>{msg::kExceedsEditRange});
    EXPECT_FALSE(g.has(20, 3, LinkDown));

    dialogs.count(3);
    editor.run(EditCommand::VerticalLine);
    EXPECT_TRUE(g.has(20, 3, LinkDown));
    EXPECT_TRUE(g.has(22, 3, LinkDown));
    EXPECT_FALSE(g.has(23, 3, LinkDown));
    EXPECT_EQ(g.m_nLastRow, 23);
    EXPECT_EQ(g.m_nCursorRow, 20);
}

TEST_F(LineDrawingTest, VerticalLineMayNotPushEndOutOfTheGrid) {
    g.m_nLastRow = kLastLadderRow - 1;
    settle();
    cursor(kLastLadderRow - 1, 2);
    dialogs.count(2);
    editor.run(EditCommand::VerticalLine);
    EXPECT_EQ(messages(), std::vector<std::string>{msg::kExceedsEditRange});
    dialogs.count(1);
    editor.run(EditCommand::VerticalLine);
    EXPECT_EQ(g.m_nLastRow, kLastLadderRow);
}

TEST_F(LineDrawingTest, DeleteHorizontalLineKeepsSymbols) {
    cell(0, 1, HorizontalLine, "", LinkWire);
    cell(0, 2, OpenContact, "X001", 0x003);
    cell(0, 3, HorizontalLine, "", LinkWire | LinkLeft | LinkRight | LinkDown);
    cell(0, 4, HorizontalLine, "", LinkWire);
    settle();
    cursor(0, 1);
    dialogs.count(3);
    editor.run(EditCommand::DeleteHorizontalLine);
    EXPECT_EQ(g.kind(0, 1), Empty);
    EXPECT_EQ(g.links(0, 1), 0);
    EXPECT_EQ(g.kind(0, 2), OpenContact);
    EXPECT_EQ(g.links(0, 2), 0x003);
    EXPECT_EQ(g.kind(0, 3), Empty);
    EXPECT_EQ(g.links(0, 3), LinkDown);
    EXPECT_EQ(g.kind(0, 4), HorizontalLine);

    cursor(0, 4);
    dialogs.count(9);  // cut at column 9, no message
    editor.run(EditCommand::DeleteHorizontalLine);
    EXPECT_EQ(g.kind(0, 4), Empty);
    EXPECT_TRUE(messages().empty());
}

TEST_F(LineDrawingTest, DeletingABranchWireMakesASeriesContact) {
    cell(3, 2, OpenContact, "X000", 0x003);
    cell(4, 2, CloseBranch, "X001", 0x003);
    cell(3, 3, HorizontalLine, "", LinkWire | LinkDown | LinkBranchEnd);
    g.setLinks(3, 2, 0x003 | LinkDown | LinkBranchStart);
    cell(5, 5, RisingPulseBranch, "X002", 0x003);
    g.addLinks(4, 6, LinkDown | LinkBranchEnd);
    settle();
    cursor(3, 2);
    dialogs.count(1);
    editor.run(EditCommand::DeleteVerticalLine);
    EXPECT_EQ(g.kind(4, 2), CloseContact);
    EXPECT_EQ(g.links(3, 2), 0x003);

    cursor(4, 6);  // the right-hand wire of a branch turns the cell left of it
    dialogs.count(1);
    editor.run(EditCommand::DeleteVerticalLine);
    EXPECT_EQ(g.kind(5, 5), RisingPulse);

    cursor(0, 1);
    dialogs.count(g.m_nDrawnLastRow + 3);
    editor.run(EditCommand::DeleteVerticalLine);
    EXPECT_EQ(messages(), std::vector<std::string>{msg::kExceedsEditRange});
}

}  // namespace
}  // namespace rs::test

#include "core/messages.h"
#include "editor/editor_messages.h"
#include "tests/editor/editor_fixture.h"

namespace rs::test {
namespace {

using LineRowEditTest = EditorTest;

// Rows 0 to 3: X000 in column 1 of each, and a vertical wire in column 3 from
// row 1 to row 3.
class LadderRows : public EditorTest {
  protected:
    LadderRows() {
        for (int r = 0; r < 4; ++r) cell(r, 1, OpenContact, "X00" + std::to_string(r), 0x003);
        g.addLinks(1, 3, LinkDown | LinkBranchStart);
        g.addLinks(2, 3, LinkDown);
        settle();
    }
};

TEST_F(LadderRows, InsertLineMovesRowsAndEndDownAndContinuesWires) {
    cursor(2, 1);
    compiled();
    editor.run(EditCommand::InsertLine);
    EXPECT_EQ(g.kind(2, 1), Empty);
    EXPECT_EQ(g.text(3, 1), "X002");
    EXPECT_EQ(g.text(4, 1), "X003");
    EXPECT_TRUE(g.has(2, 3, LinkDown));  // the wire from row 1 passes the new row
    EXPECT_TRUE(g.has(3, 3, LinkDown));
    EXPECT_EQ(g.m_nLastRow, 4);
    settle();
    EXPECT_EQ(g.text(5, 10), "END");
    EXPECT_FALSE(isCompiled());
    EXPECT_EQ(modified, 1);
}

TEST_F(LadderRows, DeleteLineMovesRowsUpAndKeepsPassingWires) {
    cursor(2, 1);
    editor.run(EditCommand::DeleteLine);
    EXPECT_EQ(g.text(2, 1), "X003");
    EXPECT_EQ(g.links(1, 3), LinkDown);  // bits of row 1's wire now come from row 2
    EXPECT_EQ(g.m_nLastRow, 2);
    EXPECT_EQ(g.m_nDrawnLastRow, 2);
    EXPECT_EQ(g.m_nListLastRow, 2);
    EXPECT_EQ(g.text(3, 10), "END");  // moved up with the rows
    EXPECT_EQ(g.text(4, 10), "");     // its old place is free
    EXPECT_EQ(modified, 1);
}

TEST_F(LadderRows, DeleteLineRefusesTheEndRow) {
    cursor(4, 1);
    editor.run(EditCommand::DeleteLine);
    EXPECT_EQ(messages(), std::vector<std::string>{msg::kLadderEndCannotBeEdited});
    EXPECT_EQ(g.text(3, 1), "X003");
}

TEST_F(LineRowEditTest, DeleteLineOnAnEmptyLadderIsRefused) {
    editor.run(EditCommand::DeleteLine);
    EXPECT_EQ(messages(), std::vector<std::string>{msg::kLadderEndCannotBeEdited});
    EXPECT_EQ(g.m_nLastRow, -1);
}

TEST_F(LineRowEditTest, InsertLineRefusesToPushTheLadderOutOfTheGrid) {
    cell(kLastLadderRow, 10, Coil, "Y000", 0x003);
    cell(0, 1, OpenContact, "X000", 0x003);
    settle();
    cursor(0, 1);
    compiled();
    editor.run(EditCommand::InsertLine);
    EXPECT_EQ(messages(), std::vector<std::string>{msg::kExceedsEditRange});
    EXPECT_EQ(g.text(0, 1), "X000");
    EXPECT_EQ(g.text(kLastLadderRow, 10), "Y000");
    EXPECT_EQ(g.m_nLastRow, kLastLadderRow);
    EXPECT_TRUE(isCompiled());
}

TEST_F(LineRowEditTest, InsertRowShiftsTheRungBlockRight) {
    // Row 0: X000 X001 ... Y000; row 1: X002 as a branch under X001, joined by
    // the wires at columns 2 and 3.
    cell(0, 1, OpenContact, "X000", 0x003);
    cell(0, 2, OpenContact, "X001", 0x003 | LinkDown | LinkBranchStart);
    cell(0, 3, HorizontalLine, "", LinkWire | LinkDown | LinkBranchEnd);
    cell(1, 2, OpenBranch, "X002", 0x003);
    cell(0, 10, Coil, "Y000", 0x003);
    cell(3, 2, OpenContact, "X005", 0x003);  // another rung, untouched
    settle();
    cursor(0, 2);
    compiled();
    editor.run(EditCommand::InsertRow);
    EXPECT_EQ(g.kind(0, 2), HorizontalLine);
    EXPECT_EQ(g.text(0, 2), "");
    EXPECT_EQ(g.links(0, 2), LinkWire | kBoxCoverLinks | LinkDown | LinkBranchStart);
    EXPECT_EQ(g.text(0, 3), "X001");
    EXPECT_FALSE(g.has(0, 3, LinkDown));  // the cursor column's wire stayed
    EXPECT_TRUE(g.has(0, 4, LinkDown));   // the next one moved with its cell
    EXPECT_EQ(g.text(1, 3), "X002");
    EXPECT_EQ(g.text(0, 1), "X000");
    EXPECT_EQ(g.text(3, 2), "X005");
    EXPECT_FALSE(isCompiled());
}

TEST_F(LineRowEditTest, InsertRowInColumnOneMakesAWireFromTheRail) {
    cell(0, 1, OpenContact, "X000", 0x003);
    settle();
    cursor(0, 1);
    editor.run(EditCommand::InsertRow);
    EXPECT_EQ(g.kind(0, 1), HorizontalLine);
    EXPECT_EQ(g.links(0, 1), LinkWire | LinkRight);
    EXPECT_EQ(g.text(0, 2), "X000");
}

TEST_F(LineRowEditTest, InsertRowRefusesToPushASymbolOut) {
    cell(0, 1, OpenContact, "X000", 0x003);
    cell(0, 9, OpenContact, "X009", 0x003);
    settle();
    cursor(0, 1);
    compiled();
    editor.run(EditCommand::InsertRow);
    EXPECT_EQ(messages(), std::vector<std::string>{msg::kCannotInsertColumn});
    EXPECT_EQ(ts.view.m_bUnconvertible, 1);
    EXPECT_EQ(g.text(0, 1), "X000");
    EXPECT_EQ(g.text(0, 9), "X009");
    EXPECT_TRUE(isCompiled());

    // In a row with a two-operand instruction the limit is column 7.
    cell(2, 7, OpenContact, "X007", 0x003);
    cell(2, 10, AppInstruction, "MOV K1 D0", 0x003);
    settle();
    cursor(2, 1);
    editor.run(EditCommand::InsertRow);
    EXPECT_EQ(messages(), std::vector<std::string>{msg::kCannotInsertColumn});
}

TEST_F(LineRowEditTest, RowCommandsRefuseTheMarginAndTheOutputColumn) {
    cell(0, 10, Coil, "Y000", 0x003);
    cell(0, 9, OpenContact, "X000", 0x003);
    settle();
    for (int c : {0, 10}) {
        cursor(0, c);
        editor.run(EditCommand::InsertRow);
        editor.run(EditCommand::DeleteRow);
        EXPECT_EQ(messages(), std::vector<std::string>(2, msg::kEditPositionIncorrect));
    }
    EXPECT_EQ(g.text(0, 10), "Y000");
    EXPECT_EQ(g.kind(0, 9), OpenContact);
}

TEST_F(LineRowEditTest, DeleteRowShiftsLeftAndEndsInAWire) {
    cell(0, 1, OpenContact, "X000", 0x003);
    cell(0, 2, OpenContact, "X001", 0x003);
    cell(0, 3, CloseContact, "X002", 0x003);
    for (int c = 4; c <= 9; ++c) cell(0, c, HorizontalLine, "", LinkWire);
    cell(0, 10, Coil, "Y000", 0x003);
    settle();
    cursor(0, 2);
    compiled();
    editor.run(EditCommand::DeleteRow);
    EXPECT_EQ(g.text(0, 1), "X000");
    EXPECT_EQ(g.kind(0, 2), CloseContact);
    EXPECT_EQ(g.text(0, 2), "X002");
    EXPECT_EQ(g.kind(0, 9), HorizontalLine);
    EXPECT_EQ(g.text(0, 9), "");
    EXPECT_EQ(g.links(0, 9), kBoxCoverLinks);
    EXPECT_EQ(g.text(0, 10), "Y000");
    EXPECT_FALSE(isCompiled());
}

TEST_F(LineRowEditTest, DeleteRowLeavesAnInstructionBoxAlone) {
    cell(0, 1, OpenContact, "X000", 0x003);
    cell(0, 7, OpenContact, "X001", 0x003);
    cell(0, 8, Empty, "", kBoxCoverLinks);
    cell(0, 9, Empty, "", kBoxCoverLinks);
    cell(0, 10, AppInstruction, "MOV K1 D0", 0x003);
    settle();
    cursor(0, 1);
    editor.run(EditCommand::DeleteRow);
    EXPECT_EQ(g.kind(0, 6), OpenContact);  // X001 moved left
    EXPECT_EQ(g.kind(0, 7), HorizontalLine);
    EXPECT_EQ(g.links(0, 8), kBoxCoverLinks);
    EXPECT_EQ(g.text(0, 10), "MOV K1 D0");

    cursor(0, 9);  // inside the box: the contact left of it stays
    cell(0, 7, OpenContact, "X003", 0x003);
    editor.run(EditCommand::DeleteRow);
    EXPECT_EQ(g.text(0, 7), "X003");
    EXPECT_EQ(g.kind(0, 7), OpenContact);
}

TEST_F(LineRowEditTest, DeleteKeyClearsTheCursorCellOrTheWholeBox) {
    cell(0, 1, OpenContact, "X000", 0x003);
    cell(0, 8, Empty, "", kBoxCoverLinks);
    cell(0, 9, Empty, "", kBoxCoverLinks);
    cell(0, 10, AppInstruction, "MOV K1 D0", 0x003);
    settle();
    cursor(0, 1);
    compiled();
    editor.run(EditCommand::Delete);
    EXPECT_EQ(g.kind(0, 1), Empty);
    EXPECT_EQ(g.links(0, 1), 0);
    EXPECT_FALSE(isCompiled());
    cursor(0, 8);
    editor.run(EditCommand::Delete);
    for (int c = 8; c <= 10; ++c) {
        EXPECT_EQ(g.kind(0, c), Empty);
        EXPECT_EQ(g.links(0, c), 0);
    }
    EXPECT_EQ(g.text(0, 10), "");
}

TEST_F(LineRowEditTest, DeleteKeyClearsTheDraggedCellsOnce) {
    for (int r = 0; r < 4; ++r)
        for (int c = 1; c <= 5; ++c) cell(r, c, OpenContact, "X001", 0x003);
    settle();
    drag(1, 4, 0, 2);  // up and to the left
    editor.run(EditCommand::Delete);
    for (int r = 0; r < 4; ++r)
        for (int c = 1; c <= 5; ++c)
            EXPECT_EQ(g.kind(r, c), (r <= 1 && c >= 2 && c <= 4) ? Empty : OpenContact)
                << r << "," << c;
    EXPECT_EQ(ts.view.m_nSelEndRow, 0);
    EXPECT_EQ(ts.view.m_nSelEndCol, 0);

    // A second Delete takes the cursor cell only, not the cells up to (0, 0).
    cursor(3, 3);
    editor.run(EditCommand::Delete);
    EXPECT_EQ(g.kind(3, 3), Empty);
    EXPECT_EQ(g.kind(2, 2), OpenContact);
    EXPECT_EQ(g.kind(3, 1), OpenContact);

    // A drag within one row.
    drag(3, 5, 3, 4);
    editor.run(EditCommand::Delete);
    EXPECT_EQ(g.kind(3, 4), Empty);
    EXPECT_EQ(g.kind(3, 5), Empty);
    EXPECT_EQ(g.kind(3, 2), OpenContact);
}

using ListLineTest = EditorTest;

TEST_F(ListLineTest, InsertLineAddsANopLineAndMovesTheCursor) {
    listOf({"LD X0", "OUT Y0"});
    ts.view.m_nListCursor = 1;
    editor.run(EditCommand::InsertLine);
    EXPECT_EQ(t.m_Instruction[1], "NOP");
    EXPECT_EQ(t.m_FunStep[1], 1);
    EXPECT_EQ(t.m_Instruction[2], "OUT");
    EXPECT_EQ(t.m_Instruction[3], "END");
    EXPECT_EQ(ts.view.records.m_InstructionList[1].m_strText, "NOP");
    EXPECT_EQ(ts.view.records.m_InstructionList.size(), 4u);
    EXPECT_TRUE(store::listsConsistent(ts.view.records));
    EXPECT_EQ(ts.view.m_nListCursor, 2);
    EXPECT_EQ(modified, 1);
}

TEST_F(ListLineTest, InsertLineIntoAFullTableIsRefused) {
    listOf({"LD X0"});
    t.setRow(kListRows - 1, "OUT", "Y000", 0, 1);
    ts.view.m_nListCursor = 0;
    editor.run(EditCommand::InsertLine);
    EXPECT_EQ(messages(), std::vector<std::string>{msg::kExceedsEditRange});
    EXPECT_EQ(t.m_Instruction[0], "LD");
    EXPECT_EQ(t.m_Instruction[kListRows - 1], "OUT");
}

TEST_F(ListLineTest, DeleteLineRemovesTheLineButNotEnd) {
    listOf({"LD X0", "OUT Y0"});
    ts.view.m_nListCursor = 0;
    editor.run(EditCommand::DeleteLine);
    EXPECT_EQ(t.m_Instruction[0], "OUT");
    EXPECT_EQ(t.m_Instruction[1], "END");
    EXPECT_FALSE(t.rowUsed(2));
    EXPECT_EQ(ts.view.records.m_InstructionList.size(), 2u);
    ts.view.m_nListCursor = 1;
    editor.run(EditCommand::DeleteLine);
    EXPECT_EQ(messages(), std::vector<std::string>{msg::kEndCannotBeEdited});
    EXPECT_EQ(t.m_Instruction[1], "END");
}

TEST_F(ListLineTest, DeleteKeyRemovesTheSelectedRunUpToEnd) {
    listOf({"LD X0", "AND X1", "OUT Y0", "LD X2", "OUT Y1"});
    ts.view.m_nListCursor = 3;
    ts.view.m_nListSelExtent = -2;  // dragged up over lines 1 to 3
    editor.run(EditCommand::Delete);
    EXPECT_EQ(t.m_Instruction[0], "LD");
    EXPECT_EQ(t.m_Parameter[1], "Y001");
    EXPECT_EQ(t.m_Instruction[2], "END");
    EXPECT_EQ(ts.view.m_nListCursor, 1);
    EXPECT_EQ(ts.view.m_nListSelExtent, 0);

    ts.view.m_nListSelExtent = 5;  // past END: END stays
    editor.run(EditCommand::Delete);
    EXPECT_EQ(t.m_Instruction[1], "END");
    EXPECT_EQ(ts.view.records.m_InstructionList.size(), 2u);

    editor.run(EditCommand::Delete);  // starting on END
    EXPECT_EQ(messages(), std::vector<std::string>{msg::kEndCannotBeEdited});
}

}  // namespace
}  // namespace rs::test

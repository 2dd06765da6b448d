#include "core/messages.h"
#include "editor/ladder_clip_text.h"
#include "editor/list_clip_text.h"
#include "tests/editor/editor_fixture.h"

namespace rs::test {
namespace {

using ClipboardTest = EditorTest;

std::string as(size_t n) {
    return std::string(n, 'a');
}

TEST_F(ClipboardTest, SingleCellTextByteForByte) {
    cell(2, 3, OpenContact, "X001", 0x003);
    settle();
    cursor(2, 3);
    editor.run(EditCommand::Copy);
    const std::string& text = clipboard.content;
    ASSERT_EQ(text.size(), 58000u);
    EXPECT_EQ(text.substr(0, 40), "1aa1a15aX001" + as(26) + "1a");
    EXPECT_EQ(text.find_first_not_of('a', 40), std::string::npos);
    EXPECT_EQ(editor.m_nClipRows, 1);
    EXPECT_EQ(editor.m_nClipCols, 1);

    // Pasting it elsewhere writes the cell with its carried links.
    cursor(5, 4);
    compiled();
    editor.run(EditCommand::Paste);
    EXPECT_EQ(g.kind(5, 4), OpenContact);
    EXPECT_EQ(g.text(5, 4), "X001");
    EXPECT_EQ(g.links(5, 4), 15);
    EXPECT_EQ(g.m_nLastRow, 5);
    EXPECT_FALSE(isCompiled());
    EXPECT_EQ(modified, 1);
}

TEST_F(ClipboardTest, BlockRecordsRunColumnByColumn) {
    cell(0, 1, OpenContact, "X000", 0x003);
    cell(0, 2, HorizontalLine, "", LinkWire | LinkDown | LinkBranchEnd);  // carried as 13 + 16
    cell(1, 1, CloseBranch, "M100", 0x053);  // branch kinds keep theirs
    cell(1, 2, Coil, "T0 K10", 0x003);
    settle();
    drag(0, 1, 1, 2);
    editor.run(EditCommand::Copy);
    const std::string& text = clipboard.content;
    const auto record = [&](int k) { return text.substr(5 + 35 * k, 35); };
    EXPECT_EQ(text.substr(0, 5), "2aa2a");
    EXPECT_EQ(record(0), "15aX000" + as(26) + "1a");
    EXPECT_EQ(record(1), "83aM100" + as(26) + "4a");
    EXPECT_EQ(record(2), "29a" + as(30) + "14");
    EXPECT_EQ(record(3), "3aaT0 K10" + as(24) + "5a");  // a coil keeps its links
    EXPECT_EQ(text.find_first_not_of('a', 5 + 35 * 4), std::string::npos);

    // Pasted two rows lower it reproduces the block.
    editor.m_bDragged = false;
    ts.view.m_nSelEndRow = 0;
    ts.view.m_nSelEndCol = 0;
    cursor(3, 1);
    editor.run(EditCommand::Paste);
    EXPECT_EQ(g.text(3, 1), "X000");
    EXPECT_EQ(g.kind(3, 2), HorizontalLine);
    EXPECT_EQ(g.links(3, 2), 13 | LinkDown);  // the vertical wire came along
    EXPECT_EQ(g.kind(4, 1), CloseBranch);
    EXPECT_EQ(g.links(4, 1), 0x053);
    EXPECT_EQ(g.text(4, 2), "T0 K10");
    EXPECT_EQ(g.m_nLastRow, 4);
}

TEST_F(ClipboardTest, CellTextsAreCutAtThirtyCharacters) {
    cell(0, 10, AppInstruction, "ZCP K1000 K2000 D1000 M100 ABCDEF", 0x003);
    settle();
    cursor(0, 10);
    editor.run(EditCommand::Copy);
    EXPECT_EQ(clipboard.content.substr(8, 30), "ZCP K1000 K2000 D1000 M100 ABC");
}

TEST_F(ClipboardTest, InsideABoxTheInstructionIsCopied) {
    cell(0, 9, Empty, "", kBoxCoverLinks);
    cell(0, 10, AppInstruction, "INC D0", 0x003);
    settle();
    cursor(0, 9);
    editor.run(EditCommand::Copy);
    EXPECT_EQ(clipboard.content.substr(0, 40), "1aa1a3aaINC D0" + as(24) + "6a");
}

TEST_F(ClipboardTest, MarginWithoutSelectionCopiesAnEmptyBlock) {
    cursor(0, 0);
    editor.run(EditCommand::Copy);
    EXPECT_EQ(clipboard.content.substr(0, 5), "0aa0a");
    EXPECT_EQ(clipboard.content.size(), 58000u);
}

TEST_F(ClipboardTest, PasteRefusesTheMarginAndBlocksThatDoNotFit) {
    cell(0, 1, OpenContact, "X000", 0x003);
    cell(0, 2, OpenContact, "X001", 0x003);
    settle();
    drag(0, 1, 0, 2);
    editor.run(EditCommand::Copy);
    editor.m_bDragged = false;

    cursor(1, 0);
    editor.run(EditCommand::Paste);
    EXPECT_EQ(messages(), std::vector<std::string>{msg::kEditPositionIncorrect});

    // Two columns from column 10 do not fit; a box left of the cursor is not
    // touched by the refused paste.
    cell(2, 8, Empty, "", kBoxCoverLinks);
    cell(2, 9, Empty, "", kBoxCoverLinks);
    cell(2, 10, AppInstruction, "MOV K1 D0", 0x003);
    settle();
    cursor(2, 10);
    compiled();
    editor.run(EditCommand::Paste);
    EXPECT_EQ(messages(), std::vector<std::string>{msg::kExceedsEditRange});
    EXPECT_EQ(g.kind(2, 8), Empty);
    EXPECT_EQ(g.kind(2, 9), Empty);
    EXPECT_EQ(g.text(2, 10), "MOV K1 D0");
    EXPECT_TRUE(isCompiled());

    // A block reaching past the last ladder row is refused as well.
    cursor(kLastLadderRow + 1, 1);
    editor.run(EditCommand::Paste);
    EXPECT_EQ(messages(), std::vector<std::string>{msg::kExceedsEditRange});
    EXPECT_EQ(g.kind(kLastLadderRow + 1, 1), Empty);
}

TEST_F(ClipboardTest, ContactIntoTheOutputColumnStopsThePaste) {
    // A column of a contact and a coil, then a contact in the next column.
    cell(0, 1, OpenContact, "X000", 0x003);
    cell(1, 1, Coil, "Y000", 0x003);
    cell(0, 2, OpenContact, "X001", 0x003);
    cell(1, 2, OpenContact, "X002", 0x003);
    settle();
    drag(0, 1, 1, 2);
    editor.run(EditCommand::Copy);
    editor.m_bDragged = false;

    cell(5, 10, Coil, "Y007", 0x003);
    settle();
    cursor(5, 9);
    compiled();
    editor.run(EditCommand::Paste);
    EXPECT_EQ(messages(), std::vector<std::string>{msg::kDeviceSettingWrong});
    EXPECT_EQ(g.text(5, 9), "X000");  // the first column went in
    EXPECT_EQ(g.text(6, 9), "Y000");
    EXPECT_EQ(g.kind(5, 10), Coil);  // the refused cell was put back
    EXPECT_EQ(g.text(5, 10), "Y007");
    EXPECT_EQ(g.links(5, 10), 0x003);
    EXPECT_EQ(g.kind(6, 10), Empty);
    EXPECT_EQ(ts.view.paste->m_ClipText[0][1], "Y007");
    // What was pasted belongs to the ladder and to an unconverted program.
    EXPECT_EQ(g.m_nLastRow, 6);
    EXPECT_FALSE(isCompiled());
}

TEST_F(ClipboardTest, PasteIntoAnInstructionRowBreaksTheBoxLeftOfTheCursor) {
    cell(0, 7, Empty, "", kBoxCoverLinks);
    cell(0, 8, Empty, "", kBoxCoverLinks);
    cell(0, 9, Empty, "", kBoxCoverLinks);
    cell(0, 10, AppInstruction, "CMP K1 K2 M0", 0x003);
    settle();
    clipboard.content = "1aa1a13a" + as(30) + "14" + as(58000 - 45);
    cursor(0, 9);
    editor.run(EditCommand::Paste);
    EXPECT_EQ(g.kind(0, 7), HorizontalLine);
    EXPECT_EQ(g.kind(0, 8), HorizontalLine);
    EXPECT_EQ(g.kind(0, 9), HorizontalLine);
    EXPECT_EQ(g.links(0, 9), 13);
}

TEST_F(ClipboardTest, ForeignOrTruncatedTextsAreIgnored) {
    cell(0, 1, OpenContact, "X000", 0x003);
    settle();
    cursor(0, 1);
    editor.run(EditCommand::Copy);
    const std::string ours = clipboard.content;
    cursor(1, 1);
    compiled();
    for (const std::string& text :
         {std::string(), std::string("hello world"), ours.substr(0, 20),
          std::string("2aa1a") + ours.substr(5, 35),    // two records announced, one there
          std::string("1aa1aXYa") + ours.substr(8),     // links not a number
          ours.substr(0, 38) + "99" + ours.substr(40),  // no such kind
          std::string("1aa12") + ours.substr(5),        // twelve columns
          ours + std::string(2000, 'a')}) {             // 60000 characters
        clipboard.content = text;
        editor.run(EditCommand::Paste);
        EXPECT_EQ(g.kind(1, 1), Empty);
    }
    EXPECT_TRUE(messages().empty());
    EXPECT_TRUE(isCompiled());
    EXPECT_EQ(readLadderClipText(ours + std::string(1999, 'a'))->cells.size(), 1u);
}

TEST_F(ClipboardTest, CopyRefusesBlocksTheTextOrTheBackupCannotHold) {
    settle();
    clipboard.content = "kept";
    drag(0, 1, 400, 1);  // 401 rows
    editor.run(EditCommand::Copy);
    ts.view.m_nSelEndRow = 199;  // 200 rows x 9 columns: 1800 records
    ts.view.m_nSelEndCol = 9;
    editor.run(EditCommand::Cut);
    EXPECT_EQ(messages(), std::vector<std::string>(2, msg::kExceedsEditRange));
    EXPECT_EQ(clipboard.content, "kept");

    ts.view.m_nSelEndRow = 399;  // 400 rows x 4 columns fit
    ts.view.m_nSelEndCol = 4;
    editor.run(EditCommand::Copy);
    EXPECT_EQ(clipboard.content.substr(0, 5), "4004a");
    EXPECT_EQ(clipboard.content.size(), 58000u);
}

TEST_F(ClipboardTest, CutCopiesThenDeletes) {
    cell(0, 1, OpenContact, "X000", 0x003);
    settle();
    cursor(0, 1);
    editor.run(EditCommand::Cut);
    EXPECT_EQ(g.kind(0, 1), Empty);
    cursor(0, 3);
    editor.run(EditCommand::Paste);
    EXPECT_EQ(g.text(0, 3), "X000");
}

using ListClipboardTest = EditorTest;

TEST_F(ListClipboardTest, CopiedLinesTextByteForByte) {
    listOf({"LD X0", "OUT Y0"});
    ts.view.m_nListCursor = 1;
    ts.view.m_nListSelExtent = -1;
    editor.run(EditCommand::Copy);
    EXPECT_EQ(clipboard.content, "aLDaX000aOUTaY000a");
    ts.view.m_nListCursor = 2;
    ts.view.m_nListSelExtent = 0;
    editor.run(EditCommand::Copy);
    EXPECT_EQ(clipboard.content, "aENDaa");
}

TEST_F(ListClipboardTest, PasteInsertsTheLinesBeforeTheCursorLine) {
    listOf({"LD X0", "OUT Y0"});
    clipboard.content = "aLDIaX001aMOVaK10 D0a";
    ts.view.m_nListCursor = 1;
    editor.run(EditCommand::Paste);
    const std::vector<std::string> mnemonics{"LD", "LDI", "MOV", "OUT", "END"};
    for (size_t i = 0; i < mnemonics.size(); ++i) {
        EXPECT_EQ(t.m_Instruction[i], mnemonics[i]);
        EXPECT_EQ(ts.view.records.m_InstructionList[i].m_strText, mnemonics[i]);
    }
    EXPECT_EQ(t.m_Parameter[2], "K10 D0");
    EXPECT_EQ(t.m_FunNo[2], 10240);  // recomputed for the row
    EXPECT_EQ(t.m_FunStep[2], 5);
    EXPECT_EQ(ts.view.records.m_FunNoList[2].m_nValue, 10240);
    EXPECT_TRUE(store::listsConsistent(ts.view.records));
    EXPECT_EQ(modified, 1);
}

TEST_F(ListClipboardTest, CutAndPasteMovesLines) {
    listOf({"LD X0", "OUT Y0", "LD X1", "OUT Y1"});
    ts.view.m_nListCursor = 0;
    ts.view.m_nListSelExtent = 1;
    editor.run(EditCommand::Cut);
    EXPECT_EQ(t.m_Parameter[0], "X001");
    ts.view.m_nListCursor = 2;
    editor.run(EditCommand::Paste);
    const std::vector<std::string> operands{"X001", "Y001", "X000", "Y000", ""};
    for (size_t i = 0; i < operands.size(); ++i) EXPECT_EQ(t.m_Parameter[i], operands[i]);
    EXPECT_EQ(t.m_Instruction[4], "END");
}

TEST_F(ListClipboardTest, ForeignTruncatedOrOversizedTextsAreIgnored) {
    listOf({"LD X0"});
    for (const std::string& text :
         {std::string("LDaX000a"), std::string("aLDaX000"), std::string("aLDaX000aOUTa"),
          std::string("aLDbX000a"), "a" + std::string(7998, 'K') + "a"}) {
        clipboard.content = text;
        editor.run(EditCommand::Paste);
        EXPECT_EQ(t.m_Instruction[0], "LD");
        EXPECT_EQ(t.m_Instruction[1], "END");
        EXPECT_FALSE(t.rowUsed(2));
    }
    EXPECT_EQ(modified, 0);
}

TEST_F(ListClipboardTest, PasteThatWouldOverflowTheTableIsRefused) {
    listOf({"LD X0"});
    t.setRow(kListRows - 2, "OUT", "Y000", 0, 1);
    clipboard.content = "aLDaX001aANDaX002a";
    ts.view.m_nListCursor = 0;
    editor.run(EditCommand::Paste);
    EXPECT_EQ(messages(), std::vector<std::string>{msg::kExceedsEditRange});
    EXPECT_EQ(t.m_Parameter[0], "X000");
    EXPECT_EQ(t.m_Instruction[kListRows - 2], "OUT");

    clipboard.content = "aLDaX001a";  // one line still fits
    editor.run(EditCommand::Paste);
    EXPECT_EQ(t.m_Parameter[0], "X001");
    EXPECT_EQ(t.m_Instruction[kListRows - 1], "OUT");
}

TEST_F(ListClipboardTest, CopyingMoreThanAPasteTakesIsRefused) {
    std::vector<std::string> lines(1000, "LD X0");
    listOf(lines);  // 1000 x "LDaX000a" is over 8000 characters
    clipboard.content = "kept";
    ts.view.m_nListCursor = 0;
    ts.view.m_nListSelExtent = 999;
    editor.run(EditCommand::Cut);
    EXPECT_EQ(messages(), std::vector<std::string>{msg::kExceedsEditRange});
    EXPECT_EQ(clipboard.content, "kept");
    EXPECT_EQ(ts.view.records.m_InstructionList.size(), 1001u);
}

}  // namespace
}  // namespace rs::test

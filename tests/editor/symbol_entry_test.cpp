#include "core/messages.h"
#include "editor/editor_messages.h"
#include "tests/editor/editor_fixture.h"

namespace rs::test {
namespace {

using SymbolEntryTest = EditorTest;

TEST_F(SymbolEntryTest, OpenContactIsCompletedPlacedAndAdvancesTheCursor) {
    settle();
    cursor(2, 3);
    compiled();
    dialogs.symbol("X1");
    editor.run(EditCommand::OpenContact);
    ASSERT_EQ(dialogs.symbolPresets.size(), 1u);
    EXPECT_EQ(dialogs.symbolPresets[0].m_nSymbol, 0);
    EXPECT_EQ(g.kind(2, 3), OpenContact);
    EXPECT_EQ(g.text(2, 3), "X001");
    EXPECT_EQ(g.links(2, 3), 0x003);
    EXPECT_EQ(g.m_nCursorRow, 2);
    EXPECT_EQ(g.m_nCursorCol, 4);
    EXPECT_EQ(g.m_nLastRow, 2);
    EXPECT_FALSE(isCompiled());
    EXPECT_TRUE(messages().empty());
}

TEST_F(SymbolEntryTest, CoilInTheOutputColumnMovesTheCursorToTheNextRow) {
    settle();
    cursor(0, 10);
    dialogs.symbol("Y0");
    editor.run(EditCommand::Coil);
    EXPECT_EQ(g.kind(0, 10), Coil);
    EXPECT_EQ(g.text(0, 10), "Y000");
    EXPECT_EQ(g.m_nCursorRow, 1);
    EXPECT_EQ(g.m_nCursorCol, 1);
    settle();
    EXPECT_EQ(g.text(1, 10), "END");  // entering on the END row moved END down
}

TEST_F(SymbolEntryTest, InstructionTextIsNormalisedAndOnlyItsOperandsCompleted) {
    settle();
    cursor(0, 10);
    dialogs.symbol("MOV  K10   D0");
    editor.run(EditCommand::AppInstruction);
    EXPECT_EQ(g.kind(0, 10), AppInstruction);
    EXPECT_EQ(g.text(0, 10), "MOV K10 D0");

    cursor(1, 10);
    dialogs.symbol("  CMP K1 K2   Y3 ");
    editor.run(EditCommand::AppInstruction);
    EXPECT_EQ(g.text(1, 10), "CMP K1 K2 Y003");

    // The mnemonic is never completed; an unsupported one is named as typed.
    cursor(2, 10);
    dialogs.symbol("WXOR D0 D1 D2");
    editor.run(EditCommand::AppInstruction);
    EXPECT_EQ(messages(), std::vector<std::string>{msg::notSupported("WXOR")});
    EXPECT_EQ(g.kind(2, 10), Empty);
}

TEST_F(SymbolEntryTest, CharactersOtherThanLettersDigitsAndBlanksAreRefused) {
    settle();
    for (const char* text : {"X-1", "X0.1", "Y0;"}) {
        cursor(0, 2);
        dialogs.symbol(text);
        editor.run(EditCommand::OpenContact);
        EXPECT_EQ(messages(), std::vector<std::string>{msg::kDeviceSettingWrong}) << text;
        EXPECT_EQ(g.kind(0, 2), Empty);
        EXPECT_EQ(g.m_nCursorCol, 2);
    }
}

TEST_F(SymbolEntryTest, BranchInRowZeroIsPutBackWithItsLinks) {
    cell(0, 3, HorizontalLine, "OLD", LinkWire);
    settle();
    cursor(0, 3);
    compiled();
    dialogs.symbol("X2");
    editor.run(EditCommand::OpenBranch);
    EXPECT_EQ(messages(), std::vector<std::string>{msg::kEditPositionIncorrect});
    EXPECT_EQ(g.kind(0, 3), HorizontalLine);
    EXPECT_EQ(g.text(0, 3), "OLD");
    EXPECT_EQ(g.links(0, 3), LinkWire);  // not left with a symbol bit
    EXPECT_EQ(g.m_nCursorCol, 4);        // the cursor stays advanced
    EXPECT_FALSE(isCompiled());
}

TEST_F(SymbolEntryTest, ContactInTheOutputColumnIsPutBack) {
    cell(1, 10, Coil, "Y001", 0x003);
    settle();
    cursor(1, 10);
    dialogs.symbol("X3");
    editor.run(EditCommand::RisingPulse);
    EXPECT_EQ(messages(), std::vector<std::string>{msg::kDeviceSettingWrong});
    EXPECT_EQ(g.kind(1, 10), Coil);
    EXPECT_EQ(g.text(1, 10), "Y001");
    EXPECT_EQ(g.links(1, 10), 0x003);
}

TEST_F(SymbolEntryTest, BranchBelowARungIsStoredWithItsKind) {
    cell(0, 1, OpenContact, "X000", 0x003);
    settle();
    cursor(1, 1);
    dialogs.symbol("X1");
    editor.run(EditCommand::FallingPulseBranch);
    EXPECT_EQ(g.kind(1, 1), FallingPulseBranch);
    EXPECT_TRUE(messages().empty());
}

TEST_F(SymbolEntryTest, CancelChangesNothing) {
    settle();
    cursor(0, 1);
    compiled();
    editor.run(EditCommand::OpenContact);  // the script leaves with "Exit"
    EXPECT_EQ(g.kind(0, 1), Empty);
    EXPECT_EQ(g.m_nCursorCol, 1);
    EXPECT_TRUE(isCompiled());
}

TEST_F(SymbolEntryTest, DevicesOutsideTheirRangeAreRefused) {
    settle();
    cursor(0, 1);
    dialogs.symbol("X8");  // octal numbering
    editor.run(EditCommand::OpenContact);
    dialogs.symbol("D0");  // no contact operand
    editor.run(EditCommand::CloseContact);
    dialogs.symbol("X0");
    editor.run(EditCommand::Coil);  // OUT X000
    EXPECT_EQ(messages(), std::vector<std::string>(3, msg::kDeviceSettingWrong));
    EXPECT_EQ(g.kind(0, 1), Empty);
}

TEST_F(SymbolEntryTest, InstructionBoxThatWouldCoverASymbolExceedsTheRange) {
    cell(0, 8, OpenContact, "X000", 0x003);
    settle();
    cursor(0, 9);
    dialogs.symbol("MOV K1 D0");
    editor.run(EditCommand::AppInstruction);
    EXPECT_EQ(messages(), std::vector<std::string>{msg::kExceedsEditRange});
    EXPECT_EQ(g.kind(0, 9), Empty);
}

TEST_F(SymbolEntryTest, ContactChosenInAnInstructionDialogIsRefused) {
    settle();
    cursor(0, 10);
    dialogs.symbol("X0", 0);  // the user picks "-| |-" in the F8 dialog
    editor.run(EditCommand::AppInstruction);
    EXPECT_EQ(messages(), std::vector<std::string>{msg::kDeviceSettingWrong});
    EXPECT_EQ(g.kind(0, 10), Empty);
}

TEST_F(SymbolEntryTest, UnsupportedInstructionIsReportedAtEveryEntry) {
    settle();
    for (int i = 0; i < 2; ++i) {
        cursor(0, 10);
        dialogs.symbol("FMOV K0 D0 K10");
        editor.run(EditCommand::AppInstruction);
        EXPECT_EQ(messages(), std::vector<std::string>{msg::notSupported("FMOV")});
    }
}

TEST_F(SymbolEntryTest, TextOver190CharactersIsRefusedOnce) {
    settle();
    cursor(0, 10);
    dialogs.symbol("MOV K1 D0" + std::string(190, ' ') + std::string(185, '1'));
    editor.run(EditCommand::AppInstruction);
    EXPECT_EQ(messages(), std::vector<std::string>{msg::kDeviceSettingWrong});
    EXPECT_EQ(g.kind(0, 10), Empty);
}

TEST_F(SymbolEntryTest, CellEditReopensUntilStoredAndStoresLabelsInTheMargin) {
    settle();
    // An empty cell opens with no symbol; a bare text is refused and the
    // dialog reopens, preset from the cell again.
    dialogs.symbol("X5");
    dialogs.symbol("X5", 1);
    editor.cellEdit(0, 2);
    ASSERT_EQ(dialogs.symbolPresets.size(), 2u);
    EXPECT_EQ(dialogs.symbolPresets[0].m_nSymbol, -1);
    EXPECT_EQ(dialogs.symbolPresets[1].m_nSymbol, -1);
    EXPECT_EQ(dialogs.symbolPresets[1].m_strText, "");
    EXPECT_EQ(messages(), std::vector<std::string>{msg::kDeviceSettingWrong});
    EXPECT_EQ(g.kind(0, 2), CloseContact);
    EXPECT_EQ(g.text(0, 2), "X005");

    dialogs.symbol("P3");
    editor.cellEdit(1, 0);
    EXPECT_EQ(g.text(1, 0), "P3");
    EXPECT_TRUE(messages().empty());

    // Editing the stored contact opens with its symbol and text; Exit leaves it.
    editor.cellEdit(0, 2);
    EXPECT_EQ(dialogs.symbolPresets.back().m_nSymbol, 1);
    EXPECT_EQ(dialogs.symbolPresets.back().m_strText, "X005");
    EXPECT_EQ(g.text(0, 2), "X005");
}

TEST_F(SymbolEntryTest, CellEditInsideABoxOrOnEndEditsTheInstruction) {
    cell(0, 10, AppInstruction, "MOV K10 D0", 0x003);
    cell(0, 8, Empty, "", kBoxCoverLinks);
    cell(0, 9, Empty, "", kBoxCoverLinks);
    settle();
    dialogs.symbol("MOV K11 D0");
    editor.cellEdit(0, 9);
    EXPECT_EQ(dialogs.symbolPresets[0].m_nSymbol, 5);
    EXPECT_EQ(dialogs.symbolPresets[0].m_strText, "MOV K10 D0");

    editor.cellEdit(1, 10);  // the END row's output column
    EXPECT_EQ(dialogs.symbolPresets.back().m_nSymbol, 5);
    EXPECT_EQ(dialogs.symbolPresets.back().m_strText, "END");
}

TEST_F(SymbolEntryTest, HorizontalLineCellOpensWithNoSymbol) {
    cell(0, 4, HorizontalLine, "", LinkWire);
    settle();
    editor.cellEdit(0, 4);
    EXPECT_EQ(dialogs.symbolPresets.back().m_nSymbol, -1);
}

TEST_F(SymbolEntryTest, RowsBelowTheLastLadderRowTakeNoEntry) {
    cursor(kLastLadderRow + 1, 1);
    dialogs.symbol("X0");
    editor.run(EditCommand::OpenContact);
    EXPECT_EQ(messages(), std::vector<std::string>{msg::kExceedsEditRange});
    EXPECT_TRUE(dialogs.symbolPresets.empty());
    EXPECT_EQ(g.kind(kLastLadderRow + 1, 1), Empty);
}

TEST_F(SymbolEntryTest, SymbolCommandsAreOffInTheListAndUndoNowhere) {
    ts.view.m_bListMode = 1;
    editor.run(EditCommand::OpenContact);
    EXPECT_TRUE(dialogs.symbolPresets.empty());
    for (EditCommand c :
         {EditCommand::OpenContact, EditCommand::FallingPulseBranch, EditCommand::HorizontalLine,
          EditCommand::DeleteVerticalLine, EditCommand::InsertRow, EditCommand::DeleteRow}) {
        EXPECT_FALSE(commandEnabled(c, true));
        EXPECT_TRUE(commandEnabled(c, false));
    }
    for (EditCommand c : {EditCommand::InsertLine, EditCommand::DeleteLine, EditCommand::Cut,
                          EditCommand::Copy, EditCommand::Paste, EditCommand::Delete}) {
        EXPECT_TRUE(commandEnabled(c, true));
        EXPECT_TRUE(commandEnabled(c, false));
    }
    EXPECT_FALSE(commandEnabled(EditCommand::Undo, false));
    EXPECT_EQ(presetSymbol(EditCommand::FallingPulseBranch), 9);
    EXPECT_EQ(presetSymbol(EditCommand::Paste), -1);
}

}  // namespace
}  // namespace rs::test

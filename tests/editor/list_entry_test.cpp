#include "core/messages.h"
#include "tests/editor/editor_fixture.h"

namespace rs::test {
namespace {

using ListEntryTest = EditorTest;

TEST_F(ListEntryTest, TypingOnTheEndLineInsertsTheLineBeforeIt) {
    listOf({"LD X0"});
    dialogs.list("OUT Y0");
    editor.editListLine(1);
    EXPECT_EQ(dialogs.listPresets, std::vector<std::string>{"END"});
    EXPECT_EQ(t.m_Instruction[1], "OUT");
    EXPECT_EQ(t.m_Parameter[1], "Y000");
    EXPECT_EQ(t.m_Instruction[2], "END");
    EXPECT_EQ(ts.view.m_nListCursor, 2);
    ASSERT_EQ(ts.view.records.m_InstructionList.size(), 3u);
    EXPECT_EQ(ts.view.records.m_InstructionList[1].m_strText, "OUT");
    EXPECT_EQ(ts.view.records.m_InstructionList[2].m_strText, "END");
    EXPECT_TRUE(store::listsConsistent(ts.view.records));
    EXPECT_GE(modified, 1);
}

TEST_F(ListEntryTest, UsedLineIsPresetAndReplacedInPlace) {
    listOf({"LD X0", "OUT Y0"});
    dialogs.list("LDI X7");
    editor.editListLine(0);
    EXPECT_EQ(dialogs.listPresets, std::vector<std::string>{"LD X000"});
    EXPECT_EQ(t.m_Instruction[0], "LDI");
    EXPECT_EQ(t.m_Parameter[0], "X007");
    EXPECT_EQ(ts.view.records.m_InstructionList.size(), 3u);
    EXPECT_EQ(ts.view.records.m_ParameterList[0].m_strText, "X007");
    EXPECT_EQ(ts.view.m_nListCursor, 0);  // line 0 keeps the cursor
}

TEST_F(ListEntryTest, LinePastEndOnlyMovesTheCursor) {
    listOf({"LD X0"});
    editor.editListLine(5);
    EXPECT_TRUE(dialogs.listPresets.empty());
    EXPECT_EQ(ts.view.m_nListCursor, 1);
}

TEST_F(ListEntryTest, EmptyTextOpensHelpOnLineZeroAndReopensElsewhere) {
    listOf({"LD X0", "AND X1", "OUT Y0"});
    dialogs.list("");
    editor.editListLine(0);
    EXPECT_EQ(dialogs.helpShown, 1);
    EXPECT_EQ(t.m_Instruction[0], "LD");

    dialogs.list("");
    dialogs.list("ORI X2");
    editor.editListLine(3);
    EXPECT_EQ(dialogs.listPresets.size(), 3u);  // line 0, then line 3 twice
    EXPECT_EQ(t.m_Instruction[3], "ORI");
    EXPECT_EQ(t.m_Instruction[4], "END");
    EXPECT_EQ(dialogs.helpShown, 1);
}

TEST_F(ListEntryTest, RefusedLineReopensUntilExit) {
    listOf({"LD X0"});
    editor.m_listDialog.m_strText = "OUT X1";  // typed into the dialog
    dialogs.list("LD D0");
    editor.lineEntry(1);
    EXPECT_EQ(messages(), std::vector<std::string>(2, msg::kDeviceSettingWrong));
    EXPECT_EQ(dialogs.listPresets, std::vector<std::string>({"OUT X1", "LD D0"}));
    EXPECT_EQ(t.m_Instruction[1], "END");
    EXPECT_EQ(modified, 0);
}

TEST_F(ListEntryTest, ForbiddenCharactersStopWithoutReopening) {
    listOf({"LD X0"});
    editor.m_listDialog.m_strText = "OUT Y0.";
    editor.lineEntry(1);
    EXPECT_EQ(messages(), std::vector<std::string>{msg::kDeviceSettingWrong});
    EXPECT_TRUE(dialogs.listPresets.empty());
}

TEST_F(ListEntryTest, LineBelowAnEmptyLineTakesNothing) {
    listOf({"LD X0"});
    editor.m_listDialog.m_strText = "OUT Y0";
    editor.lineEntry(3);
    EXPECT_FALSE(t.rowUsed(3));
    EXPECT_TRUE(dialogs.listPresets.empty());
}

TEST_F(ListEntryTest, UnsupportedMnemonicIsReportedEachTime) {
    listOf({"LD X0"});
    dialogs.list("CJ P0");
    editor.m_listDialog.m_strText = "CJ P0";
    editor.lineEntry(1);
    EXPECT_EQ(messages(), std::vector<std::string>(2, msg::notSupported("CJ")));
}

}  // namespace
}  // namespace rs::test

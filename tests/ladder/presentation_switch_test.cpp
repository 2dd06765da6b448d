// "Instruction list" (Alt+F1): the checks before the switch, in their order,
// and the ladder rebuilt when the list is left.
#include "core/list_to_ladder/presentation_switch.h"

#include <gtest/gtest.h>

#include "core/messages.h"
#include "tests/ladder/list_fixture.h"
#include "tests/support/test_session.h"

namespace rs {
namespace {

using Texts = std::vector<std::string>;

struct SwitchTest : ::testing::Test {
    test::TestSession t;
    Session& s = t.session;
    void listShown(const Texts& lines) {
        test::loadList(s, lines);
        s.view.m_bListMode = 1;
    }
};

TEST_F(SwitchTest, UnconvertibleLadderIsReportedOnceAndForgotten) {
    s.view.m_bUnconvertible = 1;
    EXPECT_FALSE(ladder::switchPresentation(s));
    EXPECT_EQ(t.sink.texts(), Texts{msg::kUnconvertible});
    EXPECT_EQ(t.sink.shown[0].caption, "CV-Rungsmith");
    EXPECT_EQ(t.sink.shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(s.view.m_bUnconvertible, 0);
    EXPECT_EQ(s.view.m_bListMode, 0);
}

TEST_F(SwitchTest, UnconvertedLadderStaysShown) {
    s.commit();
    EXPECT_FALSE(ladder::switchPresentation(s));
    EXPECT_EQ(t.sink.texts(), Texts{"Ladder has not compiled yet. Please press F4 to compile ."});
    EXPECT_EQ(s.view.m_bListMode, 0);
}

TEST_F(SwitchTest, FirstFindingInRowOrderIsReported) {
    listShown({"LD X000", "FEND", "NOP", "OUT Y000", "END"});
    EXPECT_FALSE(ladder::switchPresentation(s));
    EXPECT_EQ(t.sink.texts(), Texts{"FEND instruction is not supported ."});
    EXPECT_TRUE(s.view.highlight.active && s.view.highlight.inList);
    EXPECT_EQ(s.view.highlight.row, 1);
    EXPECT_EQ(s.view.m_bListMode, 1);
}

TEST_F(SwitchTest, NopIsRefused) {
    listShown({"LD X000", "NOP", "OUT Y000", "END"});
    EXPECT_FALSE(ladder::switchPresentation(s));
    EXPECT_EQ(t.sink.texts(), Texts{"NOP instruction is not supported ."});
}

TEST_F(SwitchTest, ResetOfDataRegisterOnlyInMode2) {
    listShown({"LD X000", "RST D10", "END"});
    t.app.setMode2(false);
    EXPECT_FALSE(ladder::switchPresentation(s));
    EXPECT_EQ(t.sink.texts(), Texts{"Device setting is wrong!"});
    t.sink.clear();
    t.app.setMode2(true);
    EXPECT_TRUE(ladder::switchPresentation(s));
    EXPECT_TRUE(t.sink.texts().empty());
    EXPECT_EQ(s.grid().text(0, kOutputCol), "RST D10");
}

TEST_F(SwitchTest, PeripheralInstructionsOnlyInMode1) {
    listShown({"LD X000", "PRW K1 D0", "END"});
    EXPECT_FALSE(ladder::switchPresentation(s));
    EXPECT_EQ(t.sink.texts(), Texts{"Mode 2 does not support PRW instruction!"});
    t.sink.clear();
    t.app.setMode2(false);
    EXPECT_TRUE(ladder::switchPresentation(s));
    EXPECT_EQ(s.grid().text(0, kOutputCol), "PRW K1 D0");
}

TEST_F(SwitchTest, ReportCountersAreResetBeforeTheChecks) {
    listShown({"LD X000", "FEND", "END"});
    s.view.m_nUnsupportedErrors = 1;
    s.view.m_nConvertErrors = 1;
    EXPECT_FALSE(ladder::switchPresentation(s));
    EXPECT_EQ(t.sink.texts(), Texts{"FEND instruction is not supported ."});
    EXPECT_EQ(s.view.m_nConvertErrors, 0);
}

TEST_F(SwitchTest, LadderToListLeavesTheGrid) {
    s.grid().setCell(0, 1, OpenContact, "X000", LinkWire | LinkSymbol);
    EXPECT_TRUE(ladder::switchPresentation(s));
    EXPECT_EQ(s.view.m_bListMode, 1);
    EXPECT_EQ(s.grid().text(0, 1), "X000");
    EXPECT_TRUE(t.sink.texts().empty());
}

TEST_F(SwitchTest, ListToLadderBuildsTheGridAndEndsTheList) {
    listShown({"LD X000", "OUT Y000"});
    s.grid().setCell(9, 1, OpenContact, "X005", LinkWire | LinkSymbol);
    EXPECT_TRUE(ladder::switchPresentation(s));
    EXPECT_EQ(s.view.m_bListMode, 0);
    EXPECT_EQ(s.grid().text(0, 1), "X000");
    EXPECT_EQ(s.grid().kind(0, kOutputCol), Coil);
    EXPECT_EQ(s.grid().kind(9, 1), Empty);
    EXPECT_EQ(s.grid().m_nListLastRow, 0);
    EXPECT_EQ(test::listLines(s.table()), (Texts{"LD X000", "OUT Y000", "END"}));
    ASSERT_EQ(s.view.records.m_InstructionList.size(), 3u);
    EXPECT_EQ(s.view.records.m_InstructionList[2].m_strText, "END");
    EXPECT_EQ(s.view.records.m_ParameterList.size(), 3u);
    EXPECT_EQ(s.view.records.m_FunNoList.size(), 2u);
}

TEST_F(SwitchTest, ListThatNoLadderGivesKeepsTheListShown) {
    listShown({"LD X000", "ANB", "OUT Y000", "END"});
    s.grid().setCell(0, 1, OpenContact, "X005", LinkWire | LinkSymbol);
    EXPECT_FALSE(ladder::switchPresentation(s));
    EXPECT_EQ(t.sink.texts(), Texts{msg::kUnconvertible});
    EXPECT_EQ(s.view.m_bListMode, 1);
    EXPECT_EQ(s.view.m_nListCursor, 1);
    EXPECT_EQ(s.view.highlight.row, 1);
    EXPECT_EQ(s.grid().text(0, 1), "X005");
}

TEST_F(SwitchTest, ListTooWideIsReportedAsOutOfRange) {
    Texts lines{"LD X000"};
    for (int i = 0; i < 9; ++i) lines.push_back("AND X001");
    lines.push_back("OUT Y000");
    listShown(lines);
    EXPECT_FALSE(ladder::switchPresentation(s));
    EXPECT_EQ(t.sink.texts(), Texts{"Exceeds edit range!"});
    EXPECT_EQ(s.view.m_bListMode, 1);
}

}  // namespace
}  // namespace rs

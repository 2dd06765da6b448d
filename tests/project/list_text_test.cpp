#include "project/list_text.h"

#include <gtest/gtest.h>

#include "core/messages.h"
#include "tests/support/test_session.h"

namespace rs {
namespace {

class ListTextTest : public ::testing::Test {
  protected:
    test::TestSession ts;
    size_t records() const { return ts.view.records.m_InstructionList.size(); }
    std::string exported() const { return exportListText(*ts.app.table, records()); }
};

TEST_F(ListTextTest, ImportedTextExportsBackTheSame) {
    const std::string text =
        "LD X000\n"
        "OR X001\n"
        "ANI M0\n"
        "OUT Y000\n"
        "OUT T0 K10\n"
        "P0:\n"
        "LD X002\n"
        "MPS\n"
        "AND X003\n"
        "MOV K10 D0\n"
        "MPP\n"
        "SET M1\n"
        "END\n";
    const ImportResult r = importListText(ts.session, text);
    ASSERT_TRUE(r.ok) << r.line << ": " << r.message;
    EXPECT_EQ(exported(), text);
    EXPECT_TRUE(ts.sink.shown.empty());
}

TEST_F(ListTextTest, CommentsAndBlankLinesAreSkippedAndEndIsAppended) {
    const ImportResult r =
        importListText(ts.session, "# a comment\n\n   \nLD X0\r\n  # indented comment\nOUT Y1");
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(exported(), "LD X000\nOUT Y001\nEND\n");
    // The END row has all four records, as the list editor writes it.
    EXPECT_EQ(ts.view.records.m_FunStepList.size(), 3u);
    EXPECT_TRUE(store::listsConsistent(ts.view.records));
}

TEST_F(ListTextTest, EmptyTextGivesTheEndRowOnly) {
    ASSERT_TRUE(importListText(ts.session, "# nothing\n").ok);
    EXPECT_EQ(exported(), "END\n");
}

TEST_F(ListTextTest, RefusedLineGivesItsNumberAndTheProgramsMessage) {
    const ImportResult r = importListText(ts.session, "LD X000\n# c\nOUT X001\nEND\n");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.line, 3);
    EXPECT_EQ(r.message, msg::kDeviceSettingWrong);
    EXPECT_TRUE(ts.sink.shown.empty());  // reported through the result only

    test::TestSession other;
    const ImportResult u = importListText(other.session, "LD X000\nNOP\n");
    EXPECT_EQ(u.line, 2);
    EXPECT_EQ(u.message, msg::notSupported("NOP"));
}

TEST_F(ListTextTest, ModeDecidesWhatIsAccepted) {
    ts.app.setMode2(true);
    const ImportResult r = importListText(ts.session, "LD X000\nPRR D0 K1\n");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, msg::mode2NotSupported("PRR"));
}

TEST_F(ListTextTest, MoreRowsThanTheTableHoldsAreRefused) {
    std::string text;
    for (int i = 0; i < kListRows; ++i) text += "LD X000\n";
    const ImportResult r = importListText(ts.session, text);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.line, kListRows + 1);
    EXPECT_EQ(r.message, msg::kExceedsEditRange);
}

TEST_F(ListTextTest, ListViewTextCarriesTheStepNumbers) {
    ASSERT_TRUE(importListText(ts.session, "LD X000\nOUT Y000\nP1:\nMOV K10 D0\n").ok);
    // A label row takes no step; MOV takes 5 and one for its constant.
    EXPECT_EQ(listViewText(*ts.app.table, records()),
              "0 LD X000\n1 OUT Y000\n2 P1\n2 MOV K10 D0\n8 END\n");
}

}  // namespace
}  // namespace rs

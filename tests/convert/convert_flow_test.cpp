// Convert as the user meets it: flags, step labels, the step limit, the
// reports and the F4 presses that follow them, the bounds of the passes.
#include <gtest/gtest.h>

#include "core/cell_table.h"
#include "core/convert/convert.h"
#include "core/list_text.h"
#include "core/messages.h"
#include "tests/support/test_session.h"

namespace rs::test {
namespace {

// One rung per entry of `rungs`: its contacts in columns 1.., wire to column 9,
// the coil text in column 10.
std::string rungs(const std::vector<std::pair<int, std::string>>& list) {
    std::string t;
    int row = 0;
    for (const auto& [contacts, coil] : list) {
        for (int c = 1; c <= 9; ++c) {
            t += std::to_string(row) + " " + std::to_string(c) +
                 (c <= contacts ? " 1 0x003 X00" + std::to_string(c - 1) : " 14 0x001") + "\n";
        }
        t += std::to_string(row) + " 10 5 0x003 " + coil + "\n";
        ++row;
    }
    return t;
}

struct ConvertFlow : ::testing::Test {
    void load(const std::string& cells) {
        ASSERT_TRUE(readCellTable(cells, t.session.grid()).ok);
        t.session.commit();
    }
    TestSession t;
};

TEST_F(ConvertFlow, EmptyLadderGivesEndAndIsCompiled) {
    t.session.commit();
    const ConvertOutcome out = convertLadder(t.session);
    EXPECT_TRUE(out.compiled);
    EXPECT_EQ(listText(t.session.table()), "END\n");
    EXPECT_EQ(t.view.records.m_InstructionList.size(), 1u);
    EXPECT_TRUE(t.view.records.m_FunNoList.empty());  // END has no number or step record
    EXPECT_TRUE(t.view.m_bCompiled && t.app.m_bCompiled);
}

TEST_F(ConvertFlow, StepLabelsCountEachRung) {
    load(rungs({{1, "Y000"}, {2, "T0 K10"}, {1, "Y001"}}));
    ASSERT_TRUE(convertLadder(t.session).compiled);
    LadderGrid& g = t.session.grid();
    EXPECT_EQ(g.rowStep(0), "0");
    EXPECT_EQ(g.rowStep(1), "2");  // LD, OUT Y000
    EXPECT_EQ(g.rowStep(2), "8");  // LD, AND, OUT T0 K10 (4)
    EXPECT_EQ(g.rowStep(3), "10");
    // Records and table agree; the END row lacks its number and step records.
    EXPECT_EQ(t.view.records.m_InstructionList.size(), 8u);
    EXPECT_EQ(t.view.records.m_FunStepList.size(), 7u);
    EXPECT_TRUE(store::listsConsistent(t.view.records));
}

TEST_F(ConvertFlow, EmptyRowsGoAndLabelsStayWithTheirRungs) {
    // Row 1 is empty: it is removed, and the labelled rung below moves up with
    // its label.
    load(
        "0 1 1 0x003 X000\n0 2 14 0x001\n0 3 14 0x001\n0 4 14 0x001\n0 5 14 0x001\n"
        "0 6 14 0x001\n0 7 14 0x001\n0 8 14 0x001\n0 9 14 0x001\n0 10 5 0x003 Y000\n"
        "2 0 0 0x000 P3\n2 1 2 0x003 X001\n2 2 14 0x001\n2 3 14 0x001\n2 4 14 0x001\n"
        "2 5 14 0x001\n2 6 14 0x001\n2 7 14 0x001\n2 8 14 0x001\n2 9 14 0x001\n"
        "2 10 5 0x003 Y001\n");
    ASSERT_TRUE(convertLadder(t.session).compiled);
    EXPECT_EQ(listText(t.session.table()), "LD X000\nOUT Y000\nP3:\nLDI X001\nOUT Y001\nEND\n");
    EXPECT_EQ(t.session.grid().text(1, 0), "P3");
    EXPECT_EQ(t.session.grid().m_nDrawnLastRow, 1);
    EXPECT_EQ(t.session.grid().rowStep(2), "4");
}

TEST_F(ConvertFlow, ListModeConvertsNothing) {
    load(rungs({{1, "Y000"}}));
    t.view.m_bListMode = 1;
    EXPECT_FALSE(convertLadder(t.session).ran);
    EXPECT_FALSE(t.session.table().rowUsed(0));
}

// 197 rungs of two steps and one of five make 399 steps; one more contact
// makes 400, which is out of range.
TEST_F(ConvertFlow, StepLimitIs400) {
    std::vector<std::pair<int, std::string>> list(197, {1, "Y000"});
    list.push_back({1, "T0 K10"});
    load(rungs(list));
    const ConvertOutcome ok = convertLadder(t.session);
    EXPECT_TRUE(ok.compiled);
    EXPECT_FALSE(ok.stepOverflow);
    EXPECT_EQ(t.session.grid().rowStep(198), "399");
    EXPECT_TRUE(t.sink.shown.empty());

    list.back() = {2, "T0 K10"};
    load(rungs(list));
    const ConvertOutcome over = convertLadder(t.session);
    EXPECT_TRUE(over.stepOverflow);
    EXPECT_EQ(t.sink.texts(), std::vector<std::string>{msg::kStepOutOfRange});
    EXPECT_EQ(t.sink.shown[0].caption, msg::kCaption);
    // Without END the program is not one: it stays unconverted.
    EXPECT_FALSE(over.compiled);
    EXPECT_FALSE(t.view.m_bCompiled || t.app.m_bCompiled);
    EXPECT_EQ(t.session.grid().rowStep(198), "");
    const std::string list400 = listText(t.session.table());
    EXPECT_EQ(list400.find("END"), std::string::npos);
}

TEST_F(ConvertFlow, SecondAndThirdF4AfterAWalkReport) {
    // Row 1 ends without an output: the walk reports it (pass 3 does not).
    load(rungs({{1, "Y000"}}) + "1 1 1 0x003 X001\n");
    ConvertOutcome out = convertLadder(t.session);
    EXPECT_TRUE(out.unconvertible);
    EXPECT_EQ(out.reportRow, 1);
    EXPECT_EQ(out.reportCol, 10);
    EXPECT_EQ(t.view.m_bUnconvertible, 1);
    EXPECT_EQ(listText(t.session.table()), "LD X000\nOUT Y000\n");  // stopped, no END

    // Second F4, nothing edited: reported again, flag cleared, not compiled.
    t.sink.clear();
    out = convertLadder(t.session);
    EXPECT_TRUE(out.unconvertible);
    EXPECT_EQ(t.sink.texts(), std::vector<std::string>{msg::kUnconvertible});
    EXPECT_EQ(t.view.m_bUnconvertible, 0);
    EXPECT_FALSE(t.view.m_bCompiled || t.app.m_bCompiled);

    // Third F4 takes the full path again: still reported while the fault is there.
    t.sink.clear();
    out = convertLadder(t.session);
    EXPECT_TRUE(out.unconvertible);
    EXPECT_EQ(t.view.m_bUnconvertible, 1);

    // The user gives the row its coil: the next F4 succeeds.
    LadderGrid& g = t.session.grid();
    for (int c = 2; c <= 9; ++c) g.setCell(1, c, HorizontalLine, {}, LinkWire);
    g.setCell(1, 10, Coil, "Y001", LinkWire | LinkSymbol);
    t.session.commit();
    t.sink.clear();
    out = convertLadder(t.session);
    EXPECT_TRUE(out.compiled);
    EXPECT_EQ(listText(t.session.table()), "LD X000\nOUT Y000\nLD X001\nOUT Y001\nEND\n");
    EXPECT_TRUE(t.sink.shown.empty());
}

TEST_F(ConvertFlow, ASecondF4AfterACheckingReportStillChecks) {
    load("0 1 1 0x003 X000\n0 3 14 0x001\n0 10 5 0x003 Y000\n");
    EXPECT_TRUE(convertLadder(t.session).unconvertible);
    t.sink.clear();
    EXPECT_TRUE(convertLadder(t.session).unconvertible);
    EXPECT_EQ(t.sink.texts(), std::vector<std::string>{msg::kUnconvertible});
}

TEST_F(ConvertFlow, MissingOutputAfterWireForgetsTheReport) {
    // The checking pass reports a rung that ends in wire, then clears the flag
    // so that the next F4 takes the full path again.
    load(
        "0 1 1 0x003 X000\n0 2 14 0x001\n0 3 14 0x001\n0 4 14 0x001\n0 5 14 0x001\n"
        "0 6 14 0x001\n0 7 14 0x001\n0 8 14 0x001\n0 9 14 0x001\n");
    const ConvertOutcome out = convertLadder(t.session);
    EXPECT_TRUE(out.unconvertible);
    EXPECT_EQ(out.reportCol, 10);
    EXPECT_EQ(t.view.m_bUnconvertible, 0);
}

TEST_F(ConvertFlow, OnlyTheFirstReportOfARunIsShown) {
    // Two mark cells in series: both are reported by the emitter that meets
    // them, only the first is shown and names the cell; the walk goes on.
    load(rungs({{3, "Y000"}}) + "0 2 13 0x003 X001\n0 3 12 0x003 X002\n");
    const ConvertOutcome out = convertLadder(t.session);
    EXPECT_TRUE(out.unconvertible);
    EXPECT_EQ(t.sink.shown.size(), 1u);
    EXPECT_EQ(out.reportRow, 0);
    EXPECT_EQ(out.reportCol, 2);
    EXPECT_EQ(t.view.m_nConvertErrors, 1);
    EXPECT_EQ(listText(t.session.table()), "LD X000\nOUT Y000\nEND\n");
    EXPECT_FALSE(out.compiled);
}

TEST_F(ConvertFlow, UnknownKindLeavesNoEmptyRow) {
    // A mark cell where a contact is expected is reported, not written as an
    // empty row with unequal record lists.
    load(rungs({{2, "Y000"}}) + "0 2 12 0x003 X001\n");
    const ConvertOutcome out = convertLadder(t.session);
    EXPECT_TRUE(out.unconvertible);
    EXPECT_EQ(out.reportCol, 2);
    const InstructionTable& table = t.session.table();
    for (int r = 0; r < table.usedRows(); ++r) EXPECT_FALSE(table.m_Instruction[r].empty());
    EXPECT_EQ(table.usedRows(), 3);  // LD X000, OUT Y000, END
    EXPECT_EQ(t.view.records.m_FunNoList.size(), 2u);
    EXPECT_TRUE(store::listsConsistent(t.view.records));
}

TEST_F(ConvertFlow, RefusedApplicationLineLeavesProgramUnconverted) {
    load(
        "0 1 1 0x003 X000\n0 2 14 0x001\n0 3 14 0x001\n0 4 14 0x001\n0 5 14 0x001\n"
        "0 6 14 0x001\n0 7 14 0x001\n0 10 6 0x003 MOV K10 D99999\n");
    const ConvertOutcome out = convertLadder(t.session);
    EXPECT_EQ(t.sink.texts(), std::vector<std::string>{msg::kDeviceSettingWrong});
    EXPECT_FALSE(out.compiled);
    EXPECT_FALSE(t.session.table().rowUsed(1));  // the row stays empty
    EXPECT_EQ(t.session.table().m_Instruction[2], "END");
}

TEST_F(ConvertFlow, UnsupportedApplicationMarksItsCell) {
    load(
        "0 1 1 0x003 X000\n0 2 14 0x001\n0 3 14 0x001\n0 4 14 0x001\n0 5 14 0x001\n"
        "0 6 14 0x001\n0 10 6 0x003 FMOV K0 D0 K10\n");
    EXPECT_FALSE(convertLadder(t.session).compiled);
    EXPECT_EQ(t.sink.texts(), std::vector<std::string>{"FMOV instruction is not supported ."});
    EXPECT_EQ(t.view.m_nUnsupportedErrors, 1);
    EXPECT_TRUE(t.view.highlight.active && !t.view.highlight.inList);
    EXPECT_EQ(t.view.highlight.row, 0);
    EXPECT_EQ(t.view.highlight.col, 10);
}

TEST_F(ConvertFlow, CompactionBoundReportsTheLadder) {
    const std::string kFarRight =
        "0 1 14 0x001\n0 2 14 0x001\n0 3 14 0x001\n0 4 14 0x001\n0 5 14 0x001\n"
        "0 6 14 0x001\n0 7 14 0x001\n0 8 1 0x003 X000\n0 9 14 0x001\n0 10 5 0x003 Y000\n";
    // A contact drawn far right slides left one column per restart; with room
    // for fewer restarts than it needs the ladder is reported, not hung on.
    load(kFarRight);
    ConvertLimits limits;
    limits.compactionRestarts = 3;
    const ConvertOutcome bounded = convertLadder(t.session, limits);
    EXPECT_TRUE(bounded.unconvertible);
    EXPECT_FALSE(bounded.compiled);

    load(kFarRight);
    t.sink.clear();
    const ConvertOutcome full = convertLadder(t.session);
    EXPECT_TRUE(full.compiled);
    EXPECT_EQ(listText(t.session.table()), "LD X000\nOUT Y000\nEND\n");
}

TEST_F(ConvertFlow, NestingBoundReportsTheLadder) {
    load(
        "0 1 1 0x003 X000\n0 2 1 0x013 X003\n0 3 14 0x001\n0 4 14 0x001\n0 5 14 0x001\n"
        "0 6 14 0x001\n0 7 14 0x001\n0 8 14 0x001\n0 9 14 0x001\n0 10 5 0x003 Y000\n"
        "1 2 1 0x003 X001\n1 3 14 0x001\n1 4 14 0x001\n1 5 14 0x001\n1 6 14 0x001\n"
        "1 7 14 0x001\n1 8 14 0x001\n1 9 14 0x001\n1 10 5 0x003 Y001\n");
    ConvertLimits limits;
    limits.nestingDepth = 0;
    EXPECT_TRUE(convertLadder(t.session, limits).unconvertible);
}

}  // namespace
}  // namespace rs::test

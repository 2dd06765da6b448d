// Instruction lists as an engineer writes them, each with the ladder it must
// give (compact rows, see list_fixture.h) and the list Convert makes of that
// ladder: the list itself when it is in the form Convert writes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/convert/convert.h"
#include "core/list_to_ladder/list_to_ladder.h"
#include "tests/ladder/grid_invariants.h"
#include "tests/ladder/list_fixture.h"
#include "tests/support/test_session.h"

namespace rs {
namespace {

struct CorpusCase {
    const char* name;
    std::vector<std::string> list;
    std::vector<std::string> ladder;
    std::vector<std::string> converted = {};  // what Convert gives back; empty: the list itself
};

std::string joined(const std::vector<std::string>& rows) {
    std::string s;
    for (const auto& r : rows) s += "\n  " + r;
    return s;
}

const std::vector<CorpusCase>& corpus() {
    static const std::vector<CorpusCase> cases = {
        {"StartStopLatch",
         {"LD X000", "OR Y000", "ANI X001", "OUT Y000", "END"},
         {"|X000 |/X001 - - - - - - - (Y000)",  //
          "Y000 . . . . . . . . ."}},
        {"Interlock",
         {"LD X000", "ANI Y001", "OUT Y000", "LD X001", "ANI Y000", "OUT Y001", "END"},
         {"X000 /Y001 - - - - - - - (Y000)",  //
          "X001 /Y000 - - - - - - - (Y001)"}},
        {"TimerAndCounter",
         {"LD X000", "OUT T0 K10", "LD T0", "OUT Y000", "LD X001", "OUT C0 D10", "LD C0",
          "OUT Y001", "LD X002", "RST C0", "END"},
         {"X000 - - - - - - - - (T0 K10)",  //
          "T0 - - - - - - - - (Y000)",      //
          "X001 - - - - - - - - (C0 D10)",  //
          "C0 - - - - - - - - (Y001)",      //
          "X002 - - - - - - - = [RST C0]"}},
        {"SetAndReset",
         {"LD X000", "SET M0", "LDI X001", "RST M0", "END"},
         {"X000 - - - - - - - = [SET M0]",  //
          "/X001 - - - - - - - = [RST M0]"}},
        {"PulseContacts",
         {"LDP X000", "ANDF X001", "ORP X002", "OUT M1", "END"},
         {"|P:X000 F:X001 |- - - - - - - (M1)",  //
          "P:X002 - . . . . . . . ."}},
        {"SeriesOfParallelBlocks",
         {"LD X000", "AND X001", "LD X002", "AND X003", "ORB", "LD X004", "OR X005", "ANB",
          "OUT Y000", "END"},
         {"|X000 X001 |X004 |- - - - - - (Y000)",  //
          "X002 X003 X005 . . . . . . ."}},
        {"NestedBlocks",
         {"LD X000", "LD X001", "AND X002", "LD X003", "LD X004", "OR X005", "ANB", "ORB", "ANB",
          "OUT Y001", "END"},
         {"X000 |X001 X002 |- - - - - - (Y001)",  //
          ". X003 |X004 |. . . . . . .",          //
          ". . X005 . . . . . . ."}},
        {"SplitsAtTwoLevels",
         {"LD X000", "MPS", "AND X001", "OUT Y000", "MRD", "AND X002", "OUT Y001", "MPP",
          "AND X003", "MPS", "AND X004", "OUT Y002", "MPP", "OUT Y003", "END"},
         {"X000 |X001 - - - - - - - (Y000)",  //
          ". |X002 - - - - - - - (Y001)",     //
          ". X003 |X004 - - - - - - (Y002)",  //
          ". . - - - - - - - (Y003)"}},
        {"OutputsThenBranch",
         {"LD X000", "OUT Y000", "OUT Y001", "AND X001", "OUT Y002", "END"},
         {"X000 |- - - - - - - - (Y000)",  //
          ". |- - - - - - - - (Y001)",     //
          ". X001 - - - - - - - (Y002)"}},
        {"BlockAfterSplit",
         {"LD X000", "MPS", "AND X001", "OUT Y000", "MPP", "LD X002", "OR X003", "ANB", "OUT Y001",
          "END"},
         {"X000 |X001 - - - - - - - (Y000)",  //
          ". |X002 |- - - - - - - (Y001)",    //
          ". X003 . . . . . . . ."}},
        {"InstructionBoxes",
         {"LD X000", "INC D0", "MOV K10 D0", "ADD D0 D1 D2", "ZCP K10 K20 D0 M0", "END"},
         {"X000 |- - - - - - - = [INC D0]",     //
          ". |- - - - - - = = [MOV K10 D0]",    //
          ". |- - - - - = = = [ADD D0 D1 D2]",  //
          ". - - - - = = = = [ZCP K10 K20 D0 M0]"}},
        {"LabelsAndCompare",
         {"P0:", "LD M8000", "CMP K100 D0 M10", "P1:", "LD M10", "OUT Y000", "END"},
         {"P0: M8000 - - - - - = = = [CMP K100 D0 M10]",  //
          "P1: M10 - - - - - - - - (Y000)"}},
        {"SplitBeforeOutputOnly",
         {"LD X000", "MPS", "OUT Y000", "MPP", "AND X001", "OUT Y001", "END"},
         {"X000 |- - - - - - - - (Y000)",  //
          ". X001 - - - - - - - (Y001)"},
         {"LD X000", "OUT Y000", "AND X001", "OUT Y001", "END"}},
        {"BlockInFirstOperandMidRung",
         {"LD X000", "LD X001", "OR X002", "AND X003", "OR X004", "ANB", "OUT Y000", "END"},
         {"X000 |X004 - |- - - - - - (Y000)",  //
          ". |X001 |X003 . . . . . . .",       //
          ". X002 . . . . . . . ."},
         {"LD X000", "LD X004", "LD X001", "OR X002", "AND X003", "ORB", "ANB", "OUT Y000", "END"}},
        {"OrbOfSingleContacts",
         {"LD X000", "LD X001", "LD X002", "ORB", "ORB", "OUT Y000", "END"},
         {"|X000 |- - - - - - - - (Y000)",  //
          "|X001 |. . . . . . . . .",       //
          "X002 . . . . . . . . ."},
         {"LD X000", "OR X001", "OR X002", "OUT Y000", "END"}},
        {"MiddleBranchWithThreeOutputs",
         {"LD X000", "AND X003", "MPS", "AND X001", "OUT Y000", "OUT Y001", "OUT Y002", "MPP",
          "OUT Y003", "END"},
         {"X000 X003 |X001 |- - - - - - (Y000)",  //
          ". . |. |- - - - - - (Y001)",           //
          ". . |. - - - - - - (Y002)",            //
          ". . - - - - - - - (Y003)"}},
        {"MiddleBranchWithOutputsAndBranch",
         {"LD X000", "MPS", "OUT Y000", "MRD", "AND X001", "MPS", "AND X002", "OUT Y001", "MPP",
          "OUT Y002", "MPP", "OUT Y003", "END"},
         {"X000 |- - - - - - - - (Y000)",      //
          ". |X001 |X002 - - - - - - (Y001)",  //
          ". |. - - - - - - - (Y002)",         //
          ". - - - - - - - - (Y003)"},
         {"LD X000", "OUT Y000", "MPS", "AND X001", "MPS", "AND X002", "OUT Y001", "MPP",
          "OUT Y002", "MPP", "OUT Y003", "END"}},
        {"MiddleBranchBlockFirst",
         {"LD X000", "MPS", "OUT Y000", "MRD", "AND X001", "LD X002", "OR X003", "ANB", "OUT Y001",
          "MPP", "OUT Y002", "END"},
         {"X000 |- - - - - - - - (Y000)",       //
          ". |X001 |X002 |- - - - - - (Y001)",  //
          ". |. X003 . . . . . . .",            //
          ". - - - - - - - - (Y002)"},
         {"LD X000", "OUT Y000", "MPS", "AND X001", "LD X002", "OR X003", "ANB", "OUT Y001", "MPP",
          "OUT Y002", "END"}},
    };
    return cases;
}

class PlacementCorpus : public ::testing::TestWithParam<size_t> {};

TEST_P(PlacementCorpus, GivesItsLadderAndConvertsBack) {
    const CorpusCase& c = corpus()[GetParam()];
    test::TestSession t;
    test::loadList(t.session, c.list);
    LadderGrid& grid = t.session.grid();
    ASSERT_TRUE(ladder::listToLadder(t.session)) << c.name << ": " << joined(t.sink.texts());
    const std::vector<std::string> rows = test::compactRows(grid, grid.m_nListLastRow);
    EXPECT_EQ(rows, c.ladder) << c.name << " gave:" << joined(rows);
    EXPECT_EQ(test::gridViolation(grid, grid.m_nListLastRow), "");
    EXPECT_EQ(grid.m_nLastRow, grid.m_nListLastRow);

    const ConvertOutcome out = convertLadder(t.session);
    EXPECT_TRUE(out.compiled) << c.name << ": " << joined(t.sink.texts());
    const std::vector<std::string> back = test::listLines(t.session.table());
    EXPECT_EQ(back, c.converted.empty() ? c.list : c.converted)
        << c.name << " converted:" << joined(back);
}

INSTANTIATE_TEST_SUITE_P(Lists, PlacementCorpus, ::testing::Range<size_t>(0, corpus().size()),
                         [](const auto& info) { return std::string(corpus()[info.param].name); });

}  // namespace
}  // namespace rs

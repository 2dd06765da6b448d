#include "core/list_steps.h"

#include <gtest/gtest.h>

namespace rs {
namespace {

struct Row {
    const char* mnemonic;
    const char* operand;
    int32_t steps;
};

std::vector<int64_t> stepsOf(std::initializer_list<Row> rows, InstructionTable& t) {
    t.clear(1);
    int r = 0;
    for (const Row& row : rows) t.setRow(r++, row.mnemonic, row.operand, 0, row.steps);
    return listStepNumbers(t, rows.size());
}

class ListStepsTest : public ::testing::Test {
  protected:
    std::unique_ptr<InstructionTable> t = std::make_unique<InstructionTable>();
};

TEST_F(ListStepsTest, SetShowsOneMoreThanTheLineBeforeAndTakesTwoSteps) {
    EXPECT_EQ(
        stepsOf({{"LD", "X000", 1}, {"OUT", "Y000", 1}, {"SET", "M0", 1}, {"END", "", 1}}, *t),
        (std::vector<int64_t>{0, 1, 2, 4}));
    EXPECT_EQ(stepsOf({{"LD", "X000", 1}, {"RST", "M0", 1}, {"RST", "M1", 1}, {"END", "", 1}}, *t),
              (std::vector<int64_t>{0, 1, 3, 5}));
}

TEST_F(ListStepsTest, BlockAndStackRowsOfStepCountZeroTakeOneStep) {
    EXPECT_EQ(stepsOf({{"LD", "X000", 1},
                       {"MPS", "", 0},
                       {"AND", "X001", 1},
                       {"OUT", "Y000", 1},
                       {"MPP", "", 0},
                       {"OUT", "Y001", 1},
                       {"LD", "X002", 1},
                       {"LD", "X003", 1},
                       {"ORB", "", 0},
                       {"END", "", 1}},
                      *t),
              (std::vector<int64_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_F(ListStepsTest, ConstantsAddStepsAndTimerOrCounterOutputsMore) {
    // MOV K10 D0: 5 + one K. OUT T0 K10: 1 + one K, plus for the T two for
    // its K. OUT C1 D5: 1, plus one for the D. OUT C2 H5C: 1 + one H, and the
    // C of the constant counts as a second counter: 2 x (two for the H).
    EXPECT_EQ(stepsOf({{"MOV", "K10 D0", 5},
                       {"OUT", "T0 K10", 1},
                       {"OUT", "C1 D5", 1},
                       {"LD", "X000", 1},
                       {"OUT", "C2 H5C", 1},
                       {"END", "", 1}},
                      *t),
              (std::vector<int64_t>{0, 6, 10, 12, 13, 19}));
}

TEST_F(ListStepsTest, OnlyTheFirst20CharactersOfATimerOperandCount) {
    const std::string operand = "T0 " + std::string(17, ' ') + "K10";  // K at position 20
    t->clear(1);
    t->setRow(0, "OUT", operand, 0, 1);
    t->setRow(1, "END", "", 0, 1);
    EXPECT_EQ(listStepNumbers(*t, 2), (std::vector<int64_t>{0, 2}));
}

TEST_F(ListStepsTest, LinesEndAtTheRecordCountOrTheFirstFreeRow) {
    t->clear(1);
    t->setRow(0, "LD", "X000", 0, 1);
    t->setRow(1, "OUT", "Y000", 0, 1);
    t->setRow(3, "END", "", 0, 1);
    EXPECT_EQ(listLineCount(*t, 10), 2);
    EXPECT_EQ(listLineCount(*t, 1), 1);
    EXPECT_EQ(listStepNumbers(*t, 10).size(), 2u);
    t->setRow(2, "", "P0", 0, 1);  // a label row is a line
    EXPECT_EQ(listLineCount(*t, 10), 4);
    EXPECT_EQ(listLineCount(*t, 100000), 4);
}

TEST_F(ListStepsTest, HugeStepCountsFromAFileDoNotOverflow) {
    t->clear(1);
    for (int r = 0; r < 3; ++r) t->setRow(r, "LD", "X000", 0, INT32_MAX);
    EXPECT_EQ(listStepNumbers(*t, 3).back(), 2 * int64_t{INT32_MAX});
}

}  // namespace
}  // namespace rs

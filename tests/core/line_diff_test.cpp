#include "core/line_diff.h"

#include <gtest/gtest.h>

#include <random>

#include "core/instruction_store.h"
#include "core/list_diff.h"

namespace rs {
namespace {

size_t lcsLength(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    std::vector<std::vector<size_t>> t(a.size() + 1, std::vector<size_t>(b.size() + 1, 0));
    for (size_t i = 1; i <= a.size(); ++i)
        for (size_t j = 1; j <= b.size(); ++j)
            t[i][j] =
                a[i - 1] == b[j - 1] ? t[i - 1][j - 1] + 1 : std::max(t[i - 1][j], t[i][j - 1]);
    return t[a.size()][b.size()];
}

// Generated pairs over a small alphabet (many repeats, as instruction lists
// have): the edits rebuild both sequences, keep a longest common subsequence
// and put removed lines before added ones in every run of changes.
TEST(LineDiff, GeneratedPairsRebuildBothSidesAlongALongestCommonSubsequence) {
    std::mt19937 random(7);
    const std::vector<std::string> alphabet{"LD X000", "OUT Y000", "AND M0", "END", "ORB"};
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::string> a, b;
        const size_t na = random() % 12, nb = random() % 12;
        for (size_t i = 0; i < na; ++i) a.push_back(alphabet[random() % alphabet.size()]);
        for (size_t i = 0; i < nb; ++i) b.push_back(alphabet[random() % alphabet.size()]);
        const auto edits = diffLines(a, b);
        std::vector<std::string> fromA, fromB;
        size_t same = 0, nextA = 0, nextB = 0;
        bool addedInRun = false;
        for (const LineEdit& e : edits) {
            if (e.kind == LineEdit::Same) {
                ASSERT_EQ(e.index, nextA);
                ASSERT_EQ(a[e.index], b[nextB]);
                fromA.push_back(a[nextA++]);
                fromB.push_back(b[nextB++]);
                ++same;
                addedInRun = false;
            } else if (e.kind == LineEdit::Removed) {
                ASSERT_FALSE(addedInRun) << "round " << round;
                ASSERT_EQ(e.index, nextA);
                fromA.push_back(a[nextA++]);
            } else {
                ASSERT_EQ(e.index, nextB);
                fromB.push_back(b[nextB++]);
                addedInRun = true;
            }
        }
        ASSERT_EQ(fromA, a) << "round " << round;
        ASSERT_EQ(fromB, b) << "round " << round;
        ASSERT_EQ(same, lcsLength(a, b)) << "round " << round;
    }
}

TEST(LineDiff, LongListsWithOneChangeGiveTwoEdits) {
    std::vector<std::string> a;
    for (int i = 0; i < 8000; ++i) a.push_back("LD X" + std::to_string(i % 7));
    std::vector<std::string> b = a;
    b[4000] = "LDI X000";
    size_t changes = 0;
    for (const LineEdit& e : diffLines(a, b)) changes += e.kind != LineEdit::Same;
    EXPECT_EQ(changes, 2u);
}

void put(InstructionTable& t, int row, const char* mnemonic, const char* operand) {
    t.m_Instruction[row] = mnemonic;
    t.m_Parameter[row] = operand;
    t.m_FunStep[row] = 1;
}

// A changed coil and an inserted timer: each row with its step number in its
// own list, the old row before the new one.
TEST(ListDiff, ChangedAndInsertedRowsCarryTheirOwnStepNumbers) {
    auto a = std::make_unique<InstructionTable>();
    auto b = std::make_unique<InstructionTable>();
    put(*a, 0, "LD", "X000");
    put(*a, 1, "OUT", "Y000");
    put(*a, 2, "END", "");
    put(*b, 0, "LD", "X000");
    put(*b, 1, "OUT", "T0 K10");
    put(*b, 2, "OUT", "Y001");
    put(*b, 3, "END", "");
    EXPECT_EQ(listDiffText(*a, 3, *b, 4), "- 1 OUT Y000\n+ 1 OUT T0 K10\n+ 5 OUT Y001\n");
    EXPECT_EQ(listDiffText(*a, 3, *a, 3), "");
}

}  // namespace
}  // namespace rs

// A branch network drawn once per output at its point, and only when no
// output between two copies may write a device the network reads.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/list_to_ladder/list_to_ladder.h"
#include "core/list_to_ladder/output_writes.h"
#include "tests/ladder/grid_invariants.h"
#include "tests/ladder/list_fixture.h"
#include "tests/support/test_session.h"

namespace rs {
namespace {

// Cells of the placed ladder that show the given text.
int copies(const std::vector<std::string>& list, const std::string& text) {
    test::TestSession t;
    test::loadList(t.session, list);
    EXPECT_TRUE(ladder::listToLadder(t.session));
    const LadderGrid& grid = t.session.grid();
    EXPECT_EQ(test::gridViolation(grid, grid.m_nListLastRow), "");
    int n = 0;
    for (int r = 0; r <= grid.m_nListLastRow; ++r)
        for (int c = 1; c < kGridCols; ++c)
            if (grid.text(r, c) == text) ++n;
    return n;
}

std::vector<std::string> middleBranch(const std::string& contact,
                                      const std::vector<std::string>& outputs) {
    std::vector<std::string> list = {"LD X000", "MPS", contact};
    list.insert(list.end(), outputs.begin(), outputs.end());
    list.insert(list.end(), {"MPP", "OUT Y003", "END"});
    return list;
}

TEST(BranchRepeat, RepeatsTheNetworkOnlyWhereNoOutputBetweenCopiesWritesIt) {
    EXPECT_EQ(copies(middleBranch("AND M1", {"OUT Y000", "OUT Y001", "OUT Y002"}), "M1"), 3);
    // RST M1 before a later copy would change what that copy reads.
    EXPECT_EQ(copies(middleBranch("AND M1", {"OUT Y000", "RST M1", "OUT Y002"}), "M1"), 1);
    EXPECT_EQ(copies(middleBranch("AND M1", {"OUT Y000", "OUT M01", "OUT Y002"}), "M1"), 1);
    // The last output is followed by no copy.
    EXPECT_EQ(copies(middleBranch("AND M1", {"OUT Y000", "OUT Y001", "RST M1"}), "M1"), 3);
    // A box counts as writing every device of the kinds it names (ZCP sets M0 to M2).
    EXPECT_EQ(copies(middleBranch("AND M2", {"ZCP K10 K20 D0 M0", "OUT Y001", "OUT Y002"}), "M2"),
              1);
    EXPECT_EQ(
        copies(middleBranch("AND X001", {"ZCP K10 K20 D0 M0", "OUT Y001", "OUT Y002"}), "X001"), 3);
    // A timer coil writes the timer its contact reads.
    EXPECT_EQ(copies(middleBranch("AND T0", {"OUT T0 K10", "OUT Y001", "OUT Y002"}), "T0"), 1);
    // The first branch of a point may take two rows without a copy.
    EXPECT_EQ(copies(middleBranch("AND X001", {"OUT Y000", "OUT Y001"}), "X001"), 1);
}

TEST(BranchRepeat, OutputWritesAgainstContactReads) {
    ladder::ContactReads reads;
    reads.add("M1");
    reads.add("X001");
    EXPECT_TRUE(reads.mayWrite("SET", "M001"));
    EXPECT_FALSE(reads.mayWrite("OUT", "M10"));
    EXPECT_FALSE(reads.mayWrite("OUT", "Y001"));
    EXPECT_TRUE(reads.mayWrite("MOV", "K1 K4M0"));
    EXPECT_FALSE(reads.mayWrite("MOV", "K10 D0"));
    EXPECT_TRUE(reads.mayWrite("WDT", ""));

    ladder::ContactReads indexed;
    indexed.add("M0Z");
    EXPECT_TRUE(indexed.mayWrite("OUT", "M7"));
    EXPECT_FALSE(indexed.mayWrite("OUT", "Y000"));

    ladder::ContactReads special;
    special.add("M8000");
    EXPECT_TRUE(special.mayWrite("INC", "D0"));
    EXPECT_FALSE(special.mayWrite("OUT", "M800"));
}

}  // namespace
}  // namespace rs

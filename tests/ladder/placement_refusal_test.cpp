// Lists no ladder gives, and lists too large for the grid: refused at the row
// where the problem shows, the grid left as it was.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/list_to_ladder/list_to_ladder.h"
#include "tests/ladder/grid_invariants.h"
#include "tests/ladder/list_fixture.h"

namespace rs {
namespace {

using ladder::PlacementFault;

struct Refusal {
    const char* name;
    std::vector<std::string> list;
    PlacementFault fault;
    int row;
};

std::vector<std::string> repeated(const std::vector<std::string>& unit, int times) {
    std::vector<std::string> out;
    for (int i = 0; i < times; ++i) out.insert(out.end(), unit.begin(), unit.end());
    return out;
}

std::vector<std::string> withEnd(std::vector<std::string> lines) {
    lines.push_back("END");
    return lines;
}

std::vector<std::string> orChain(int ors) {
    std::vector<std::string> l{"LD X000"};
    for (int i = 0; i < ors; ++i) l.push_back("OR M" + std::to_string(i));
    l.push_back("OUT Y000");
    return withEnd(l);
}

std::vector<std::string> andChain(int ands, const std::string& output) {
    std::vector<std::string> l{"LD X000"};
    for (int i = 0; i < ands; ++i) l.push_back("AND M" + std::to_string(i));
    l.push_back(output);
    return withEnd(l);
}

// Loads `blocks` contacts, then joins them all with ORB, right to left.
std::vector<std::string> deepOrbStack(int blocks) {
    std::vector<std::string> l;
    for (int i = 0; i < blocks; ++i) l.push_back("LD X000");
    for (int i = 1; i < blocks; ++i) l.push_back("ORB");
    l.push_back("OUT Y000");
    return withEnd(l);
}

const std::vector<Refusal>& refusals() {
    static const std::vector<Refusal> cases = {
        {"AnbWithOneBlock", {"LD X000", "ANB", "OUT Y000", "END"}, PlacementFault::Malformed, 1},
        {"OrbWithOneBlock",
         {"LD X000", "AND X001", "ORB", "OUT Y000", "END"},
         PlacementFault::Malformed,
         2},
        {"MppWithoutMps", {"LD X000", "MPP", "OUT Y000", "END"}, PlacementFault::Malformed, 1},
        {"MrdWithoutMps",
         {"LD X000", "OUT Y000", "MRD", "OUT Y001", "END"},
         PlacementFault::Malformed,
         2},
        {"OrAtTheStart", {"OR X000", "OUT Y000", "END"}, PlacementFault::Malformed, 0},
        {"AndAtTheStart", {"ANI X000", "OUT Y000", "END"}, PlacementFault::Malformed, 0},
        {"OutputWithoutContacts", {"OUT Y000", "END"}, PlacementFault::Malformed, 0},
        {"BlockOpenAtOutput",
         {"LD X000", "LD X001", "OUT Y000", "END"},
         PlacementFault::Malformed,
         2},
        {"MpsOpenAtEnd",
         {"LD X000", "MPS", "AND X001", "OUT Y000", "END"},
         PlacementFault::Malformed,
         4},
        {"MpsOpenAtNextRung",
         {"LD X000", "MPS", "AND X001", "OUT Y000", "P0:", "LD X002", "OUT Y001", "END"},
         PlacementFault::Malformed,
         4},
        {"ContactsWithoutOutput", {"LD X000", "AND X001", "END"}, PlacementFault::Malformed, 2},
        {"BranchWithoutOutput",
         {"LD X000", "MPS", "AND X001", "MPP", "OUT Y000", "END"},
         PlacementFault::Malformed,
         3},
        {"SplitWithNothingHanging", {"LD X000", "MPS", "MPP", "END"}, PlacementFault::Malformed, 1},
        {"OrOverAnOutput",
         {"LD X000", "OUT Y000", "OR X001", "OUT Y001", "END"},
         PlacementFault::Malformed,
         2},
        {"TenContactsInSeries", andChain(9, "OUT Y000"), PlacementFault::TooWide, 9},
        {"BoxPastTheContacts", andChain(5, "ZCP K10 K20 D0 M0"), PlacementFault::TooWide, 6},
        {"VerticalWireTooLong", orChain(24), PlacementFault::ChainTooLong, 0},
        {"PastTheGridRows", withEnd(repeated({"LD X000", "OUT Y000", "OUT Y001"}, 2000)),
         PlacementFault::TooManyRows, 5997},
        {"OrChainFillingTheList", orChain(7997), PlacementFault::TooManyRows, 4000},
        {"DeepBlockStackJoinedByOrb", deepOrbStack(3999), PlacementFault::ChainTooLong, 0},
        {"EightThousandRowsNoEnd", repeated({"LD X000", "OUT Y000"}, 4000),
         PlacementFault::TooManyRows, 7998},
    };
    return cases;
}

class PlacementRefusal : public ::testing::TestWithParam<size_t> {};

TEST_P(PlacementRefusal, AtItsRowGridUntouched) {
    const Refusal& c = refusals()[GetParam()];
    auto table = std::make_unique<InstructionTable>();
    test::fillList(*table, c.list);
    auto grid = std::make_unique<LadderGrid>();
    grid->setCell(0, 1, OpenContact, "X007", LinkWire | LinkSymbol);
    grid->m_nListLastRow = 5;
    const ladder::PlacementOutcome out = ladder::placeList(*table, true, *grid);
    EXPECT_EQ(out.fault, c.fault) << c.name;
    EXPECT_EQ(out.listRow, c.row) << c.name;
    EXPECT_EQ(grid->text(0, 1), "X007");
    EXPECT_EQ(grid->m_nListLastRow, 5);
}

INSTANTIATE_TEST_SUITE_P(Lists, PlacementRefusal, ::testing::Range<size_t>(0, refusals().size()),
                         [](const auto& info) { return std::string(refusals()[info.param].name); });

TEST(PlacementLimits, WidestRowsAndLongestWireStillFit) {
    auto table = std::make_unique<InstructionTable>();
    auto grid = std::make_unique<LadderGrid>();
    for (const auto& list : {andChain(8, "OUT Y000"), andChain(4, "ZCP K10 K20 D0 M0"), orChain(23),
                             withEnd(repeated({"LD X000", "OUT Y000", "OUT Y001"}, 1999))}) {
        test::fillList(*table, list);
        const ladder::PlacementOutcome out = ladder::placeList(*table, true, *grid);
        ASSERT_TRUE(out.ok()) << list.size() << " rows refused at " << out.listRow;
        EXPECT_EQ(test::gridViolation(*grid, grid->m_nListLastRow), "");
    }
    EXPECT_EQ(grid->m_nListLastRow, 3997);
}

TEST(PlacementLimits, LabelsWithoutRungKeepTheirRow) {
    auto table = std::make_unique<InstructionTable>();
    auto grid = std::make_unique<LadderGrid>();
    test::fillList(*table, {"P0:", "P1:", "LD X000", "OUT Y000", "P2:", "END"});
    ASSERT_TRUE(ladder::placeList(*table, true, *grid).ok());
    EXPECT_EQ(
        test::compactRows(*grid, grid->m_nListLastRow),
        (std::vector<std::string>{"P0: . . . . . . . . . .", "P1: X000 - - - - - - - - (Y000)",
                                  "P2: . . . . . . . . . ."}));
}

TEST(PlacementLimits, EmptyListClearsTheGrid) {
    auto table = std::make_unique<InstructionTable>();
    auto grid = std::make_unique<LadderGrid>();
    grid->setCell(7, 3, OpenContact, "X001", LinkWire | LinkSymbol);
    grid->m_nLastRow = grid->m_nDrawnLastRow = grid->m_nListLastRow = 7;
    test::fillList(*table, {"END", "LD X000", "OUT Y000"});
    ASSERT_TRUE(ladder::placeList(*table, true, *grid).ok());
    EXPECT_EQ(grid->kind(7, 3), Empty);
    EXPECT_EQ(grid->m_nLastRow, -1);
    EXPECT_EQ(grid->m_nDrawnLastRow, -1);
    EXPECT_EQ(grid->m_nListLastRow, -1);
}

}  // namespace
}  // namespace rs

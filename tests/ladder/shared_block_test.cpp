// A network that leads to a point with several outputs or branches is drawn
// once, with what hangs at the point branching after it, and Convert gives
// the list back row for row.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/convert/convert.h"
#include "core/evaluate/list_eval.h"
#include "core/list_to_ladder/list_to_ladder.h"
#include "tests/ladder/grid_invariants.h"
#include "tests/ladder/list_fixture.h"
#include "tests/ladder/list_generator.h"
#include "tests/support/test_session.h"

namespace rs {
namespace {

std::string shown(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += "\n  " + l;
    return s;
}

class SharedBlock : public ::testing::Test {
  protected:
    // Places the list and converts the ladder back; the placement's fault
    // (None when placed) and the list Convert wrote (empty when it did not).
    ladder::PlacementFault trip(const std::vector<std::string>& list,
                                std::vector<std::string>& back) {
        back.clear();
        if (!t) t = std::make_unique<test::TestSession>();
        t->view.m_bUnconvertible = 0;
        test::loadList(t->session, list);
        t->view.m_bListMode = 1;
        const ladder::PlacementOutcome placed =
            ladder::placeList(t->session.table(), t->session.mode2(), t->session.grid());
        if (!placed.ok()) return placed.fault;
        const LadderGrid& g = t->session.grid();
        EXPECT_EQ(test::gridViolation(g, g.m_nListLastRow), "") << shown(list);
        t->view.m_bListMode = 0;
        if (convertLadder(t->session).compiled) back = test::listLines(t->session.table());
        return ladder::PlacementFault::None;
    }
    int cellsShowing(const std::string& text) const {
        const LadderGrid& g = t->session.grid();
        int n = 0;
        for (int r = 0; r <= g.m_nListLastRow; ++r)
            for (int c = 1; c < kGridCols; ++c) n += g.text(r, c) == text ? 1 : 0;
        return n;
    }
    std::unique_ptr<test::TestSession> t;
};

std::vector<std::string> sharedBlockOfEight(const std::vector<std::string>& outputs) {
    std::vector<std::string> list = {"LD X000", "OR X001", "MPS", "LD X002"};
    for (const char* d : {"X003", "X004", "X005", "X006", "X007", "X010", "X011"})
        list.push_back(std::string("OR ") + d);
    list.push_back("ANB");
    list.insert(list.end(), outputs.begin(), outputs.end());
    list.insert(list.end(), {"MPP", "OUT Y003", "END"});
    return list;
}

// An eight-row block shared by three outputs, then a fourth output from the
// point before it: nine rows, every contact once.
TEST_F(SharedBlock, AnEightRowBlockWithThreeOutputsTakesNineRows) {
    const std::vector<std::string> list = sharedBlockOfEight({"OUT Y000", "OUT Y001", "OUT Y002"});
    std::vector<std::string> back;
    ASSERT_EQ(trip(list, back), ladder::PlacementFault::None);
    EXPECT_EQ(t->session.grid().m_nListLastRow, 8);
    for (const char* d : {"X000", "X002", "X007", "X011"}) EXPECT_EQ(cellsShowing(d), 1) << d;
    EXPECT_EQ(back, list);
}

// Networks in the middle of a split, whatever the outputs after them write:
// each drawn once and read back as written.
TEST_F(SharedBlock, BranchNetworksOfASplitAreDrawnOnce) {
    // Outputs that write a device the network reads (RST M1, OUT M01, a ZCP
    // setting M0 to M2, a timer coil) change nothing: the network is read once.
    const std::vector<std::vector<std::string>> cases = {
        {"OUT Y000", "OUT Y001", "OUT Y002"},
        {"OUT Y000", "RST M1", "OUT Y002"},
        {"OUT Y000", "OUT M01", "OUT Y002"},
        {"OUT Y000", "OUT Y001", "RST M1"},
        {"ZCP K10 K20 D0 M0", "OUT Y001", "OUT Y002"},
        {"OUT T0 K10", "OUT Y001", "OUT Y002"},
        {"OUT Y000", "OUT Y001"},
    };
    for (const auto& outputs : cases) {
        for (const char* contact : {"AND M1", "ANI T0", "ANDP X001", "AND M2"}) {
            std::vector<std::string> list = {"LD X000", "MPS", contact};
            list.insert(list.end(), outputs.begin(), outputs.end());
            list.insert(list.end(), {"MPP", "OUT Y003", "END"});
            std::vector<std::string> back;
            ASSERT_EQ(trip(list, back), ladder::PlacementFault::None) << shown(list);
            EXPECT_EQ(cellsShowing(std::string(contact).substr(std::string(contact).find(' ') + 1)),
                      1)
                << shown(list);
            EXPECT_EQ(back, list);
        }
    }
}

std::vector<eval::ListRow> rowsOf(const std::vector<std::string>& list) {
    auto table = std::make_unique<InstructionTable>();
    test::fillList(*table, list);
    return eval::tableRows(*table);
}

// Whether two lists write the same outputs in the same order for every
// assignment: the first fourteen operands in sorted order take every
// combination over 256 words of 64 (further ones repeat them).
bool sameMeaning(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    const std::vector<eval::ListRow> x = rowsOf(a), y = rowsOf(b);
    std::set<std::string> operands;
    for (const auto* rows : {&x, &y})
        for (const eval::ListRow& r : *rows) operands.insert(r.operand);
    std::map<std::string, int> ids;
    for (const std::string& o : operands) ids.emplace(o, static_cast<int>(ids.size()));
    static const uint64_t kLow[6] = {0xAAAAAAAAAAAAAAAAull, 0xCCCCCCCCCCCCCCCCull,
                                     0xF0F0F0F0F0F0F0F0ull, 0xFF00FF00FF00FF00ull,
                                     0xFFFF0000FFFF0000ull, 0xFFFFFFFF00000000ull};
    for (int word = 0; word < 256; ++word) {
        const eval::WideReader read = [&](const std::string& d) {
            const auto it = ids.find(d);
            const int i = it == ids.end() ? 0 : it->second % 14;
            return i < 6 ? kLow[i] : ((word >> (i - 6)) & 1) ? ~0ull : 0ull;
        };
        const eval::WideListResult p = eval::runListWide(x, read), q = eval::runListWide(y, read);
        if (!p.ok || !q.ok || p.outputs.size() != q.outputs.size()) return false;
        for (size_t i = 0; i < p.outputs.size(); ++i)
            if (p.outputs[i].name != q.outputs[i].name || p.outputs[i].on != q.outputs[i].on)
                return false;
    }
    return true;
}

// Generated lists of every shape: every placed list converts back to a list
// of the same meaning over every combination of its first fourteen operands,
// and that list, placed and converted again, comes back row for row. Prints
// how many lists are refused, by the reason.
TEST_F(SharedBlock, GeneratedListsComeBackRowForRow) {
    test::ListGenerator gen(2025, test::ListShape{});
    const int count = 1500;
    std::map<ladder::PlacementFault, int> refused;
    int same = 0;
    for (int i = 0; i < count; ++i) {
        const std::vector<std::string> list = gen.next();
        std::vector<std::string> back, again;
        const ladder::PlacementFault fault = trip(list, back);
        if (fault != ladder::PlacementFault::None) {
            ++refused[fault];
            continue;
        }
        ASSERT_FALSE(back.empty()) << "not converted" << shown(list);
        ASSERT_TRUE(sameMeaning(list, back)) << shown(list) << "\nback:" << shown(back);
        same += back == list ? 1 : 0;
        ASSERT_EQ(trip(back, again), ladder::PlacementFault::None) << shown(back);
        ASSERT_EQ(again, back) << shown(list);
    }
    int total = 0;
    for (const auto& [fault, n] : refused) total += n;
    std::printf(
        "placed %d of %d, %d of them back as written; refused: too wide %d, too many "
        "rows %d, vertical wire too long %d, malformed %d\n",
        count - total, count, same, refused[ladder::PlacementFault::TooWide],
        refused[ladder::PlacementFault::TooManyRows], refused[ladder::PlacementFault::ChainTooLong],
        refused[ladder::PlacementFault::Malformed]);
    EXPECT_EQ(refused[ladder::PlacementFault::Malformed], 0);
}

}  // namespace
}  // namespace rs

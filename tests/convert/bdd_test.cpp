#include "core/evaluate/bdd.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

#include "core/evaluate/list_eval.h"
#include "core/evaluate/power_flow.h"
#include "tests/convert/ladder_gen.h"

namespace rs::eval {
namespace {

constexpr int kVars = 6;  // 64 combinations: one word of a truth table

uint64_t varWord(int i) {
    static const uint64_t kLow[kVars] = {0xAAAAAAAAAAAAAAAAull, 0xCCCCCCCCCCCCCCCCull,
                                         0xF0F0F0F0F0F0F0F0ull, 0xFF00FF00FF00FF00ull,
                                         0xFFFF0000FFFF0000ull, 0xFFFFFFFF00000000ull};
    return kLow[i];
}

// The function of a truth table, built minterm by minterm: an answer that
// shares nothing with the operations under test but the constants.
Bdd fromTruth(BddSpace& s, uint64_t truth) {
    Bdd f;
    for (int m = 0; m < 64; ++m) {
        if (((truth >> m) & 1u) == 0) continue;
        Bdd term = ~Bdd{};
        for (int i = 0; i < kVars; ++i) term = term & (((m >> i) & 1) ? s.var(i) : ~s.var(i));
        f = f | term;
    }
    return f;
}

// A random formula built on both sides at once: as a word of truth values and
// as a diagram.
struct Both {
    uint64_t truth;
    Bdd f;
};
Both randomFormula(std::mt19937& rng, BddSpace& s, int depth) {
    std::uniform_int_distribution<int> pick(0, 9);
    const int p = pick(rng);
    if (depth == 0 || p < 3) {
        const int v = p % kVars;
        return {varWord(v), s.var(v)};
    }
    const Both a = randomFormula(rng, s, depth - 1);
    if (p == 3) return {~a.truth, ~a.f};
    const Both b = randomFormula(rng, s, depth - 1);
    if (p < 7) return {a.truth & b.truth, a.f & b.f};
    return {a.truth | b.truth, a.f | b.f};
}

TEST(Bdd, EqualDiagramsExactlyForEqualTruthTables) {
    std::mt19937 rng(7);
    BddSpace s(1 << 16, 1 << 24);
    std::vector<Both> seen;
    for (int k = 0; k < 400; ++k) {
        const Both x = randomFormula(rng, s, 5);
        ASSERT_EQ(x.f, fromTruth(s, x.truth)) << "formula " << k;
        for (const Both& y : seen) ASSERT_EQ(x.f == y.f, x.truth == y.truth) << "formula " << k;
        seen.push_back(x);
    }
    EXPECT_FALSE(s.full());
}

TEST(Bdd, ConstantsAndLawsWithoutASpace) {
    BddSpace s(64, 1 << 24);
    const Bdd f, t = ~Bdd{};
    const Bdd a = s.var(0), b = s.var(1), c = s.var(2);
    EXPECT_EQ((f & t).id, 0);
    EXPECT_EQ((f | t).id, 1);
    EXPECT_EQ(a & t, a);
    EXPECT_EQ(a | f, a);
    EXPECT_EQ(a & ~a, f);
    EXPECT_EQ(a | ~a, t);
    EXPECT_EQ(~(a & b), ~a | ~b);
    EXPECT_EQ(a & (b | c), (a & b) | (a & c));
    EXPECT_NE(a & b, a | b);
    EXPECT_FALSE(s.full());
}

TEST(Bdd, AFullSpaceSaysSo) {
    BddSpace s(8, 1 << 24);
    Bdd x;
    for (int i = 0; i < 12; ++i) x = x | (s.var(2 * i) & s.var(2 * i + 1));
    EXPECT_TRUE(s.full());
    EXPECT_LE(s.nodes(), 8);
    // The bound on steps: the same work with room for nodes but not for time.
    BddSpace slow(1 << 16, 10);
    Bdd y;
    for (int i = 0; i < 12; ++i) y = y | (slow.var(2 * i) & slow.var(2 * i + 1));
    EXPECT_TRUE(slow.full());
    EXPECT_LE(slow.steps(), 11);
}

// Parity of 40 variables has a small diagram but 2^40 combinations: the
// space holds functions far past what bit sets can try. Each new variable
// is tested first, so every step adds a few nodes only.
TEST(Bdd, ManyVariables) {
    BddSpace s(1 << 12, 1 << 24);
    Bdd even = ~Bdd{}, odd;
    for (int i = 0; i < 40; ++i) {
        const Bdd v = s.var(39 - i);
        const Bdd e = (even & ~v) | (odd & v);
        odd = (odd & ~v) | (even & v);
        even = e;
    }
    EXPECT_EQ(even, ~odd);
    EXPECT_LE(s.nodes(), 2 + 8 * 40);
    EXPECT_FALSE(s.full());
}

// Stacked blocks of contacts in series, every column joined down all rows:
// with a space too small for their diagrams the spread of power still ends,
// and the space says its functions are not exact.
TEST(Bdd, AFullSpaceEndsTheGridSpread) {
    LadderGrid grid;
    constexpr int kRows = 12;
    for (int r = 0; r < kRows; ++r) {
        const CellLinks down = r + 1 < kRows ? LinkDown : 0;
        for (int c = 1; c <= 9; ++c)
            grid.setCell(r, c, OpenContact, "M" + std::to_string(c * 100 + r),
                         static_cast<CellLinks>(LinkWire | LinkSymbol | (c > 1 ? down : 0)));
        grid.setCell(r, kOutputCol, r == 0 ? Coil : Empty, r == 0 ? "Y000" : "",
                     static_cast<CellLinks>((r == 0 ? LinkWire | LinkSymbol : 0) | down));
    }
    grid.m_nLastRow = grid.m_nDrawnLastRow = kRows - 1;
    for (const long long steps : {50LL, 5000LL}) {
        BddSpace s(1 << 16, steps);
        int next = 0;
        std::vector<std::pair<std::string, Bdd>> vars;
        const LaneReader<Bdd> reader = [&](const std::string& d) {
            for (const auto& [name, v] : vars)
                if (name == d) return v;
            vars.emplace_back(d, s.var(next++));
            return vars.back().second;
        };
        const auto out = runGridLanes<Bdd>(grid, 0, kRows - 1, reader);
        ASSERT_EQ(out.size(), 1u);
        EXPECT_TRUE(s.full()) << steps;
    }
}

// The evaluators over diagrams give, output by output, the functions whose
// truth tables the 64-bit evaluators give, on generated grids and on the
// lists Convert writes for them.
TEST(Bdd, EvaluatorsOverDiagramsAgreeWithBitSets) {
    const char* const kDevices[kVars] = {"X000", "X001", "X002", "X003", "X004", "X005"};
    auto index = [&](const std::string& d) {
        for (int i = 0; i < kVars; ++i)
            if (d == kDevices[i]) return i;
        return -1;
    };
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        test::GenOptions o;
        o.maxRungs = 2;
        const test::GenLadder ladder = test::generateLadder(seed, o);
        LadderGrid grid;
        test::drawLadder(ladder, grid, 64);
        BddSpace s(1 << 16, 1 << 24);
        const LaneReader<Bdd> diagrams = [&](const std::string& d) {
            const int i = index(d);
            return i < 0 ? Bdd{} : s.var(i);
        };
        const WideReader words = [&](const std::string& d) {
            const int i = index(d);
            return i < 0 ? uint64_t{0} : varWord(i);
        };
        const auto wide = runGridWide(grid, 0, ladder.lastRow, words);
        const auto lanes = runGridLanes<Bdd>(grid, 0, ladder.lastRow, diagrams);
        ASSERT_EQ(wide.size(), lanes.size()) << "seed " << seed;
        for (size_t k = 0; k < wide.size(); ++k)
            ASSERT_EQ(lanes[k].on, fromTruth(s, wide[k].on)) << "seed " << seed << " output " << k;
        const std::vector<ListRow> rows = {{"LD", "X000"}, {"OR", "X001"},  {"ANI", "X002"},
                                           {"MPS", ""},    {"AND", "X003"}, {"OUT", "Y000"},
                                           {"MPP", ""},    {"LD", "X004"},  {"ORI", "X005"},
                                           {"ANB", ""},    {"OUT", "Y001"}};
        const auto wl = runListWide(rows, words);
        const auto bl = runListLanes<Bdd>(rows, diagrams);
        ASSERT_TRUE(wl.ok && bl.ok);
        ASSERT_EQ(wl.outputs.size(), bl.outputs.size());
        for (size_t k = 0; k < wl.outputs.size(); ++k)
            ASSERT_EQ(bl.outputs[k].on, fromTruth(s, wl.outputs[k].on));
    }
}

}  // namespace
}  // namespace rs::eval

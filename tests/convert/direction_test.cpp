// The one direction rule, held on generated grids: the grid evaluator of the
// rung check and the flow map of the simulation display give the same powered
// outputs as a reference written here from the rule itself (contacts and the
// columns of an instruction box pass current from left to right, plain wires
// and vertical wires both ways).
#include <gtest/gtest.h>

#include <map>

#include "core/cell_table.h"
#include "core/convert/tidy.h"
#include "core/evaluate/power_flow.h"
#include "tests/convert/ladder_gen.h"
#include "tests/support/test_session.h"

namespace rs::test {
namespace {

constexpr uint64_t kAll = ~uint64_t{0};

uint64_t pattern(int device) {
    static const uint64_t kLow[6] = {0xAAAAAAAAAAAAAAAAull, 0xCCCCCCCCCCCCCCCCull,
                                     0xF0F0F0F0F0F0F0F0ull, 0xFF00FF00FF00FF00ull,
                                     0xFFFF0000FFFF0000ull, 0xFFFFFFFF00000000ull};
    return kLow[device % 6] ^ (device >= 6 ? kLow[(device * 7) % 6] : 0);
}

// Reference: a directed graph over the row edges, relaxed until nothing
// changes. Edge e of row r is node r * 11 + e; edge 1 of every row is the rail.
std::map<int, uint64_t> referenceOutputs(const LadderGrid& g,
                                         const std::map<std::string, int>& ids) {
    const int rows = g.m_nDrawnLastRow + 1;
    struct Arc {
        int from, to;
        uint64_t when;
    };
    std::vector<Arc> arcs;
    auto node = [](int r, int e) { return r * 11 + e; };
    for (int r = 0; r < rows; ++r) {
        for (int c = 1; c <= 9; ++c) {
            const int32_t k = g.kind(r, c);
            const bool symbol = g.hasSymbol(r, c);
            if (symbol && (k == 1 || k == 3 || k == 7 || k == 9)) {
                arcs.push_back({node(r, c), node(r, c + 1), pattern(ids.at(g.text(r, c)))});
            } else if (symbol && (k == 2 || k == 4 || k == 8 || k == 10)) {
                arcs.push_back({node(r, c), node(r, c + 1), ~pattern(ids.at(g.text(r, c)))});
            } else if (!symbol && g.hasWire(r, c)) {
                bool box = g.kind(r, 10) == AppInstruction && g.hasSymbol(r, 10);
                for (int m = c; m <= 9 && box; ++m)
                    box = g.kind(r, m) == Empty && g.hasWire(r, m) && !g.hasSymbol(r, m);
                arcs.push_back({node(r, c), node(r, c + 1), kAll});
                if (!box) arcs.push_back({node(r, c + 1), node(r, c), kAll});
            }
        }
        for (int c = 2; c <= 10; ++c)
            if (r + 1 < rows && g.has(r, c, LinkDown)) {
                arcs.push_back({node(r, c), node(r + 1, c), kAll});
                arcs.push_back({node(r + 1, c), node(r, c), kAll});
            }
    }
    std::vector<uint64_t> power(static_cast<size_t>(rows) * 11 + 11, 0);
    for (int r = 0; r < rows; ++r) power[static_cast<size_t>(node(r, 1))] = kAll;
    for (bool changed = true; changed;) {
        changed = false;
        for (const Arc& a : arcs) {
            const uint64_t add =
                power[static_cast<size_t>(a.from)] & a.when & ~power[static_cast<size_t>(a.to)];
            if (add == 0) continue;
            power[static_cast<size_t>(a.to)] |= add;
            changed = true;
        }
    }
    std::map<int, uint64_t> out;
    for (int r = 0; r < rows; ++r) {
        const int32_t k = g.kind(r, 10);
        const std::string& t = g.text(r, 10);
        if ((k == Coil || k == AppInstruction) && t != "FEND" && t != "SRET" && t != "FOR" &&
            t != "NEXT")
            out[r] = power[static_cast<size_t>(node(r, 10))];
    }
    return out;
}

TEST(DirectionRule, EvaluatorsAgreeWithTheRuleOnDrawnGrids) {
    TestSession t;
    int differ = 0;
    for (uint32_t seed = 1; seed <= 3000 && differ < 3; ++seed) {
        const GenLadder ladder = generateDrawnGrid(seed);
        drawLadder(ladder, t.session.grid(), std::max(64, ladder.lastRow + 2));
        tidyGrid(t.session);
        const LadderGrid& g = t.session.grid();
        std::map<std::string, int> ids;
        for (const std::string& d : ladder.inputs) ids.emplace(d, static_cast<int>(ids.size()));
        const std::map<int, uint64_t> want = referenceOutputs(g, ids);
        const std::vector<eval::WideOutput> got = eval::runGridWide(
            g, 0, g.m_nDrawnLastRow, [&](const std::string& d) { return pattern(ids.at(d)); });
        std::string problem;
        if (got.size() != want.size()) problem = "outputs differ in number";
        for (const eval::WideOutput& o : got)
            if (problem.empty() && (!want.count(o.row) || want.at(o.row) != o.on))
                problem = "grid evaluator differs at row " + std::to_string(o.row);
        // The display's flow map, one scan at a time.
        for (int scan = 0; scan < 64 && problem.empty(); scan += 9) {
            auto on = [&](int r, int c) {
                const uint64_t bit = uint64_t{1} << scan;
                if (g.hasSymbol(r, c)) {
                    const int32_t k = serialTwin(g.kind(r, c));
                    if (!isSerialContactKind(k)) return false;
                    const bool level = (pattern(ids.at(g.text(r, c))) & bit) != 0;
                    return k == OpenContact || k == RisingPulse ? level : !level;
                }
                return g.hasWire(r, c);
            };
            const eval::FlowMap map = eval::flowMap(g, on);
            for (const auto& [row, mask] : want)
                if (map.powered(row, 10) != (((mask >> scan) & 1u) != 0))
                    problem = "flow map differs at row " + std::to_string(row);
        }
        if (!problem.empty() && ++differ <= 3)
            ADD_FAILURE() << "seed " << seed << ": " << problem << "\n" << writeCellTable(g);
    }
    EXPECT_EQ(differ, 0);
}

}  // namespace
}  // namespace rs::test

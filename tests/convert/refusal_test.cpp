// How many drawable series-parallel ladders Convert refuses, held below one
// in twenty; every one it converts drives its outputs as the circuit the
// ladder was drawn from, checked against that circuit evaluated on its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/cell_table.h"
#include "core/convert/convert.h"
#include "core/convert/tidy.h"
#include "core/evaluate/list_eval.h"
#include "core/evaluate/power_flow.h"
#include "core/list_text.h"
#include "tests/convert/ladder_gen.h"
#include "tests/support/test_session.h"

namespace rs::test {
namespace {

constexpr int kExhaustiveDevices = 16;
constexpr int kRandomWords = 32;  // above that, 2048 random combinations

uint64_t spread(uint64_t x) {
    x ^= x >> 31;
    x *= 0x9e3779b97f4a7c15ull;
    x ^= x >> 29;
    x *= 0xbf58476d1ce4e5b9ull;
    return x ^ (x >> 32);
}

// Word w of the combinations tried: every combination of up to 16 devices,
// else random ones over all of them.
eval::WideReader wordReader(const std::vector<std::string>& devices, int w) {
    return [&devices, w](const std::string& d) -> uint64_t {
        static const uint64_t kLow[6] = {0xAAAAAAAAAAAAAAAAull, 0xCCCCCCCCCCCCCCCCull,
                                         0xF0F0F0F0F0F0F0F0ull, 0xFF00FF00FF00FF00ull,
                                         0xFFFF0000FFFF0000ull, 0xFFFFFFFF00000000ull};
        const auto it = std::find(devices.begin(), devices.end(), d);
        if (it == devices.end()) return 0;
        const int i = static_cast<int>(it - devices.begin());
        if (devices.size() > kExhaustiveDevices)
            return spread(static_cast<uint64_t>(i) * 1000003u + static_cast<uint64_t>(w));
        if (i < 6) return kLow[i];
        return ((w >> (i - 6)) & 1) != 0 ? ~uint64_t{0} : 0;
    };
}

int wordsFor(size_t devices) {
    if (devices > kExhaustiveDevices) return kRandomWords;
    return devices <= 6 ? 1 : 1 << (devices - 6);
}

std::vector<eval::WideOutput> byName(std::vector<eval::WideOutput> v) {
    std::stable_sort(v.begin(), v.end(),
                     [](const auto& a, const auto& b) { return a.name < b.name; });
    return v;
}

// Empty when the list drives every output as the ladder's circuit does.
std::string differs(Session& s, const SpLadder& sp) {
    const std::vector<std::string>& devices = sp.ladder.inputs;
    const int words = wordsFor(devices.size());
    std::vector<std::vector<eval::WideOutput>> expected;
    for (int w = 0; w < words; ++w) {
        const eval::WideReader reader = wordReader(devices, w);
        std::vector<eval::WideOutput> grid =
            eval::runGridWide(s.grid(), 0, s.grid().m_nDrawnLastRow, reader);
        const std::vector<uint64_t> circuit = sp.meaning(reader);
        if (circuit.size() != grid.size()) return "drawn with other outputs";
        for (size_t k = 0; k < grid.size(); ++k)
            if (grid[k].on != circuit[k])
                return "drawn as another circuit at row " + std::to_string(grid[k].row);
        expected.push_back(byName(std::move(grid)));
    }
    const ConvertOutcome out = convertLadder(s);
    if (!out.compiled) return "refused";
    const std::vector<eval::ListRow> rows = eval::tableRows(s.table());
    for (int w = 0; w < words; ++w) {
        const eval::WideListResult list = eval::runListWide(rows, wordReader(devices, w));
        if (!list.ok) return "list refused: " + list.problem;
        const std::vector<eval::WideOutput> got = byName(list.outputs);
        if (got.size() != expected[w].size()) return "outputs differ in number";
        for (size_t k = 0; k < got.size(); ++k)
            if (got[k].name != expected[w][k].name || got[k].on != expected[w][k].on)
                return "output " + got[k].name + " differs";
    }
    return {};
}

// RUNGSMITH_SP_LADDERS sets how many run (4000 by default).
TEST(ConvertRefusals, FewSeriesParallelLaddersAreRefused) {
    const char* env = std::getenv("RUNGSMITH_SP_LADDERS");
    const int count = env != nullptr ? std::max(1, std::atoi(env)) : 4000;
    TestSession t;
    int refused = 0, wrong = 0, shown = 0;
    for (uint32_t seed = 1; seed <= static_cast<uint32_t>(count); ++seed) {
        const SpLadder sp = generateSeriesParallel(seed);
        const auto draw = [&] {
            drawLadder(sp.ladder, t.session.grid(), std::max(64, sp.ladder.lastRow + 2));
            t.session.commit();
            tidyGrid(t.session);
        };
        draw();
        const std::string diff = differs(t.session, sp);
        if (diff.empty()) continue;
        const bool isRefusal = diff == "refused";
        if (isRefusal) ++refused;
        if (!isRefusal) ++wrong;
        if (!isRefusal || (env != nullptr && shown < 10)) {
            ++shown;
            const std::string list = listText(t.session.table());
            draw();
            ADD_FAILURE() << "seed " << seed << ": " << diff << "\n"
                          << writeCellTable(t.session.grid()) << "---\n"
                          << list;
        }
    }
    std::printf("series-parallel ladders: %d, refused %d (%.1f %%), wrong %d\n", count, refused,
                100.0 * refused / count, wrong);
    EXPECT_EQ(wrong, 0);
    EXPECT_LT(refused * 20, count);
}

}  // namespace
}  // namespace rs::test

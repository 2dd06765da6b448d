// Seeded lists of every shape the generator writes (blocks nested three deep,
// split points two levels deep, groups of outputs anywhere): every one placed,
// the grid keeps the ladder's rules and, run as a relay circuit, gives the
// outputs the list gives.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <set>

#include "core/evaluate/list_eval.h"
#include "core/evaluate/power_flow.h"
#include "core/list_to_ladder/list_to_ladder.h"
#include "tests/ladder/grid_invariants.h"
#include "tests/ladder/list_fixture.h"
#include "tests/ladder/list_generator.h"

namespace rs {
namespace {

std::string shown(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += "\n  " + l;
    return s;
}

TEST(GeneratedLists, PlacedWithinTheGridRulesAndMeaningTheSame) {
    test::ListGenerator gen(20261208);
    auto table = std::make_unique<InstructionTable>();
    auto grid = std::make_unique<LadderGrid>();
    std::mt19937 rng(5);
    for (int i = 0; i < 10000; ++i) {
        const std::vector<std::string> list = gen.next();
        test::fillList(*table, list);
        const ladder::PlacementOutcome out = ladder::placeList(*table, true, *grid);
        ASSERT_TRUE(out.ok()) << "program " << i << " refused at row " << out.listRow
                              << shown(list);
        ASSERT_EQ(test::gridViolation(*grid, grid->m_nListLastRow), "")
            << "program " << i << shown(list);

        const std::vector<eval::ListRow> rows = eval::tableRows(*table);
        std::set<std::string> devices;
        for (const auto& r : rows) devices.insert(r.operand);
        for (int scan = 0; scan < 4; ++scan) {
            std::map<std::string, bool> values;
            for (const auto& d : devices) values[d] = (rng() & 1) != 0;
            const eval::DeviceReader read = [&](const std::string& d) { return values[d]; };
            const eval::ListResult expected = eval::runList(rows, read);
            ASSERT_TRUE(expected.ok) << expected.problem << shown(list);
            ASSERT_EQ(eval::runGrid(*grid, read), expected.outputs)
                << "program " << i << " scan " << scan << shown(list);
        }
    }
}

}  // namespace
}  // namespace rs

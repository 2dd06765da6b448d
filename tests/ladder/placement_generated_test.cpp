// Seeded lists from the generator: every one placed, the grid keeps the
// ladder's rules.
#include <gtest/gtest.h>

#include <memory>

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

TEST(GeneratedLists, AllPlacedWithinTheGridRules) {
    test::ListGenerator gen(20261208);
    auto table = std::make_unique<InstructionTable>();
    auto grid = std::make_unique<LadderGrid>();
    for (int i = 0; i < 10000; ++i) {
        const std::vector<std::string> list = gen.next();
        test::fillList(*table, list);
        const ladder::PlacementOutcome out = ladder::placeList(*table, true, *grid);
        ASSERT_TRUE(out.ok()) << "program " << i << " refused at row " << out.listRow
                              << shown(list);
        ASSERT_EQ(test::gridViolation(*grid, grid->m_nListLastRow), "")
            << "program " << i << shown(list);
    }
}

}  // namespace
}  // namespace rs

#include "tests/convert/meaning.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "core/cell_table.h"
#include "core/list_text.h"
#include "tests/convert/ladder_gen.h"
#include "tests/support/test_session.h"

namespace rs::test {
namespace {

// Seeded ladders of one family: the list each converts to drives the same
// outputs as the ladder's circuit. A failure shows the seed, the cell table
// and the list.
// With `mayReport`, a ladder may be reported as one that cannot be converted,
// but never converted into a list of another meaning; at least `minConverted`
// of them must convert.
void checkFamily(const GenOptions& options, uint32_t firstSeed, int count, bool mayReport = false,
                 int minConverted = 0) {
    TestSession t;
    int failures = 0;
    int converted = 0;
    for (uint32_t seed = firstSeed; seed < firstSeed + count && failures < 3; ++seed) {
        const GenLadder ladder = generateLadder(seed, options);
        drawLadder(ladder, t.session.grid(), 64);
        t.session.commit();
        std::string diff = meaningDiffers(t.session, ladder.inputs, 16);
        if (diff == "not converted" && mayReport) continue;
        if (diff.empty()) ++converted;
        if (!diff.empty()) {
            ++failures;
            const std::string list = listText(t.session.table());
            drawLadder(ladder, t.session.grid(), 64);
            const std::string cells = writeCellTable(t.session.grid());
            ADD_FAILURE() << "seed " << seed << ": " << diff << "\n" << cells << "---\n" << list;
        }
    }
    EXPECT_GE(converted, minConverted);
}

TEST(ConvertMeaning, SeriesAndParallelBlocks) {
    GenOptions o;
    o.maxDepth = 1;
    o.outputBranches = false;
    checkFamily(o, 1, 4000);
}

TEST(ConvertMeaning, NestedBlocks) {
    GenOptions o;
    o.maxDepth = 2;
    o.outputBranches = false;
    checkFamily(o, 100001, 3000);
}

TEST(ConvertMeaning, OutputBranches) {
    GenOptions o;
    o.maxDepth = 1;
    o.outputBranches = true;
    checkFamily(o, 200001, 3000);
}

TEST(ConvertMeaning, EverythingTogether) {
    GenOptions o;
    o.maxDepth = 2;
    o.outputBranches = true;
    o.blocksInOutputs = true;
    checkFamily(o, 300001, 1000);
}

// Splits on a block's closing wire, branches opening with a block on the
// split wire, stacked outputs inside a branch: converted right or reported.
TEST(ConvertMeaning, SharedWires) {
    GenOptions o;
    o.maxDepth = 2;
    o.outputBranches = true;
    o.blocksInOutputs = true;
    o.sharedWires = true;
    checkFamily(o, 400001, 3000, true, 2000);
}

// Grids drawn every way the editor allows, well formed or not: each converts
// to a list of the same meaning over every combination of its contacts, or is
// reported. RUNGSMITH_CONVERT_GRIDS sets how many run (10000 by default).
TEST(ConvertMeaning, EveryDrawnGridConvertsRightOrIsReported) {
    const char* env = std::getenv("RUNGSMITH_CONVERT_GRIDS");
    const int count = env != nullptr ? std::max(1, std::atoi(env)) : 10000;
    TestSession t;
    int converted = 0, wrong = 0, many = 0, manyConverted = 0;
    for (uint32_t seed = 1; seed <= static_cast<uint32_t>(count); ++seed) {
        const GenLadder ladder = generateDrawnGrid(seed);
        const bool manyDevices = ladder.inputs.size() > 12;
        drawLadder(ladder, t.session.grid(), std::max(64, ladder.lastRow + 2));
        t.session.commit();
        const std::string diff = everyCombinationDiffers(t.session, ladder.inputs);
        if (diff.empty()) ++converted;
        if (manyDevices) ++many;
        if (manyDevices && diff.empty()) ++manyConverted;
        if (diff.empty() || diff == "not converted") continue;
        if (++wrong <= 3) {
            const std::string list = listText(t.session.table());
            drawLadder(ladder, t.session.grid(), std::max(64, ladder.lastRow + 2));
            ADD_FAILURE() << "seed " << seed << ": " << diff << "\n"
                          << writeCellTable(t.session.grid()) << "---\n"
                          << list;
        }
    }
    std::printf(
        "drawn grids: %d, converted %d, wrong %d; of more than 12 devices %d, "
        "converted %d\n",
        count, converted, wrong, many, manyConverted);
    EXPECT_EQ(wrong, 0);
    EXPECT_GE(converted * 5, count);  // a fair share are well formed and convert
}

}  // namespace
}  // namespace rs::test

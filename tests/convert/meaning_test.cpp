#include "tests/convert/meaning.h"

#include <gtest/gtest.h>

#include "core/cell_table.h"
#include "core/list_text.h"
#include "tests/convert/ladder_gen.h"
#include "tests/support/test_session.h"

namespace rs::test {
namespace {

// Seeded ladders of one family: the list each converts to drives the same
// outputs as the ladder's circuit. A failure shows the seed, the cell table
// and the list.
void checkFamily(const GenOptions& options, uint32_t firstSeed, int count) {
    TestSession t;
    int failures = 0;
    for (uint32_t seed = firstSeed; seed < firstSeed + count && failures < 3; ++seed) {
        const GenLadder ladder = generateLadder(seed, options);
        drawLadder(ladder, t.session.grid(), 64);
        t.session.commit();
        const std::string diff = meaningDiffers(t.session, ladder.inputs, 16);
        if (!diff.empty()) {
            ++failures;
            const std::string list = listText(t.session.table());
            drawLadder(ladder, t.session.grid(), 64);
            const std::string cells = writeCellTable(t.session.grid());
            ADD_FAILURE() << "seed " << seed << ": " << diff << "\n" << cells << "---\n" << list;
        }
    }
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

}  // namespace
}  // namespace rs::test

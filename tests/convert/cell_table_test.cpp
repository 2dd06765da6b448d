#include "core/cell_table.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace rs {
namespace {

TEST(CellTable, ReadsCellsCommentsAndTexts) {
    auto g = std::make_unique<LadderGrid>();
    const CellTableResult r = readCellTable(
        "# a rung\n0 1 1 0x003 X000\r\n\n0 10 6 11 MOV K10 D0\n1 0 0 0 P0\n2 10 0 0x000 END\n"
        "0 5 14 0x001\n",
        *g);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.cells, 5);
    EXPECT_EQ(g->kind(0, 1), OpenContact);
    EXPECT_EQ(g->links(0, 1), 0x003);
    EXPECT_EQ(g->text(0, 1), "X000");
    EXPECT_EQ(g->text(0, 10), "MOV K10 D0");
    EXPECT_EQ(g->links(0, 10), 11);
    EXPECT_EQ(g->text(0, 5), "");
    EXPECT_EQ(g->text(1, 0), "P0");
    EXPECT_EQ(g->m_nLastRow, 1);  // the END marker of row 2 is not part of the ladder
}

TEST(CellTable, RefusesWhatIsNoCell) {
    const char* bad[] = {"4000 1 1 0x003 X\n",   "-1 1 1 3 X\n",   "0 11 1 3 X\n", "0 1 15 3 X\n",
                         "0 1 1 0x100 X\n",      "0 1 1 0xZZ X\n", "0 1\n",        "a b c d\n",
                         "0 1 1 99999999999 X\n"};
    for (const char* line : bad) {
        auto g = std::make_unique<LadderGrid>();
        const CellTableResult r = readCellTable(std::string("0 2 1 3 X000\n") + line, *g);
        EXPECT_FALSE(r.ok) << line;
        ASSERT_EQ(r.errors.size(), 1u);
        EXPECT_EQ(r.errors[0].line, 2) << line;
    }
}

TEST(CellTable, WriteThenReadGivesTheSameCells) {
    std::mt19937 rng(5);
    auto a = std::make_unique<LadderGrid>();
    auto b = std::make_unique<LadderGrid>();
    for (int i = 0; i < 500; ++i) {
        const int r = static_cast<int>(rng() % kGridRows), c = static_cast<int>(rng() % kGridCols);
        a->setCell(r, c, static_cast<int32_t>(rng() % 15), i % 3 ? "X" + std::to_string(i) : "",
                   static_cast<CellLinks>(rng() % 256));
    }
    ASSERT_TRUE(readCellTable(writeCellTable(*a), *b).ok);
    for (int r = 0; r < kGridRows; ++r)
        for (int c = 0; c < kGridCols; ++c) {
            ASSERT_EQ(a->kind(r, c), b->kind(r, c));
            ASSERT_EQ(a->links(r, c), b->links(r, c));
            ASSERT_EQ(a->text(r, c), b->text(r, c));
        }
}

TEST(CellTable, ArbitraryBytesNeverCrash) {
    std::mt19937 rng(9);
    auto g = std::make_unique<LadderGrid>();
    for (int i = 0; i < 300; ++i) {
        std::string text;
        const int n = static_cast<int>(rng() % 200);
        for (int k = 0; k < n; ++k)
            text += static_cast<char>(rng() % 4 ? "0123456789 x\n#"[rng() % 15] : rng());
        readCellTable(text, *g);
    }
}

}  // namespace
}  // namespace rs

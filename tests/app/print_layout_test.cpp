#include "app/model/print_layout.h"

#include <gtest/gtest.h>

using namespace rs::shell;

TEST(PrintLayout, PagesHoldWholeRows) {
    // A4 drawn 1200 wide is 1697 high: 16 ladder rows of 100 or 65 list lines of 25.
    EXPECT_EQ(logicalPageHeight(210, 297), 1697);
    EXPECT_EQ(rowsPerPage(1697, kPrintLadderRowHeight), 16);
    EXPECT_EQ(rowsPerPage(1697, 25), 65);
    EXPECT_EQ(rowsPerPage(100, kPrintLadderRowHeight), 1) << "a row always fits";

    const std::vector<std::tuple<int, int, std::vector<PrintPage>>> cases = {
        {0, 16, {{0, -1}}},
        {1, 16, {{0, 0}}},
        {16, 16, {{0, 15}}},
        {17, 16, {{0, 15}, {16, 16}}},
        {33, 16, {{0, 15}, {16, 31}, {32, 32}}},
        {5, 0, {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}}},
    };
    for (const auto& [count, perPage, pages] : cases)
        EXPECT_EQ(paginate(count, perPage), pages) << count << " rows, " << perPage << " a page";

    const PageHeader h = pageHeader("Rungsmith1", 2, 5, "2026-12-08");
    EXPECT_EQ(h.project, "Rungsmith1");
    EXPECT_EQ(h.page, "Page 2 of 5");
    EXPECT_EQ(h.date, "2026-12-08");
}

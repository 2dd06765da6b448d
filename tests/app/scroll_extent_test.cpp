#include "app/model/scroll_extent.h"

#include <gtest/gtest.h>

#include "app/model/list_scene.h"
#include "tests/support/test_session.h"

using namespace rs;
using namespace rs::shell;

namespace {

struct Extent : ::testing::Test {
    LadderGrid& grid() { return *t.view.grid; }
    test::TestSession t;
    LadderGeometry g{1200, 800};  // cells of 100 x 100
};

}  // namespace

TEST_F(Extent, LadderEndsWithAScreenFromTheEndRowOrTheCursor) {
    struct Case {
        int lastRow, cursorRow, height;
    };
    const Case cases[] = {
        {-1, 0, 800},                 // empty: the END row is row 0
        {3, 0, 4 * 100 + 800},        // END in row 4
        {3, 20, 20 * 100 + 800},      // a click below the END row
        {3998, 0, 3999 * 100 + 800},  // the whole grid
        {3998, 5000, 3999 * 100 + 800},
    };
    for (const Case& c : cases) {
        grid().m_nLastRow = grid().m_nDrawnLastRow = c.lastRow;
        grid().m_nCursorRow = c.cursorRow;
        const ScrollExtent e = ladderExtent(grid(), g, 800);
        EXPECT_EQ(e.height, c.height) << c.lastRow << " " << c.cursorRow;
        EXPECT_EQ(e.width, 1200);  // the diagram never needs sideways scrolling
    }
}

TEST_F(Extent, ListEndsWithAScreenFromTheEndLineOrTheCursor) {
    prepareListForDrawing(t.session);  // an empty table gets its END line
    EXPECT_EQ(listExtent(t.session, 900, 600).height, 600);
    t.view.m_nListCursor = 40;
    EXPECT_EQ(listExtent(t.session, 900, 600).height, 40 * 25 + 600);
    t.view.m_nListCursor = 99999;  // never past the table
    EXPECT_EQ(listExtent(t.session, 900, 600).height, (kListRows - 1) * 25 + 600);
    t.view.m_bListMode = 1;
    t.view.m_nListCursor = 0;
    EXPECT_EQ(viewExtent(t.session, g, 600).height, 600);
}

TEST(ScrollToShow, LeastMoveThatShowsTheSpan) {
    struct Case {
        int current, top, bottom, expected;
    };
    const Case cases[] = {
        {0, 100, 200, 0},      // already shown
        {500, 100, 200, 100},  // above: its top at the window's top
        {0, 900, 1000, 500},   // below: its bottom at the window's bottom
        {0, 900, 2000, 900},   // taller than the window: its top shows
        {0, 400, 600, 100},    // partly below
    };
    for (const Case& c : cases)
        EXPECT_EQ(scrollToShow(c.current, 500, c.top, c.bottom), c.expected)
            << c.current << " " << c.top << " " << c.bottom;
}

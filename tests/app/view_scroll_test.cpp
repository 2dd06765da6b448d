#include <QImage>

#include "app/model/commands.h"
#include "tests/app/widget_fixture.h"

using namespace rs;
using namespace rs::shell;

namespace {

constexpr int kRungs = 3999;  // with END: 7999 list lines, ladder rows 0 to 3999

// A program as long as the grid allows: one rung of a contact and a coil per
// ladder row, two list lines per rung, then END.
struct LongProgram : test::FrameFixture {
    LongProgram() {
        std::vector<std::tuple<std::string, std::string, int, int>> rows;
        for (int i = 0; i < kRungs; ++i) {
            const std::string n = std::to_string(i % 8);
            rows.emplace_back("LD", "X00" + n, 0, 1);
            rows.emplace_back("OUT", "Y00" + n, 0, 1);
        }
        rows.emplace_back("END", "", 0, 1);
        frame->openProjectFile(writeProject("long.epj", rows));
    }
    QScrollBar* vbar() const { return view()->verticalScrollBar(); }
    int clientHeight() const { return view()->viewport()->height(); }
    bool visible(int top, int bottom) const {
        return top >= vbar()->value() && bottom <= vbar()->value() + clientHeight();
    }
    void toLadder() {
        ASSERT_TRUE(session().view.m_bListMode);
        key(Qt::Key_F1, Qt::AltModifier);
        ASSERT_FALSE(session().view.m_bListMode)
            << (sink.texts().empty() ? "" : sink.texts().back());
    }
    // Whether anything is drawn (not white) on the pixel row of a scrolled y,
    // from x0 to x1.
    bool drawnAt(int x0, int x1, int scrolledY) const {
        QApplication::processEvents();
        const QImage image = view()->viewport()->grab().toImage();
        const int y = scrolledY - vbar()->value();
        if (y < 0 || y >= image.height()) return false;
        for (int i = x0; i <= x1 && i < image.width(); ++i)
            if (image.pixelColor(i, y) != QColor(Qt::white)) return true;
        return false;
    }
};

}  // namespace

TEST_F(LongProgram, ListScrollsToItsEndLine) {
    ASSERT_TRUE(session().view.m_bListMode);
    const int endLine = 2 * kRungs;
    ASSERT_EQ(session().table().m_Instruction[endLine], "END");
    EXPECT_EQ(vbar()->maximum(), endLine * kListLineHeight);  // END at the top
    EXPECT_EQ(view()->horizontalScrollBar()->maximum(), 0);   // the list fits the width

    // The scroll bar's end shows the END line at the top.
    vbar()->setValue(vbar()->maximum() - kListLineHeight);
    EXPECT_TRUE(visible(endLine * kListLineHeight, (endLine + 1) * kListLineHeight));
    EXPECT_TRUE(drawnAt(0, 200, endLine * kListLineHeight + kListLineHeight / 2));

    // The cursor keys carry the view down with the cursor.
    vbar()->setValue(0);
    session().view.m_nListCursor = 7985;
    for (int i = 0; i < 5; ++i) key(Qt::Key_Down);
    EXPECT_EQ(session().view.m_nListCursor, 7990);
    EXPECT_TRUE(visible(7990 * kListLineHeight, 7991 * kListLineHeight)) << vbar()->value();
    for (int i = 0; i < 20; ++i) key(Qt::Key_Down);
    EXPECT_EQ(session().view.m_nListCursor, endLine + 1);  // one past END: the list's own rule
    EXPECT_TRUE(visible((endLine + 1) * kListLineHeight, (endLine + 2) * kListLineHeight));
}

TEST_F(LongProgram, LadderScrollsToItsEndRowWithTheBarAndTheKeys) {
    toLadder();
    const int endRowIndex = kRungs;  // rows 0 to 3998 hold the rungs
    ASSERT_EQ(session().grid().kind(kRungs - 1, 10), Coil);
    int H = view()->geometry().H;
    EXPECT_EQ(vbar()->maximum(), endRowIndex * H);           // END at the top
    EXPECT_EQ(view()->horizontalScrollBar()->maximum(), 0);  // the diagram fits the width

    // The scroll bar's end shows the END line across the diagram.
    vbar()->setValue(vbar()->maximum());
    const auto g = view()->geometry();
    EXPECT_TRUE(drawnAt(g.W * 5, g.W * 5, g.wireY(endRowIndex)));

    // With the keys: the cursor walks down to the END row and stays in sight.
    vbar()->setValue(0);
    session().grid().m_nCursorRow = 3980;
    session().grid().m_nCursorCol = 2;
    for (int i = 0; i < 25; ++i) {
        key(Qt::Key_Down);
        const int row = session().grid().m_nCursorRow;
        ASSERT_TRUE(visible(row * H, (row + 1) * H)) << row << " at " << vbar()->value();
    }
    EXPECT_EQ(session().grid().m_nCursorRow, endRowIndex);
    vbar()->setValue(0);  // scrolled away, a sideways move brings the cursor back
    key(Qt::Key_Left);
    EXPECT_TRUE(visible(endRowIndex * H, (endRowIndex + 1) * H));

    // The range follows the window's size.
    frame->resize(1200, 900);
    QApplication::processEvents();
    H = view()->geometry().H;
    EXPECT_EQ(vbar()->maximum(), endRowIndex * H);  // END at the top
}

TEST_F(LongProgram, EachPresentationOpensAtItsCursor) {
    toLadder();
    // Far down the ladder, the list opens at its cursor line (the top).
    vbar()->setValue(3000 * view()->geometry().H);
    session().view.m_nListCursor = 0;
    key(Qt::Key_F1, Qt::AltModifier);
    ASSERT_TRUE(session().view.m_bListMode);
    EXPECT_EQ(vbar()->value(), 0);
    EXPECT_TRUE(drawnAt(0, 200, kListLineHeight / 2));  // the first line shows

    // A list cursor far down: the list opens with it in sight, and the ladder
    // the same way with its own cursor.
    key(Qt::Key_F1, Qt::AltModifier);
    ASSERT_FALSE(session().view.m_bListMode);
    session().view.m_nListCursor = 6000;
    session().grid().m_nCursorRow = 2500;
    key(Qt::Key_F1, Qt::AltModifier);
    ASSERT_TRUE(session().view.m_bListMode);
    EXPECT_TRUE(visible(6000 * kListLineHeight, 6001 * kListLineHeight)) << vbar()->value();
    vbar()->setValue(0);
    key(Qt::Key_F1, Qt::AltModifier);
    ASSERT_FALSE(session().view.m_bListMode);
    const int H = view()->geometry().H;
    EXPECT_TRUE(visible(2500 * H, 2501 * H)) << vbar()->value();
}

TEST_F(LongProgram, ShortLadderScrollsToItsEndRow) {
    sink.answers = {MessageAnswer::No};
    frame->runCommand(CmdNewProject);
    ASSERT_NE(project(), nullptr);
    const int H = view()->geometry().H;
    EXPECT_EQ(vbar()->maximum(), 0);  // the END row in row 0 at the top
    dialogs.symbol("X0");
    key(Qt::Key_F5);
    dialogs.symbol("Y0");
    key(Qt::Key_F7);
    EXPECT_EQ(vbar()->maximum(), H);  // the rung, then END in row 1
}

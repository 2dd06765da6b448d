#include <QImage>

#include "app/model/commands.h"
#include "tests/app/widget_fixture.h"

using namespace rs;
using namespace rs::shell;

namespace {

// A report's rectangle on the screen: drawn while the report stands, gone at
// the next edit, the next Convert and a switch of view.
struct Marks : test::FrameFixture {
    Marks() {
        frame->runCommand(CmdNewProject);
        view()->setFocus();
    }
    LadderGrid& grid() { return session().grid(); }
    const Highlight& mark() { return session().view.highlight; }
    void enter(Qt::Key k, const std::string& text) {
        dialogs.symbol(text);
        key(k);
    }
    // A contact left alone in row 3 column 3, under a rung: Convert reports it.
    void unconvertibleLadder() {
        enter(Qt::Key_F5, "X0");
        enter(Qt::Key_F7, "Y0");
        grid().m_nCursorRow = 3;
        grid().m_nCursorCol = 3;
        enter(Qt::Key_F5, "X1");
        grid().m_nCursorRow = 0;
        grid().m_nCursorCol = 1;
        key(Qt::Key_F4);
        ASSERT_TRUE(session().view.m_bUnconvertible);
        ASSERT_TRUE(mark().active);
        ASSERT_FALSE(mark().inList);
    }
    // Whether the top edge of the cell's box is on the screen, beside the
    // cursor's box elsewhere.
    bool boxAt(int row, int col) {
        QApplication::processEvents();
        const auto g = view()->geometry();
        const QImage image = view()->viewport()->grab().toImage();
        const int y = row * g.H - view()->verticalScrollBar()->value();
        return image.pixelColor(col * g.W + g.W / 8, y) != QColor(Qt::white);
    }
    void doubleClickLine(int line) {
        const QPoint at(20, line * kListLineHeight + 5);
        QMouseEvent e(QEvent::MouseButtonDblClick, at, view()->viewport()->mapToGlobal(at),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view()->viewport(), &e);
        QApplication::processEvents();
    }
};

}  // namespace

TEST_F(Marks, ConvertReportGoesWithTheNextEdit) {
    unconvertibleLadder();
    const int row = mark().row, col = mark().col;
    grid().m_nCursorRow = 0;  // the cursor's own box elsewhere
    grid().m_nCursorCol = 1;
    view()->refresh();
    EXPECT_TRUE(boxAt(row, col));

    // Any edit takes the mark along, also one that leaves the fault in place.
    grid().m_nCursorRow = 1;
    enter(Qt::Key_F5, "X2");
    grid().m_nCursorRow = 0;
    grid().m_nCursorCol = 1;
    view()->refresh();
    EXPECT_FALSE(mark().active);
    EXPECT_FALSE(boxAt(row, col));
}

TEST_F(Marks, ConvertReportGoesWithTheNextConvert) {
    unconvertibleLadder();
    const int row = mark().row, col = mark().col;
    // The lone contact taken away behind the window's back: only Convert runs.
    grid().clearCell(3, 3);
    session().commit();
    grid().m_nCursorRow = 0;
    grid().m_nCursorCol = 1;
    view()->refresh();
    ASSERT_TRUE(mark().active);
    key(Qt::Key_F4);
    ASSERT_TRUE(session().view.m_bCompiled) << (sink.texts().empty() ? "" : sink.texts().back());
    EXPECT_FALSE(mark().active);
    EXPECT_FALSE(boxAt(row, col));
}

TEST_F(Marks, ListReportGoesWithASwitchOfView) {
    enter(Qt::Key_F5, "X0");
    enter(Qt::Key_F7, "Y0");
    key(Qt::Key_F4);
    key(Qt::Key_F1, Qt::AltModifier);
    ASSERT_TRUE(session().view.m_bListMode);

    // A line refused on line 0, its dialog then left with "Exit".
    dialogs.list("PRW D0 D1");
    doubleClickLine(0);
    ASSERT_EQ(sink.texts().back(), "Mode 2 does not support PRW instruction!");
    ASSERT_TRUE(mark().active);
    ASSERT_TRUE(mark().inList);

    key(Qt::Key_F1, Qt::AltModifier);
    ASSERT_FALSE(session().view.m_bListMode);
    EXPECT_FALSE(mark().active);
    key(Qt::Key_F1, Qt::AltModifier);
    ASSERT_TRUE(session().view.m_bListMode);
    EXPECT_FALSE(mark().active);  // not back with the list either

    // A refused switch keeps its own report's mark.
    session().table().m_Instruction[1] = "PRW";
    key(Qt::Key_F1, Qt::AltModifier);
    EXPECT_TRUE(session().view.m_bListMode);
    EXPECT_TRUE(mark().active);
    EXPECT_EQ(mark().row, 1);
}

#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <QWheelEvent>

#include "app/model/commands.h"
#include "tests/app/widget_fixture.h"

using namespace rs;
using namespace rs::shell;

namespace {

struct View : test::FrameFixture {
    View() {
        frame->runCommand(CmdNewProject);
        view()->setFocus();
    }
    LadderGrid& grid() { return session().grid(); }
    QPoint cellCentre(int row, int col) {
        const auto g = view()->geometry();
        return QPoint(col * g.W + g.W / 2, row * g.H + g.H / 2);
    }
    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent e(type, at, view()->viewport()->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(view()->viewport(), &e);
        QApplication::processEvents();
    }
    void enter(Qt::Key k, const std::string& text, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        dialogs.symbol(text);
        key(k, mods);
    }
};

}  // namespace

TEST_F(View, ArrowKeysMoveTheCursorWithinTheLadder) {
    EXPECT_EQ(grid().m_nCursorRow, 0);
    EXPECT_EQ(grid().m_nCursorCol, 1);
    key(Qt::Key_Left);
    EXPECT_EQ(grid().m_nCursorCol, 1);
    key(Qt::Key_Down);  // an empty ladder: row 0 is the END row
    EXPECT_EQ(grid().m_nCursorRow, 0);
    enter(Qt::Key_F5, "X0");
    key(Qt::Key_Down);  // onto the END row, not past it
    key(Qt::Key_Down);
    EXPECT_EQ(grid().m_nCursorRow, 1);
    key(Qt::Key_Up);
    key(Qt::Key_Up);
    EXPECT_EQ(grid().m_nCursorRow, 0);

    enter(Qt::Key_F8, "MOV K10 D0");  // the box covers columns 8 and 9
    ASSERT_EQ(grid().kind(0, 10), AppInstruction);
    for (int i = 0; i < 12; ++i) key(Qt::Key_Right);
    EXPECT_EQ(grid().m_nCursorCol, 8);
}

TEST_F(View, ClickDragAndDoubleClick) {
    enter(Qt::Key_F5, "X0");
    grid().m_nLastRow = grid().m_nDrawnLastRow = 5;  // room for a selection

    mouse(QEvent::MouseButtonPress, cellCentre(2, 3), Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, cellCentre(3, 5), Qt::NoButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, cellCentre(4, 6), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(grid().m_nCursorRow, 2);
    EXPECT_EQ(grid().m_nCursorCol, 3);
    EXPECT_EQ(session().view.m_nSelEndRow, 4);
    EXPECT_EQ(session().view.m_nSelEndCol, 6);
    EXPECT_TRUE(view()->pointer().dragged);
    mouse(QEvent::MouseButtonRelease, cellCentre(4, 6), Qt::LeftButton, Qt::NoButton);

    mouse(QEvent::MouseButtonPress, QPoint(10, 10), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(grid().m_nCursorCol, 0);  // the margin
    mouse(QEvent::MouseButtonDblClick, QPoint(10, 10), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(dialogs.symbolPresets.size(), 1u);  // only the F5 entry opened a dialog

    mouse(QEvent::MouseButtonPress, cellCentre(0, 1), Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonDblClick, cellCentre(0, 1), Qt::LeftButton, Qt::LeftButton);
    ASSERT_EQ(dialogs.symbolPresets.size(), 2u);
    EXPECT_EQ(dialogs.symbolPresets[1].m_strText, "X000");  // the cell's own text
}

TEST_F(View, WheelScrollsOneLinePerNotch) {
    grid().m_nLastRow = grid().m_nDrawnLastRow = 100;  // a ladder long enough to scroll
    view()->refresh();
    QScrollBar* bar = view()->verticalScrollBar();
    const QPoint at(100, 100);
    QWheelEvent down(at, view()->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view()->viewport(), &down);
    EXPECT_EQ(bar->value(), 200);
    QWheelEvent up(at, view()->viewport()->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view()->viewport(), &up);
    EXPECT_EQ(bar->value(), 0);
    // The range reaches the END row (row 101) at the top of the window.
    EXPECT_EQ(bar->maximum(), 101 * view()->geometry().H);
}

TEST_F(View, ContextMenuOffersTheEditorsCommands) {
    QStringList texts, disabled;
    const auto readMenu = [&] {
        texts.clear();
        disabled.clear();
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* a : menu->actions()) {
                if (a->isSeparator()) continue;
                texts << a->text();
                if (!a->isEnabled()) disabled << a->text();
            }
            menu->close();
        }
    };
    QTimer::singleShot(0, readMenu);
    mouse(QEvent::MouseButtonPress, cellCentre(1, 1), Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(disabled, QStringList{"Undo\tCtrl+Z"});  // nothing to undo yet
    EXPECT_EQ(texts,
              (QStringList{"Undo\tCtrl+Z", "Cu&t\tCtrl+X", "&Copy\tCtrl+C", "Pa&ste\tCtrl+V",
                           "I&nsert line\tShift+Ins", "D&elete line\tShift+Del",
                           "Insert ro&w\tCtrl+Ins", "&Delete row\tCtrl+Del", "Draw &line\tF10",
                           "Delete l&ine\tAlt+F9", "&Convert\tF4", "Comment..."}));
}

TEST_F(View, ConvertThenListThenLadderAgain) {
    enter(Qt::Key_F5, "X0");
    enter(Qt::Key_F7, "Y0");
    key(Qt::Key_F1, Qt::AltModifier);  // not converted yet: refused, ladder stays
    EXPECT_EQ(sink.texts().back(), "Ladder has not compiled yet. Please press F4 to compile .");
    EXPECT_FALSE(session().view.m_bListMode);

    key(Qt::Key_F4);
    EXPECT_TRUE(session().view.m_bCompiled);
    EXPECT_EQ(session().table().m_Instruction[0], "LD");
    EXPECT_EQ(session().table().m_Instruction[2], "END");
    key(Qt::Key_F1, Qt::AltModifier);
    EXPECT_TRUE(session().view.m_bListMode);
    key(Qt::Key_F4);  // Convert does nothing on the list
    EXPECT_TRUE(session().view.m_bListMode);

    // Double-click past the END line puts the cursor on it and opens nothing.
    mouse(QEvent::MouseButtonPress, QPoint(20, 25 * 6 + 5), Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonDblClick, QPoint(20, 25 * 6 + 5), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(session().view.m_nListCursor, 2);
    EXPECT_TRUE(dialogs.listPresets.empty());
    mouse(QEvent::MouseButtonDblClick, QPoint(20, 30), Qt::LeftButton, Qt::LeftButton);
    ASSERT_EQ(dialogs.listPresets.size(), 1u);
    EXPECT_EQ(dialogs.listPresets[0], "OUT Y000");

    key(Qt::Key_F1, Qt::AltModifier);
    EXPECT_FALSE(session().view.m_bListMode);
    EXPECT_EQ(grid().kind(0, 1), OpenContact);
    EXPECT_EQ(grid().kind(0, 10), Coil);
}

TEST_F(View, ConvertReportMovesTheCursorToTheFault) {
    // A contact far down with nothing after it cannot be converted.
    for (int i = 0; i < 20; ++i) key(Qt::Key_Down);
    grid().m_nLastRow = grid().m_nDrawnLastRow = 30;
    grid().m_nCursorRow = 25;
    grid().m_nCursorCol = 3;
    enter(Qt::Key_F5, "X0");
    grid().m_nCursorRow = 0;
    grid().m_nCursorCol = 1;
    key(Qt::Key_F4);
    ASSERT_TRUE(session().view.m_bUnconvertible)
        << (sink.texts().empty() ? "" : sink.texts().back());
    EXPECT_GT(grid().m_nCursorRow, 0);
    const int top = view()->verticalScrollBar()->value();
    const int y = grid().m_nCursorRow * view()->geometry().H;
    EXPECT_LE(top, y);
    EXPECT_GE(top + view()->viewport()->height(), y);
}

// Enter opens the entry dialog of the cursor cell or line, as a double-click
// there does, and does nothing where a double-click does nothing.
TEST_F(View, EnterEditsTheCursorCellOrLine) {
    enter(Qt::Key_F5, "X0");
    enter(Qt::Key_F7, "Y0");
    grid().m_nCursorRow = 0;
    grid().m_nCursorCol = 1;
    dialogs.symbol("X1");
    key(Qt::Key_Return);
    ASSERT_EQ(dialogs.symbolPresets.size(), 3u);
    EXPECT_EQ(dialogs.symbolPresets[2].m_strText, "X000");  // preset from the cell
    EXPECT_EQ(dialogs.symbolPresets[2].m_nSymbol, 0);
    EXPECT_EQ(grid().text(0, 1), "X001");
    EXPECT_EQ(grid().m_nCursorCol, 2);  // the entry moved the cursor on

    for (const auto& [row, col] : {std::pair{0, 0}, std::pair{5, 3}}) {
        grid().m_nCursorRow = row;  // the margin; below the END row
        grid().m_nCursorCol = col;
        key(Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(dialogs.symbolPresets.size(), 3u) << row << "," << col;
    }

    grid().m_nCursorRow = 0;
    grid().m_nCursorCol = 1;
    key(Qt::Key_F4);
    key(Qt::Key_F1, Qt::AltModifier);
    ASSERT_TRUE(session().view.m_bListMode);
    session().view.m_nListCursor = 1;
    dialogs.list("OUT Y1");
    key(Qt::Key_Return);
    ASSERT_EQ(dialogs.listPresets.size(), 1u);
    EXPECT_EQ(dialogs.listPresets[0], "OUT Y000");
    EXPECT_EQ(session().table().m_Parameter[1], "Y001");
}

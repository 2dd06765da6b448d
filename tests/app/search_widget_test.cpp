#include <QStatusBar>

#include "app/model/commands.h"
#include "app/qt/search_commands.h"
#include "tests/app/widget_fixture.h"

using namespace rs;
using namespace rs::shell;

namespace {

// A ladder drawn from the keyboard: X001 to Y000, X002 to Y001, X001 to Y000
// again (a double coil).
struct Search : test::FrameFixture {
    Search() {
        frame->runCommand(CmdNewProject);
        view()->setFocus();
        const char* rungs[][2] = {{"X1", "Y0"}, {"X2", "Y1"}, {"X1", "Y0"}};
        for (int r = 0; r < 3; ++r) {
            grid().m_nCursorRow = r;
            grid().m_nCursorCol = 1;
            enter(Qt::Key_F5, rungs[r][0]);
            enter(Qt::Key_F7, rungs[r][1]);
        }
        grid().m_nCursorRow = 0;
        grid().m_nCursorCol = 0;
    }
    LadderGrid& grid() { return session().grid(); }
    void enter(Qt::Key k, const std::string& text) {
        dialogs.symbol(text);
        key(k);
    }
    CSearchCommands& search() { return *frame->searchCommands(); }
    std::pair<int, int> cursor() { return {grid().m_nCursorRow, grid().m_nCursorCol}; }
    QString note() { return frame->statusBar()->currentMessage(); }
};

}  // namespace

TEST_F(Search, CtrlFFindsADeviceAndF3FindsTheNextWrappingOnce) {
    key(Qt::Key_F, Qt::ControlModifier);
    CFindDialog* dialog = search().findDialog(search::FindKind::Device);
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle(), "Find device");
    dialog->textEdit()->setText("x1");
    QTest::keyClick(dialog->textEdit(), Qt::Key_Return);  // "Find Next" is the default button
    EXPECT_EQ(cursor(), std::make_pair(0, 1));
    dialog->hide();
    view()->setFocus();
    key(Qt::Key_F3);
    EXPECT_EQ(cursor(), std::make_pair(2, 1));
    EXPECT_TRUE(note().isEmpty());
    key(Qt::Key_F3);
    EXPECT_EQ(cursor(), std::make_pair(0, 1));
    EXPECT_EQ(note(), "Passed the end; continued from the start.");

    dialog->upButton()->setChecked(true);
    emit dialog->findNext(dialog->query());
    EXPECT_EQ(cursor(), std::make_pair(2, 1));
    EXPECT_EQ(note(), "Passed the start; continued from the end.");

    dialog->textEdit()->setText("X7");
    emit dialog->findNext(dialog->query());
    EXPECT_EQ(cursor(), std::make_pair(2, 1));
    EXPECT_EQ(note(), "\"X7\" was not found.");
}

TEST_F(Search, FindInTheListAndReplaceAsOneUndoableStep) {
    key(Qt::Key_F4);
    key(Qt::Key_F1, Qt::AltModifier);
    ASSERT_TRUE(session().view.m_bListMode);
    session().view.m_nListCursor = 0;
    search().find({search::FindKind::Instruction, "out", true});
    EXPECT_EQ(session().view.m_nListCursor, 1);
    search().find({search::FindKind::Device, "Y0", false});
    EXPECT_EQ(session().view.m_nListCursor, 5);  // up from line 1: wraps to the last OUT Y000

    const size_t steps = project()->history().position();
    search().replace("X1", "X10");
    EXPECT_EQ(session().table().m_Parameter[0], "X010");
    EXPECT_EQ(note(), "X1 renamed to X10 in 4 places.");  // two lines, two cells
    EXPECT_EQ(project()->history().position(), steps + 1);
    EXPECT_TRUE(project()->document().isModified());
    sink.shown.clear();
    search().replace("Y1", "X20");  // OUT X020 is refused
    EXPECT_FALSE(sink.shown.empty());
    EXPECT_EQ(project()->history().position(), steps + 1);
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(session().table().m_Parameter[0], "X001");
}

TEST_F(Search, CrossReferenceListsDevicesFlagsTheDoubleCoilAndGoesToAPlace) {
    EXPECT_FALSE(checked(CmdCrossReference));
    frame->runCommand(CmdCrossReference);
    EXPECT_TRUE(checked(CmdCrossReference));
    QTreeWidget* tree = search().crossReferenceBar()->tree();
    QStringList devices;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) devices << tree->topLevelItem(i)->text(0);
    EXPECT_EQ(devices, (QStringList{"X001", "X002", "Y000", "Y001"}));
    QTreeWidgetItem* y0 = tree->topLevelItem(2);
    EXPECT_EQ(y0->text(2), "double coil");
    EXPECT_EQ(y0->childCount(), 2);
    EXPECT_EQ(y0->child(1)->text(1), "row 2, column 10");
    EXPECT_EQ(y0->child(1)->text(2), "coil");
    emit tree->itemDoubleClicked(y0->child(1), 0);
    EXPECT_EQ(cursor(), std::make_pair(2, 10));

    // The list follows every edit.
    grid().m_nCursorRow = 3;
    grid().m_nCursorCol = 1;
    enter(Qt::Key_F5, "M7");
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "M7");
}

#include <QDockWidget>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

#include "app/model/commands.h"
#include "tests/app/widget_fixture.h"

using namespace rs;
using namespace rs::shell;

namespace {

using MainFrame = test::FrameFixture;

QStringList menuTitles(QMenuBar* bar) {
    QStringList out;
    for (QAction* a : bar->actions()) out << a->text();
    return out;
}

QStringList itemTexts(QMenuBar* bar, int menu) {
    QStringList out;
    for (QAction* a : bar->actions().at(menu)->menu()->actions())
        if (!a->isSeparator()) out << a->text();
    return out;
}

}  // namespace

TEST_F(MainFrame, MenusWithNoProjectOpen) {
    EXPECT_EQ(frame->windowTitle(), "Rungsmith");
    QMenuBar* bar = frame->menuBar();
    EXPECT_EQ(menuTitles(bar), (QStringList{"&Project", "&View", "&Online", "&Help"}));
    const QStringList projectMenu = itemTexts(bar, 0);
    EXPECT_EQ(projectMenu.at(0), "&New project...\tCtrl+N");
    EXPECT_EQ(projectMenu.at(3), "&Save\tCtrl+S");
    EXPECT_EQ(itemTexts(bar, 1).last(), "&Project data list\tAlt+O ");
    EXPECT_EQ(itemTexts(bar, 2), (QStringList{"Transfer set&up", "Connection setup...",
                                              "Device test...", "Device batch monitor..."}));
    for (int c : {CmdCloseNoProject, CmdSaveNoProject, CmdSaveAsNoProject})
        EXPECT_FALSE(enabled(c)) << c;
    EXPECT_TRUE(enabled(CmdNewProject));
    EXPECT_TRUE(checked(CmdFileToolbar));
    EXPECT_TRUE(checked(CmdStatusBarFlag));
    EXPECT_TRUE(checked(CmdDataList));
    // Keys of commands nothing serves do nothing.
    key(Qt::Key_F4);
    key(Qt::Key_Return);
    EXPECT_EQ(project(), nullptr);
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(MainFrame, MenusOfAnOpenProjectFollowTheView) {
    key(Qt::Key_N, Qt::ControlModifier);
    ASSERT_NE(project(), nullptr);
    EXPECT_EQ(frame->windowTitle(), "Rungsmith - [Rungsmith1]");
    project()->showNormal();
    EXPECT_EQ(frame->windowTitle(), "Rungsmith - Rungsmith1");
    project()->showMaximized();
    EXPECT_EQ(frame->windowTitle(), "Rungsmith - [Rungsmith1]");
    QMenuBar* bar = frame->menuBar();
    EXPECT_EQ(menuTitles(bar), (QStringList{"&Project", "&Edit", "&Convert", "&View", "&Online",
                                            "&Window", "&Help"}));
    EXPECT_EQ(itemTexts(bar, 3).last(), "Inst&ruction list\tAlt+F1");
    EXPECT_TRUE(enabled(CmdCloseProject));
    EXPECT_TRUE(enabled(CmdOpenContact));
    EXPECT_TRUE(checked(CmdMode2));
    EXPECT_FALSE(checked(CmdMode1));

    frame->runCommand(CmdMode1);
    EXPECT_FALSE(frame->appStore().m_bMode2);
    EXPECT_TRUE(checked(CmdMode1));
    EXPECT_FALSE(checked(CmdMode2));
    frame->runCommand(CmdMode2);
    EXPECT_TRUE(frame->appStore().m_bMode2);
    EXPECT_EQ(frame->appStore().m_nMode1Check, 0);

    key(Qt::Key_F1, Qt::AltModifier);  // the (converted, empty) ladder shows as a list
    ASSERT_TRUE(session().view.m_bListMode);
    EXPECT_FALSE(enabled(CmdOpenContact));
    EXPECT_FALSE(enabled(CmdInsertRow));
    EXPECT_TRUE(enabled(CmdInsertLine));
    EXPECT_TRUE(enabled(CmdCut));
    key(Qt::Key_F5);  // disabled: no dialog
    EXPECT_TRUE(dialogs.symbolPresets.empty());
}

TEST_F(MainFrame, ShortcutTableFirstEntryWins) {
    key(Qt::Key_N, Qt::ControlModifier);
    dialogs.symbol("X0");
    key(Qt::Key_F5);  // open contact at row 0, column 1
    ASSERT_EQ(session().grid().kind(0, 1), OpenContact);
    clipboard.content = "garbage";
    key(Qt::Key_Insert, Qt::ShiftModifier);  // insert line, not paste
    EXPECT_EQ(session().grid().kind(0, 1), Empty);
    EXPECT_EQ(session().grid().kind(1, 1), OpenContact);

    // Enter (either key) opens the entry dialog of the cursor cell, the first
    // entry of the table; the second (next pane) is never reached.
    const size_t opened = dialogs.symbolPresets.size();
    key(Qt::Key_Return);
    key(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(dialogs.symbolPresets.size(), opened + 2);

    // Alt+O is the project data list, not the "&Online" menu.
    ASSERT_TRUE(frame->dataListBar()->isVisibleTo(frame.get()));
    key(Qt::Key_O, Qt::AltModifier);
    EXPECT_FALSE(frame->dataListBar()->isVisibleTo(frame.get()));
    EXPECT_FALSE(checked(CmdDataList));
    key(Qt::Key_O, Qt::AltModifier);
    EXPECT_TRUE(frame->dataListBar()->isVisibleTo(frame.get()));
}

TEST_F(MainFrame, ToolbarAndStatusBarCommands) {
    frame->runCommand(CmdFileToolbar);
    EXPECT_FALSE(frame->toolBars()[0]->isVisibleTo(frame.get()));
    EXPECT_TRUE(frame->toolBars()[1]->isVisibleTo(frame.get()));
    EXPECT_TRUE(frame->toolBars()[2]->isVisibleTo(frame.get()));
    EXPECT_FALSE(checked(CmdFileToolbar));
    frame->runCommand(CmdFileToolbar);
    EXPECT_TRUE(frame->toolBars()[0]->isVisibleTo(frame.get()));

    // Ctrl+F5 hides the bar but keeps the flag (and its check mark).
    key(Qt::Key_F5, Qt::ControlModifier);
    EXPECT_FALSE(frame->statusBar()->isVisibleTo(frame.get()));
    EXPECT_TRUE(checked(CmdStatusBarFlag));
    frame->runCommand(CmdStatusBarFlag);  // flag cleared, bar stays hidden
    EXPECT_FALSE(checked(CmdStatusBarFlag));
    EXPECT_FALSE(frame->statusBar()->isVisibleTo(frame.get()));
    frame->runCommand(CmdStatusBarFlag);
    EXPECT_TRUE(frame->statusBar()->isVisibleTo(frame.get()));
}

TEST_F(MainFrame, StatusPromptsAndToolbarButtons) {
    ASSERT_EQ(frame->toolBars().size(), 3u);
    EXPECT_EQ(frame->toolBars()[0]->actions().size(), 9);   // 7 buttons, 2 bars
    EXPECT_EQ(frame->toolBars()[1]->actions().size(), 16);  // 14 buttons, 2 bars
    EXPECT_EQ(frame->toolBars()[2]->actions().size(), 1);
    for (QToolBar* bar : frame->toolBars())
        for (QAction* a : bar->actions())
            if (!a->isSeparator()) {
                EXPECT_FALSE(a->icon().pixmap(23, 23).isNull()) << a->data().toInt();
            }
    EXPECT_EQ(frame->actionsFor(CmdNewProject).front()->statusTip(), "新建工程");
    // Every button has a tooltip: its command's text and its shortcut.
    for (QToolBar* bar : frame->toolBars())
        for (QAction* a : bar->actions())
            if (!a->isSeparator()) {
                EXPECT_FALSE(a->toolTip().isEmpty()) << a->data().toInt();
            }
    const std::pair<int, QString> tips[] = {{CmdOpenContact, "Open contact (F5)"},
                                            {CmdNewProject, "New project (Ctrl+N)"},
                                            {CmdCut, "Cut (Ctrl+X)"},
                                            {CmdUserIndex, "Rungsmith User Index"},
                                            {CmdInstructionList, "Instruction list (Alt+F1)"}};
    for (const auto& [command, tip] : tips) {
        const auto actions = frame->actionsFor(command);
        ASSERT_FALSE(actions.empty());
        EXPECT_EQ(actions.back()->toolTip(), tip);  // the toolbar's action comes last
    }
    // Ladder buttons are disabled without a project.
    EXPECT_FALSE(frame->actionsFor(CmdCoil).front()->isEnabled());
    QDockWidget* bar = frame->dataListBar();
    EXPECT_EQ(bar->windowTitle(), "Project data list");
    EXPECT_EQ(frame->dockWidgetArea(bar), Qt::LeftDockWidgetArea);
}

TEST_F(MainFrame, DeviceDialogsOpenWithoutAProject) {
    for (int c : {CmdDeviceTest, CmdDeviceBatchMonitor}) {
        ASSERT_TRUE(enabled(c)) << c;
        QString title;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog) return;
            title = dialog->windowTitle();
            dialog->close();
        });
        frame->runCommand(c);
        EXPECT_EQ(title, c == CmdDeviceTest ? "Device test" : "Device bath");
    }
    EXPECT_EQ(project(), nullptr);
}

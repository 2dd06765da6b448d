#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <fstream>
#include <sstream>

#include "app/model/commands.h"
#include "app/model/project_names.h"
#include "core/cell_table.h"
#include "core/convert/convert.h"
#include "core/convert/tidy.h"
#include "tests/app/widget_fixture.h"
#include "tests/support/test_session.h"

using namespace rs;
using namespace rs::shell;

namespace {

using Projects = test::FrameFixture;
using A = MessageAnswer;

std::string fileBytes(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

TEST_F(Projects, OpeningAnotherProjectAlwaysAsksToSave) {
    frame->runCommand(CmdNewProject);
    CChildFrame* first = project();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(sink.shown.empty());

    sink.answers = {A::Cancel};
    frame->runCommand(CmdMode1);
    frame->runCommand(CmdNewProject);
    ASSERT_EQ(sink.shown.size(), 2u);
    EXPECT_EQ(sink.shown[0].text, "Do you want to save the project?");
    EXPECT_EQ(sink.shown[0].caption, "CorvaneElectricPLC");
    EXPECT_EQ(sink.shown[0].icon, MessageIcon::Question);
    EXPECT_EQ(sink.shown[1].text, "Failed to create empty document.");
    EXPECT_EQ(project(), first);
    EXPECT_TRUE(frame->appStore().m_bMode2);  // the discarded document reset the mode

    sink.clear();
    sink.answers = {A::No};
    frame->runCommand(CmdNewProject);
    ASSERT_NE(project(), nullptr);
    EXPECT_EQ(project()->document().title(), "Rungsmith2");  // the refused one took no title
    EXPECT_EQ(sink.texts(), std::vector<std::string>{"Do you want to save the project?"});
    EXPECT_EQ(frame->mdiArea()->subWindowList().size(), 1);
}

TEST_F(Projects, YesOnAnUnconvertedLadderKeepsTheOpenProject) {
    frame->runCommand(CmdNewProject);
    dialogs.symbol("X0");
    key(Qt::Key_F5);
    CChildFrame* first = project();
    ASSERT_FALSE(first->viewState().m_bCompiled);
    ASSERT_TRUE(first->document().isModified());
    chosen.push_back(tempPath("kept.epj"));

    sink.answers = {A::Yes};
    frame->runCommand(CmdNewProject);
    EXPECT_EQ(sink.texts(),
              (std::vector<std::string>{"Do you want to save the project?",
                                        "Ladder has not compiled yet. Please press F4 to compile .",
                                        "Failed to create empty document."}));
    EXPECT_EQ(project(), first);  // edits kept, nothing new created
    EXPECT_EQ(project()->session().grid().kind(0, 1), OpenContact);
    EXPECT_TRUE(project()->document().isModified());  // the refused save changed nothing
    EXPECT_FALSE(QFileInfo::exists(tempPath("kept.epj")));
}

TEST_F(Projects, YesSavesAConvertedProjectThroughTheSaveDialog) {
    frame->runCommand(CmdNewProject);
    chosen.push_back(tempPath("first.epj"));
    sink.answers = {A::Yes};
    frame->runCommand(CmdNewProject);
    ASSERT_EQ(chooserCalls.size(), 1u);
    EXPECT_TRUE(chooserCalls[0].saving);
    EXPECT_EQ(chooserCalls[0].proposed, "Rungsmith1.epj");
    EXPECT_EQ(fileBytes(tempPath("first.epj")).size(), 121u);  // the empty project
    EXPECT_EQ(project()->document().title(), "Rungsmith2");
    EXPECT_EQ(frame->recentFiles().paths().front(), tempPath("first.epj").toStdString());
}

TEST_F(Projects, ProjectWindowCloseBoxAsksAboutTheUnconvertedLadder) {
    frame->runCommand(CmdNewProject);
    dialogs.symbol("X0");
    key(Qt::Key_F5);
    sink.answers = {A::No};
    project()->close();
    ASSERT_NE(project(), nullptr);
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].text,
              "Ladder not unconverted. Are you sure you want to delete the unconverted ladder?");
    EXPECT_EQ(sink.shown[0].caption, "CV-Rungsmith");
    EXPECT_EQ(sink.shown[0].icon, MessageIcon::Warning);

    sink.clear();
    sink.answers = {A::Yes};  // closes without the save question, though modified
    project()->close();
    QApplication::processEvents();
    EXPECT_EQ(project(), nullptr);
    EXPECT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(frame->windowTitle(), "Rungsmith");
    EXPECT_EQ(frame->menuBar()->actions().size(), 4);
}

TEST_F(Projects, CloseProjectAsksSaveChangesNeverAboutConversion) {
    frame->runCommand(CmdNewProject);
    dialogs.symbol("X0");
    key(Qt::Key_F5);
    sink.answers = {A::Cancel};
    frame->runCommand(CmdCloseProject);
    EXPECT_EQ(sink.texts(), std::vector<std::string>{"Save changes to Rungsmith1?"});
    ASSERT_NE(project(), nullptr);

    sink.clear();
    sink.answers = {A::Yes};  // the save is refused: the project stays, still modified
    chosen.push_back(tempPath("x.epj"));
    frame->runCommand(CmdCloseProject);
    ASSERT_NE(project(), nullptr);
    EXPECT_TRUE(project()->document().isModified());

    sink.clear();
    sink.answers = {A::No};
    frame->runCommand(CmdCloseProject);
    EXPECT_EQ(project(), nullptr);
}

TEST_F(Projects, MainWindowCloseWithAnUnconvertedLadder) {
    frame->runCommand(CmdNewProject);
    dialogs.symbol("X0");
    key(Qt::Key_F5);
    sink.answers = {A::No};
    EXPECT_FALSE(frame->close());
    EXPECT_NE(project(), nullptr);
    EXPECT_EQ(sink.texts(), std::vector<std::string>{
                                "Ladder not unconverted. Are you sure you want to delete the "
                                "unconverted ladder?"});

    sink.clear();
    sink.answers = {A::Yes, A::Cancel};  // then "Save changes" cancels the exit
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(sink.shown.size(), 2u);
    EXPECT_EQ(sink.shown[1].text, "Save changes to Rungsmith1?");

    sink.clear();
    sink.answers = {A::Yes, A::No};
    EXPECT_TRUE(frame->close());
}

TEST_F(Projects, OpenedProjectShowsItsListAndBecomesRecent) {
    const QString path =
        writeProject("plant.epj", {{"LD", "X000", 0, 1}, {"OUT", "Y000", 0, 1}, {"END", "", 0, 1}});
    chosen.push_back(path);
    key(Qt::Key_O, Qt::ControlModifier);
    ASSERT_NE(project(), nullptr);
    ASSERT_EQ(chooserCalls.size(), 1u);
    EXPECT_FALSE(chooserCalls[0].saving);
    EXPECT_TRUE(session().view.m_bListMode);
    EXPECT_EQ(session().table().m_Instruction[1], "OUT");
    EXPECT_EQ(frame->windowTitle(), "Rungsmith - [plant]");
    EXPECT_FALSE(project()->document().isModified());
    QSettings settings("The application wizard generated local application", "CorvaneElectricPLC");
    EXPECT_EQ(settings.value("Recent File List/File1").toString(), path);

    // The recent-file entry opens it again (after the save question).
    sink.answers = {A::No};
    frame->runCommand(CmdRecentFile1);
    EXPECT_EQ(sink.texts(), std::vector<std::string>{"Do you want to save the project?"});
    ASSERT_NE(project(), nullptr);
    EXPECT_TRUE(session().view.m_bListMode);
    EXPECT_TRUE(exitCodes.empty());  // this instance's own lock is released first
}

TEST_F(Projects, RecentFileListKeepsFiveAcrossRuns) {
    for (int i = 1; i <= 6; ++i) {
        sink.answers = {A::No};
        frame->openProjectFile(writeProject(QString("p%1.epj").arg(i), {{"END", "", 0, 1}}));
    }
    ASSERT_EQ(frame->recentFiles().paths().size(), 5u);
    EXPECT_EQ(frame->recentFiles().paths().front(), tempPath("p6.epj").toStdString());
    frame->project()->closeNow();

    CMainFrame second(sink, dialogs, clipboard);
    EXPECT_EQ(second.recentFiles().paths(), frame->recentFiles().paths());
    EXPECT_EQ(second.actionsFor(CmdRecentFile1 + 4).size(), 1u);
    EXPECT_TRUE(second.actionsFor(CmdRecentFile1 + 4).front()->text().endsWith("p2.epj"));
}

TEST_F(Projects, RecentEntryThatNoLongerOpensLeavesTheList) {
    const QString path = writeProject("gone.epj", {{"END", "", 0, 1}});
    ASSERT_TRUE(frame->openProjectFile(path));
    frame->runCommand(CmdCloseProject);
    ASSERT_EQ(project(), nullptr);
    QFile::remove(path);
    frame->runCommand(CmdRecentFile1);
    EXPECT_EQ(project(), nullptr);
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_NE(sink.shown[0].text.find("gone.epj"), std::string::npos);
    EXPECT_TRUE(frame->recentFiles().paths().empty() ||
                frame->recentFiles().paths().front() != path.toStdString());
    EXPECT_TRUE(frame->actionsFor(CmdRecentFile1).empty() ||
                !frame->actionsFor(CmdRecentFile1).front()->text().endsWith("gone.epj"));
}

TEST_F(Projects, MalformedFileOpensNothing) {
    const QString path = tempPath("bad.epj");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("not a project");
    f.close();
    frame->openProjectFile(path);
    EXPECT_EQ(project(), nullptr);
    EXPECT_EQ(sink.texts(), std::vector<std::string>{"Unexpected file format."});
    EXPECT_EQ(frame->windowTitle(), "Rungsmith");
}

TEST_F(Projects, ProjectShownByAnotherInstanceEndsThisOne) {
    const QString path = writeProject("shared.epj", {{"LD", "X000", 0, 1}, {"END", "", 0, 1}});
    const QString lock = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + "/" +
                         QString::fromStdString(projectLockName(path.toStdString()));
    const QString program = QCoreApplication::applicationDirPath() + "/rungsmith";

    // A plain file name on the command line opens nothing.
    QProcess plain;
    plain.start(program, {path});
    ASSERT_TRUE(plain.waitForStarted());
    QTest::qWait(1500);
    EXPECT_FALSE(QFileInfo::exists(lock));
    plain.kill();
    plain.waitForFinished();

    QProcess other;
    other.start(program, {"--open", path});
    ASSERT_TRUE(other.waitForStarted());
    for (int i = 0; i < 200 && !QFileInfo::exists(lock); ++i) QTest::qWait(25);
    ASSERT_TRUE(QFileInfo::exists(lock));

    frame->openProjectFile(path);
    EXPECT_EQ(sink.texts(), std::vector<std::string>{"程序已打开！"});
    EXPECT_EQ(sink.shown[0].caption, "CorvaneElectricPLC");
    EXPECT_EQ(exitCodes, std::vector<int>{0});
    other.kill();
    other.waitForFinished();

    // Once the other instance is gone its lock is stale: the file opens.
    sink.clear();
    exitCodes.clear();
    frame->openProjectFile(path);
    EXPECT_TRUE(exitCodes.empty());
    EXPECT_NE(project(), nullptr);
}

TEST_F(Projects, LockedProjectIsRefusedThroughALinkButItsNamesakeOpens) {
    const QString path = writeProject("namesake.epj", {{"END", "", 0, 1}});
    QDir(dir.path()).mkdir("other");
    const QString other = writeProject("other/namesake.epj", {{"END", "", 0, 1}});
    const QString link = tempPath("link.epj");
    ASSERT_TRUE(QFile::link(path, link));
    // Another instance shows the project.
    QLockFile held(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + "/" +
                   QString::fromStdString(projectLockName(path.toStdString())));
    ASSERT_TRUE(held.tryLock(0));

    frame->openProjectFile(other);
    EXPECT_TRUE(exitCodes.empty());
    ASSERT_NE(project(), nullptr);
    EXPECT_EQ(project()->document().pathName(), QFileInfo(other).absoluteFilePath().toStdString());

    sink.answers = {A::No};
    frame->openProjectFile(link);
    EXPECT_EQ(sink.texts().back(), "程序已打开！");
    EXPECT_EQ(exitCodes, std::vector<int>{0});
}

TEST_F(Projects, DroppedFileOpensAsOpenProjectDoes) {
    const QString path = writeProject("dropped.epj", {{"END", "", 0, 1}});
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QWidget* target = frame->mdiArea()->viewport();
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    ASSERT_NE(project(), nullptr) << (sink.texts().empty() ? "" : sink.texts().front());
    EXPECT_EQ(project()->document().title(), "dropped");
}

TEST_F(Projects, SavedProjectIsWhatThePlainCodeWrites) {
    const QString path = writeProject("roundtrip.epj", {{"LD", "X000", 0, 1},
                                                        {"OR", "X001", 0, 1},
                                                        {"ANI", "X002", 0, 1},
                                                        {"OUT", "Y000", 0, 1},
                                                        {"LD", "M0", 0, 1},
                                                        {"MOV", "K10 D0", 10240, 5},
                                                        {"END", "", 0, 1}});
    ASSERT_TRUE(frame->openProjectFile(path));
    EXPECT_TRUE(session().view.m_bListMode);
    key(Qt::Key_F1, Qt::AltModifier);  // the ladder, rebuilt from the list
    ASSERT_FALSE(session().view.m_bListMode);
    ASSERT_EQ(session().grid().kind(0, 1), OpenContact);

    // The same ladder converted and saved without a window.
    test::TestSession plain;
    readCellTable(writeCellTable(session().grid()), *plain.view.grid);
    tidyGrid(plain.session);
    ASSERT_TRUE(convertLadder(plain.session).compiled);
    ProjectDocument doc(plain.session);
    ASSERT_EQ(doc.save(tempPath("plain.epj").toStdString()), SaveResult::Saved);

    key(Qt::Key_F4);
    ASSERT_TRUE(session().view.m_bCompiled) << (sink.texts().empty() ? "" : sink.texts().back());
    EXPECT_TRUE(project()->document().isModified());
    chosen.push_back(tempPath("again.epj"));
    frame->runCommand(CmdSaveAs);
    EXPECT_FALSE(project()->document().isModified());
    EXPECT_EQ(fileBytes(tempPath("again.epj")), fileBytes(tempPath("plain.epj")));
    EXPECT_EQ(frame->windowTitle(), "Rungsmith - [again]");

    key(Qt::Key_S, Qt::ControlModifier);  // saves to its own path, no dialog
    EXPECT_EQ(chooserCalls.size(), 1u);
    EXPECT_EQ(fileBytes(tempPath("again.epj")), fileBytes(tempPath("plain.epj")));
}

// Whichever way a project replaces an open one, its window is visible and
// maximized, with its buttons in the menu bar, and "&Cascade" keeps it usable.
TEST_F(Projects, ReplacingProjectWindowIsMaximized) {
    const QString plant = writeProject("plant.epj", {{"END", "", 0, 1}});
    const QString first = tempPath("first.epj");
    frame->runCommand(CmdNewProject);
    struct Step {
        const char* name;
        std::function<void()> run;
    };
    const Step steps[] = {
        {"Ctrl+N answered No",
         [&] {
             sink.answers = {A::No};
             key(Qt::Key_N, Qt::ControlModifier);
         }},
        {"Ctrl+N answered Yes",
         [&] {
             sink.answers = {A::Yes};
             chosen.push_back(first);
             key(Qt::Key_N, Qt::ControlModifier);
         }},
        {"Open answered No",
         [&] {
             sink.answers = {A::No};
             chosen.push_back(plant);
             key(Qt::Key_O, Qt::ControlModifier);
         }},
        {"a recent file answered No",
         [&] {
             sink.answers = {A::No};
             frame->runCommand(CmdRecentFile1 + 1);
         }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        CChildFrame* before = project();
        step.run();
        QApplication::processEvents();
        ASSERT_NE(project(), nullptr);
        ASSERT_NE(project(), before);
        EXPECT_EQ(frame->mdiArea()->subWindowList().size(), 1);
        EXPECT_TRUE(project()->isVisible());
        EXPECT_TRUE(project()->isMaximized());
        EXPECT_TRUE(frame->windowTitle().endsWith("]")) << frame->windowTitle().toStdString();
        QWidget* buttons = frame->menuBar()->cornerWidget(Qt::TopRightCorner);
        EXPECT_TRUE(buttons && buttons->isVisibleTo(frame.get()));
        EXPECT_GT(view()->viewport()->height(), frame->mdiArea()->height() / 2);
    }
    // Cascaded, the window keeps a usable size and names its project.
    frame->runCommand(CmdCascade);
    QApplication::processEvents();
    EXPECT_FALSE(project()->isMaximized());
    EXPECT_GE(project()->height(), frame->mdiArea()->viewport()->height() / 2);
    EXPECT_EQ(project()->windowTitle(), "first");
    EXPECT_EQ(frame->windowTitle(), "Rungsmith - first");
}

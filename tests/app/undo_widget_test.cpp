#include "app/model/commands.h"
#include "tests/app/widget_fixture.h"

using namespace rs;
using namespace rs::shell;

namespace {

struct Undo : test::FrameFixture {
    Undo() {
        frame->runCommand(CmdNewProject);
        view()->setFocus();
    }
    LadderGrid& grid() { return session().grid(); }
    void enter(Qt::Key k, const std::string& text) {
        dialogs.symbol(text);
        key(k);
    }
    bool modified() { return project()->document().isModified(); }
};

}  // namespace

TEST_F(Undo, KeysMenuStateAndModifiedFlagFollowTheHistory) {
    EXPECT_FALSE(enabled(CmdUndo));
    EXPECT_FALSE(enabled(CmdRedo));
    enter(Qt::Key_F5, "X0");
    enter(Qt::Key_F7, "Y0");
    EXPECT_TRUE(enabled(CmdUndo));
    EXPECT_FALSE(enabled(CmdRedo));
    EXPECT_TRUE(modified());

    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(grid().kind(0, 10), Empty);
    EXPECT_EQ(grid().text(0, 1), "X000");
    key(Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(grid().kind(0, 1), Empty);
    EXPECT_EQ(grid().text(0, 10), "END");  // END is back in row 0
    EXPECT_FALSE(modified()) << "back at the new project's state";
    EXPECT_FALSE(enabled(CmdUndo));
    EXPECT_TRUE(enabled(CmdRedo));

    key(Qt::Key_Y, Qt::ControlModifier);
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(grid().text(0, 10), "Y000");
    EXPECT_TRUE(modified());
    EXPECT_FALSE(enabled(CmdRedo));

    // Convert and the switch to the list are steps too.
    key(Qt::Key_F4);
    key(Qt::Key_F1, Qt::AltModifier);
    ASSERT_TRUE(session().view.m_bListMode);
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(session().view.m_bListMode);
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(session().view.m_bCompiled);
    EXPECT_EQ(session().table().m_Instruction[0], "");

    // Saved, edited, undone: the saved state is unmodified again.
    key(Qt::Key_F4);
    chosen.push_back(tempPath("undo.epj"));
    frame->runCommand(CmdSave);
    ASSERT_FALSE(modified());
    grid().m_nCursorRow = 1;
    enter(Qt::Key_F5, "X1");
    EXPECT_TRUE(modified());
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(modified());
    key(Qt::Key_Z, Qt::ControlModifier);  // before Convert: differs from the file
    EXPECT_TRUE(modified());
}

TEST_F(Undo, HistoryIsClearedWhenTheProjectIsReplacedOrClosed) {
    enter(Qt::Key_F5, "X0");
    ASSERT_TRUE(enabled(CmdUndo));
    sink.answers.push_back(MessageAnswer::No);  // do not save the open project
    frame->runCommand(CmdNewProject);
    EXPECT_FALSE(enabled(CmdUndo));
    EXPECT_FALSE(project()->history().canUndo());

    enter(Qt::Key_F5, "X0");
    sink.answers.push_back(MessageAnswer::Yes);  // discard the unconverted ladder
    project()->close();
    QApplication::processEvents();
    ASSERT_EQ(project(), nullptr);
    EXPECT_FALSE(frame->shellState().canUndo);
}

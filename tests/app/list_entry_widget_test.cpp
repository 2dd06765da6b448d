#include "app/model/commands.h"
#include "tests/app/widget_fixture.h"

using namespace rs;
using namespace rs::shell;

namespace {

// The instruction list of a new project, entered line by line with the mouse.
struct ListEntry : test::FrameFixture {
    ListEntry() {
        frame->runCommand(CmdNewProject);
        view()->setFocus();
        key(Qt::Key_F1, Qt::AltModifier);  // the empty, converted ladder as a list
    }
    void doubleClickLine(int line) {
        const QPoint at(20, line * kListLineHeight + 5);
        QMouseEvent e(QEvent::MouseButtonDblClick, at, view()->viewport()->mapToGlobal(at),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view()->viewport(), &e);
        QApplication::processEvents();
    }
    std::vector<std::string> lines() {
        std::vector<std::string> out;
        const InstructionTable& t = session().table();
        const size_t records = session().view.records.m_InstructionList.size();
        for (size_t i = 0; i < records; ++i)
            out.push_back(t.m_Parameter[i].empty() ? t.m_Instruction[i]
                                                   : t.m_Instruction[i] + " " + t.m_Parameter[i]);
        return out;
    }
};

}  // namespace

// Each case ends an entry on the END line without storing anything; the list
// must be as it was, and the switch back to the ladder must pass.
TEST_F(ListEntry, EntryOnTheEndLineThatStoresNothingLeavesNoLine) {
    ASSERT_TRUE(session().view.m_bListMode);
    ASSERT_EQ(lines(), std::vector<std::string>{"END"});

    struct Case {
        const char* name;
        std::vector<std::optional<std::string>> answers;  // nullopt: "Exit"
        int endLine;                                      // where the END line is
    };
    const Case cases[] = {
        {"empty text on line 0 opens the help", {""}, 0},
        {"refused in mode 2, then Exit", {"PRW D0 D1", std::nullopt}, 1},
        {"refused twice, then Exit", {"LD Q7", "LD X999", std::nullopt}, 1},
        {"empty text below a line, then Exit", {"", std::nullopt}, 1},
        {"a character refused", {"LD X0."}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.endLine == 1 && session().table().m_Instruction[0] == "END") {
            dialogs.list("LD X0");  // one stored line above END
            doubleClickLine(0);
            ASSERT_EQ(lines(), (std::vector<std::string>{"LD X000", "END"}));
        }
        const auto before = lines();
        dialogs.lists.assign(c.answers.begin(), c.answers.end());
        doubleClickLine(c.endLine);
        EXPECT_TRUE(dialogs.lists.empty());
        EXPECT_EQ(lines(), before);
        EXPECT_EQ(session().view.m_nListCursor, c.endLine);
    }
    EXPECT_EQ(dialogs.helpShown, 1);

    // The list switches back without "NOP instruction is not supported .".
    dialogs.list("OUT Y0");
    doubleClickLine(1);
    ASSERT_EQ(lines(), (std::vector<std::string>{"LD X000", "OUT Y000", "END"}));
    sink.clear();
    key(Qt::Key_F1, Qt::AltModifier);
    EXPECT_TRUE(sink.texts().empty()) << sink.texts().front();
    EXPECT_FALSE(session().view.m_bListMode);
}

// A text stored on the END line still goes in before it.
TEST_F(ListEntry, EntryOnTheEndLineThatStoresGoesInBeforeIt) {
    dialogs.list("PRW D0 D1");  // refused, then corrected in the reopened dialog
    dialogs.list("LD X1");
    doubleClickLine(0);
    EXPECT_EQ(lines(), (std::vector<std::string>{"LD X001", "END"}));
    EXPECT_EQ(session().view.m_nListCursor, 0);  // line 0 keeps the cursor
    EXPECT_TRUE(project()->document().isModified());
}

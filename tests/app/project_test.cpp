#include "app/model/project.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/cell.h"
#include "project/project_file.h"
#include "tests/editor/scripted_dialogs.h"
#include "tests/support/test_session.h"

using namespace rs;
using rs::shell::Project;
using rs::shell::ProjectChange;

namespace {

struct Heard : shell::ProjectObserver {
    std::vector<ProjectChange> changes;
    void projectChanged(const ProjectChange& c) override { changes.push_back(c); }
};

struct ProjectObject : ::testing::Test {
    // As "New project" does: the fresh program is tidied and shown first.
    ProjectObject() {
        project.refresh();
        project.addObserver(&heard);
        row = project.view().grid->m_nCursorRow;
        col = project.view().grid->m_nCursorCol;
    }
    // Whether the cell the cursor was on before the first entry is empty.
    bool entered() { return project.view().grid->kind(row, col) != Empty; }

    AppStore app;
    test::RecordingSink sink;
    RangeFile ranges{test::shippedRangeFile()};
    test::ScriptedDialogs dialogs;
    test::MemoryClipboard clipboard;
    Project project{app, sink, ranges, dialogs, clipboard};
    Heard heard;
    int row = 0;
    int col = 0;
};

}  // namespace

TEST_F(ProjectObject, AnEntryIsOneStepThatUndoAndRedoWalkWithTheModifiedFlag) {
    dialogs.symbol("X1");
    project.edit(EditCommand::OpenContact, false);
    ASSERT_EQ(heard.changes.size(), 1u);
    EXPECT_TRUE(heard.changes[0].program);
    EXPECT_TRUE(heard.changes[0].followCursor);  // the cursor moved on
    EXPECT_TRUE(entered());
    EXPECT_TRUE(project.document().isModified());
    EXPECT_FALSE(project.view().m_bCompiled);
    ASSERT_TRUE(project.history().canUndo());

    EXPECT_TRUE(project.undo());
    EXPECT_FALSE(entered());
    EXPECT_FALSE(project.document().isModified());
    EXPECT_TRUE(project.history().canRedo());
    EXPECT_EQ(heard.changes.size(), 2u);
    EXPECT_FALSE(project.undo());  // nothing older: nobody hears of it
    EXPECT_EQ(heard.changes.size(), 2u);

    EXPECT_TRUE(project.redo());
    EXPECT_TRUE(entered());
    EXPECT_TRUE(project.document().isModified());
    EXPECT_EQ(heard.changes.size(), 3u);
}

TEST_F(ProjectObject, ALockedProjectTakesNoEntry) {
    project.setLocked(true);
    dialogs.symbol("X1");
    project.edit(EditCommand::OpenContact, false);
    project.enterKey(false);
    project.editCell(0, 0, false);
    EXPECT_TRUE(heard.changes.empty());
    EXPECT_EQ(dialogs.symbols.size(), 1u);  // no dialog was asked
    EXPECT_FALSE(entered());
    EXPECT_FALSE(project.history().canUndo());
    project.setLocked(false);
    project.edit(EditCommand::OpenContact, false);
    EXPECT_TRUE(entered());
}

TEST_F(ProjectObject, ACancelledEntryOnAConvertedProgramChangesNothing) {
    dialogs.symbols.push_back(std::nullopt);
    project.edit(EditCommand::OpenContact, false);
    EXPECT_TRUE(project.view().m_bCompiled);
    EXPECT_FALSE(project.document().isModified());
    EXPECT_FALSE(project.history().canUndo());
}

TEST_F(ProjectObject, AnOpenedProgramIsTakenOverAndShownAsItsList) {
    RecordLists r;
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"LD", "X000"}, {"OUT", "Y000"}, {"END", ""}};
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        r.m_InstructionList.push_back({i, rows[i].first});
        r.m_ParameterList.push_back({i, rows[i].second});
        r.m_FunNoList.push_back({i, 0});
        r.m_FunStepList.push_back({i, 1});
    }
    r.m_ProtocolList.push_back({0, "1"});
    const auto path = std::filesystem::temp_directory_path() / "rungsmith-project-object.epj";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << encodeProject(r);

    ASSERT_TRUE(project.open(path.string()));
    EXPECT_TRUE(project.listMode());
    EXPECT_EQ(app.table->m_Instruction[1], "OUT");
    EXPECT_EQ(project.document().m_bJustLoaded, 0);
    EXPECT_FALSE(project.document().isModified());
    ASSERT_EQ(heard.changes.size(), 1u);
    EXPECT_TRUE(heard.changes[0].program);

    // The switch back to the ladder is a step of its own; undo shows the list again.
    project.switchPresentation();
    EXPECT_FALSE(project.listMode());
    EXPECT_FALSE(heard.changes.back().followCursor);
    std::filesystem::remove(path);
}

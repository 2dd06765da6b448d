// Device comments in the open project: undone with the edits, carried by a
// rename, shown by the ladder and the list, found by find, listed for print.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/model/comment_text.h"
#include "app/model/ladder_scene.h"
#include "app/model/list_scene.h"
#include "app/model/print_layout.h"
#include "app/model/project.h"
#include "core/cell.h"
#include "editor/search/find.h"
#include "project/comments_file.h"
#include "project/project_file.h"
#include "tests/editor/scripted_dialogs.h"
#include "tests/support/test_session.h"

using namespace rs;
using rs::shell::Project;

namespace {

namespace fs = std::filesystem;

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A program of two rungs as a list: X000 and X001 drive Y000, X000 drives T0.
RecordLists starDelta() {
    RecordLists r;
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"LD", "X000"}, {"AND", "X001"},   {"OUT", "Y000"},
        {"LD", "X000"}, {"OUT", "T0 K50"}, {"END", ""}};
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        r.m_InstructionList.push_back({i, rows[i].first});
        r.m_ParameterList.push_back({i, rows[i].second});
        r.m_FunNoList.push_back({i, 0});
        r.m_FunStepList.push_back({i, 1});
    }
    r.m_ProtocolList.push_back({0, "1"});
    return r;
}

struct Folder {
    Folder() {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    ~Folder() { fs::remove_all(dir); }
    fs::path dir = fs::temp_directory_path() / "rungsmith-comments-ui";
};

struct Fixture {
    Fixture() { project.refresh(); }
    AppStore app;
    test::RecordingSink sink;
    RangeFile ranges{test::shippedRangeFile()};
    test::ScriptedDialogs dialogs;
    test::MemoryClipboard clipboard;
    Project project{app, sink, ranges, dialogs, clipboard};

    std::string comment(const std::string& device) {
        return std::string(project.document().comments().findText(device));
    }
    bool openFile(const fs::path& path) { return project.open(path.string()); }
};

struct Comments : ::testing::Test, Fixture {};

// Texts of a scene marked as comments.
std::vector<std::string> commentTexts(const shell::Scene& s) {
    std::vector<std::string> out;
    for (const auto& t : s.texts)
        if (t.comment) out.push_back(t.text);
    return out;
}

}  // namespace

TEST_F(Comments, EditsAreStepsOfTheHistoryWithTheModifiedFlag) {
    struct Case {
        const char* device;
        const char* comment;
        bool kept;
    };
    const Case cases[] = {
        {"X0", "Start button", true}, {"y0", "Motor K1", true},    {" T0 ", "星三角延时", true},
        {"X8", "no octal 8", false},  {"K5", "a constant", false}, {"X0 X1", "two words", false},
        {"X1", "a\tb", false},  // a control character
    };
    int steps = 0;
    for (const Case& c : cases) {
        const bool kept = project.setComment(c.device, c.comment);
        EXPECT_EQ(kept, c.kept) << c.device;
        if (kept) ++steps;
    }
    EXPECT_EQ(project.history().stepCount(), static_cast<size_t>(steps));
    EXPECT_EQ(comment("X000"), "Start button");
    EXPECT_EQ(comment("Y000"), "Motor K1");
    EXPECT_EQ(comment("T0"), "星三角延时");
    EXPECT_TRUE(project.document().isModified());
    // The same text again is no step.
    EXPECT_TRUE(project.setComment("X000", "Start button"));
    EXPECT_EQ(project.history().stepCount(), static_cast<size_t>(steps));

    ASSERT_TRUE(project.undo());
    EXPECT_EQ(comment("T0"), "");
    EXPECT_EQ(comment("Y000"), "Motor K1");
    ASSERT_TRUE(project.undo());
    ASSERT_TRUE(project.undo());
    EXPECT_TRUE(project.document().comments().empty());
    EXPECT_FALSE(project.document().isModified());
    ASSERT_TRUE(project.redo());
    EXPECT_EQ(comment("X000"), "Start button");
    // A change of a comment, then its removal, each undone back.
    ASSERT_TRUE(project.setComment("X0", "Start"));
    ASSERT_TRUE(project.setComment("X0", ""));
    EXPECT_EQ(comment("X000"), "");
    ASSERT_TRUE(project.undo());
    EXPECT_EQ(comment("X000"), "Start");
    ASSERT_TRUE(project.undo());
    EXPECT_EQ(comment("X000"), "Start button");
}

TEST_F(Comments, ReplaceDeviceCarriesTheCommentInOneStep) {
    Folder folder;
    const fs::path path = folder.dir / "p.epj";
    std::ofstream(path, std::ios::binary) << encodeProject(starDelta());
    ASSERT_TRUE(openFile(path));
    ASSERT_TRUE(project.setComment("X1", "Stop button"));
    ASSERT_TRUE(project.setComment("Y0", "Motor K1"));
    const size_t before = project.history().stepCount();

    auto out = project.replaceDevice("x1", "X10");
    ASSERT_EQ(out.result, search::ReplaceOutcome::Replaced);
    EXPECT_EQ(project.history().stepCount(), before + 1);
    EXPECT_EQ(comment("X001"), "");
    EXPECT_EQ(comment("X010"), "Stop button");
    EXPECT_EQ(app.table->m_Parameter[1], "X010");

    ASSERT_TRUE(project.undo());  // program and comment together
    EXPECT_EQ(app.table->m_Parameter[1], "X001");
    EXPECT_EQ(comment("X001"), "Stop button");
    EXPECT_EQ(comment("X010"), "");
    ASSERT_TRUE(project.redo());
    EXPECT_EQ(comment("X010"), "Stop button");

    // A new device that has its own comment keeps it; the old one keeps its own.
    ASSERT_TRUE(project.setComment("Y1", "Lamp"));
    out = project.replaceDevice("Y0", "Y1");
    ASSERT_EQ(out.result, search::ReplaceOutcome::Replaced);
    EXPECT_EQ(comment("Y001"), "Lamp");
    EXPECT_EQ(comment("Y000"), "Motor K1");
    // A rename that is refused moves nothing.
    out = project.replaceDevice("X10", "K5");
    EXPECT_NE(out.result, search::ReplaceOutcome::Replaced);
    EXPECT_EQ(comment("X010"), "Stop button");
}

TEST(CommentText, TheDeviceOfATextAndOfTheCursor) {
    DeviceComments c;
    ASSERT_TRUE(c.set(*readCommentDevice("T0"), "Delay"));
    ASSERT_TRUE(c.set(*readCommentDevice("D10"), "Count"));
    EXPECT_EQ(shell::commentOfText(c, "T0 K50"), "Delay");
    EXPECT_EQ(shell::commentOfText(c, "K50 T0"), "Delay");
    EXPECT_EQ(shell::commentOfText(c, "MOV K1 D10", 1), "Count");
    EXPECT_EQ(shell::commentOfText(c, "D10", 1), "");
    EXPECT_EQ(shell::commentOfText(c, "T1 K50"), "");
    EXPECT_EQ(shell::commentOfText(c, ""), "");

    test::TestSession t;
    t.app.table->m_Instruction[0] = "OUT";
    t.app.table->m_Parameter[0] = "t0 K50";
    t.view.m_bListMode = 1;
    t.view.m_nListCursor = 0;
    EXPECT_EQ(shell::cursorDevice(t.session), "T0");
    t.view.m_nListCursor = 5;  // an empty line
    EXPECT_EQ(shell::cursorDevice(t.session), "");
    t.view.m_bListMode = 0;
    t.view.grid->setCell(2, 4, OpenContact, "X7", LinkSymbol);
    t.view.grid->m_nCursorRow = 2;
    t.view.grid->m_nCursorCol = 4;
    EXPECT_EQ(shell::cursorDevice(t.session), "X007");
    t.view.grid->m_nCursorCol = 5;
    EXPECT_EQ(shell::cursorDevice(t.session), "");
}

TEST(CommentText, RowsJoinCommentsAndUsesInDeviceOrder) {
    DeviceComments c;
    ASSERT_TRUE(c.set(*readCommentDevice("Y0"), "Motor"));
    ASSERT_TRUE(c.set(*readCommentDevice("M5"), "Unused flag"));
    std::vector<search::DeviceUses> uses(2);
    uses[0].device = "X000";
    uses[1].device = "Y000";
    for (int i = 0; i < shell::kMaxWherePlaces + 3; ++i) {
        search::DevicePlace p;
        p.inList = true;
        p.step = i;
        uses[0].places.push_back(p);
    }
    uses[1].places.push_back({false, 0, 10, -1, search::DeviceUse::Coil});
    const auto rows = shell::commentRows(c, uses, {"c3", "nonsense"});
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].device, "X000");
    EXPECT_EQ(rows[0].comment, "");
    EXPECT_EQ(rows[0].where.substr(0, 14), "step 0; step 1");
    EXPECT_TRUE(rows[0].where.ends_with("; ... 3 more"));
    EXPECT_EQ(rows[1].device, "Y000");
    EXPECT_EQ(rows[1].comment, "Motor");
    EXPECT_EQ(rows[1].where, "row 0, column 10");
    EXPECT_EQ(rows[2].device, "M5");
    EXPECT_EQ(rows[2].where, "");
    EXPECT_EQ(rows[3].device, "C3");
}

TEST(CommentScenes, LadderAndListShowEachCommentOnce) {
    test::TestSession t;
    LadderGrid& g = *t.view.grid;
    g.setCell(0, 1, OpenContact, "X000", LinkSymbol);
    g.setCell(0, 2, CloseContact, "X001", LinkSymbol);
    g.setCell(0, kOutputCol, Coil, "T0 K50", LinkSymbol);
    g.m_nLastRow = 0;
    DeviceComments c;
    ASSERT_TRUE(c.set(*readCommentDevice("X0"), "Start button"));
    ASSERT_TRUE(c.set(*readCommentDevice("T0"), "Star-delta delay"));
    shell::LadderSceneInput in{g, shell::LadderGeometry(1200, 800), true, 0, 800, {}, {}};
    const shell::Scene plain = shell::ladderScene(in);
    in.comments = &c;
    const shell::Scene named = shell::ladderScene(in);
    EXPECT_EQ(commentTexts(plain).size(), 0u);
    EXPECT_EQ(commentTexts(named), (std::vector<std::string>{"Start button", "Star-delta delay"}));
    // Everything else is drawn as before.
    EXPECT_EQ(named.texts.size(), plain.texts.size() + 2);
    EXPECT_EQ(named.lines, plain.lines);
    // Under the contact, inside its cell; under the coil's device text.
    const auto* start = named.findText("Start button");
    EXPECT_EQ(start->rect, (shell::Rect{102, 66, 198, 100}));
    const auto* delay = named.findText("Star-delta delay");
    EXPECT_EQ(delay->rect, (shell::Rect{1010, 66, 1198, 100}));

    t.app.table->m_Instruction[0] = "LD";
    t.app.table->m_Parameter[0] = "X000";
    t.app.table->m_Instruction[1] = "OUT";
    t.app.table->m_Parameter[1] = "T0 K50";
    t.app.table->m_Instruction[2] = "END";
    for (int i = 0; i < 3; ++i) t.view.records.m_InstructionList.push_back({i, ""});
    shell::ListSceneInput list{t.session, 1000, 0, 800, {}, &c};
    const shell::Scene lines = shell::listScene(list);
    EXPECT_EQ(commentTexts(lines), (std::vector<std::string>{"Start button", "Star-delta delay"}));
    EXPECT_EQ(lines.findText("Star-delta delay")->rect, (shell::listCommentRect(1, 1000)));
}

TEST(CommentFind, TextSearchReadsTheComments) {
    test::TestSession t;
    for (int i = 0; i < 3; ++i) {
        t.app.table->m_Instruction[i] = i == 2 ? "END" : (i == 0 ? "LD" : "OUT");
        t.app.table->m_Parameter[i] = i == 0 ? "X000" : (i == 1 ? "Y000" : "");
        t.view.records.m_InstructionList.push_back({i, ""});
    }
    t.view.m_bListMode = 1;
    t.view.m_nListCursor = 0;
    DeviceComments c;
    ASSERT_TRUE(c.set(*readCommentDevice("Y0"), "Motor K1"));
    search::FindQuery q{search::FindKind::Text, "motor", true};
    EXPECT_EQ(search::findNext(t.session, q).result, search::FindOutcome::NotFound);
    const search::CommentOf commentOf = [&c](const std::string& w) {
        return std::string(c.findText(w));
    };
    const auto out = search::findNext(t.session, q, commentOf);
    EXPECT_EQ(out.result, search::FindOutcome::Found);
    EXPECT_EQ(out.row, 1);
    // A device search is not a comment search.
    q.kind = search::FindKind::Device;
    q.text = "Motor";
    EXPECT_EQ(search::findNext(t.session, q, commentOf).result, search::FindOutcome::Invalid);
}

TEST(CommentPrint, TheDeviceListFollowsTheProgramPages) {
    struct Case {
        int rows, perPage, devices, height;
        std::vector<shell::PrintPage> pages;
    };
    const Case cases[] = {
        {5, 10, 0, 1000, {{0, 4}}},
        {5, 10, 3, 1000, {{0, 4}, {0, 2, true}}},
        // (1000 - 60 - 25) / 25 = 36 devices a page
        {12, 10, 40, 1000, {{0, 9}, {10, 11}, {0, 35, true}, {36, 39, true}}},
        {0, 10, 1, 200, {{0, -1}, {0, 0, true}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(shell::paginateWithDeviceList(c.rows, c.perPage, c.devices, c.height, 25),
                  c.pages)
            << c.rows << " " << c.devices;
}

// A user names X000, X001, Y000 and T0, sees the names, renames X001 to
// X010, closes and reopens: the names are back and the project file holds
// exactly what it holds without any comment.
TEST(CommentWalkthrough, NamesFollowTheDevicesAndNeverTouchTheProjectFile) {
    Folder folder;
    const fs::path path = folder.dir / "StarDelta.epj";
    const fs::path twin = folder.dir / "Twin.epj";  // the same edits, no comments
    std::ofstream(path, std::ios::binary) << encodeProject(starDelta());
    std::ofstream(twin, std::ios::binary) << encodeProject(starDelta());
    const std::string original = readBytes(path);
    {
        Fixture f;
        ASSERT_TRUE(f.openFile(path));
        for (const auto& [device, name] :
             std::vector<std::pair<std::string, std::string>>{{"X000", "Start button"},
                                                              {"X001", "Stop button"},
                                                              {"Y000", "Motor K1"},
                                                              {"T0", "Star-delta delay"}})
            ASSERT_TRUE(f.project.setComment(device, name));
        f.project.switchPresentation();  // to the ladder
        ASSERT_FALSE(f.project.listMode());
        shell::LadderSceneInput in{
            *f.project.view().grid,          shell::LadderGeometry(1200, 800), true, 0, 800, {}, {},
            &f.project.document().comments()};
        const auto names = commentTexts(shell::ladderScene(in));
        for (const char* name : {"Start button", "Stop button", "Motor K1", "Star-delta delay"})
            EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
        ASSERT_EQ(f.project.document().save(path.string()), SaveResult::Saved);
        EXPECT_EQ(readBytes(path), original);  // names alone leave the file as it was

        ASSERT_EQ(f.project.replaceDevice("X001", "X010").result, search::ReplaceOutcome::Replaced);
        f.project.convert();
        ASSERT_EQ(f.project.document().save(path.string()), SaveResult::Saved);
    }
    {
        Fixture t;
        ASSERT_TRUE(t.openFile(twin));
        t.project.switchPresentation();
        ASSERT_EQ(t.project.replaceDevice("X001", "X010").result, search::ReplaceOutcome::Replaced);
        t.project.convert();
        ASSERT_EQ(t.project.document().save(twin.string()), SaveResult::Saved);
        EXPECT_FALSE(fs::exists(commentsPathFor(twin.string())));
    }
    EXPECT_EQ(readBytes(path), readBytes(twin));
    EXPECT_NE(readBytes(path), original);  // the rename itself is in the program

    Fixture reopened;
    ASSERT_TRUE(reopened.openFile(path));
    EXPECT_TRUE(reopened.sink.texts().empty());
    EXPECT_EQ(reopened.comment("X000"), "Start button");
    EXPECT_EQ(reopened.comment("X001"), "");
    EXPECT_EQ(reopened.comment("X010"), "Stop button");
    EXPECT_EQ(reopened.comment("Y000"), "Motor K1");
    EXPECT_EQ(reopened.comment("T0"), "Star-delta delay");
    // The list shows the name of the renamed device beside its line.
    const shell::Scene list = shell::listScene(
        {reopened.project.session(), 1000, 0, 800, {}, &reopened.project.document().comments()});
    EXPECT_NE(list.findText("Stop button"), nullptr);
    const auto rows = shell::commentRows(reopened.project.document().comments(),
                                         search::crossReference(reopened.project.session()));
    ASSERT_EQ(rows.size(), 4u);  // X000 X010 Y000 T0: X001 is neither used nor named now
    EXPECT_EQ(rows[1].device, "X010");
    EXPECT_EQ(rows[1].comment, "Stop button");
    EXPECT_EQ(rows[1].where, "step 1");
}

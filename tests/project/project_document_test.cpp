#include "project/project_document.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/messages.h"
#include "project/project_file.h"
#include "tests/project/bytes.h"
#include "tests/project/temp_dir.h"
#include "tests/support/test_session.h"

namespace rs {
namespace {

using test::hex;
using test::readFile;
using test::writeFile;

class DocumentTest : public ::testing::Test {
  protected:
    test::TestSession ts;
    test::TempDir dir;
    TitleCounter titles;

    // A document on a fresh view, as "New project" or "Open project" make it.
    ProjectDocument newDocument() {
        ProjectDocument doc(ts.session);
        doc.initNew(titles);
        return doc;
    }
    void convertTwoRows() {
        store::clearForConvert(ts.session.table(), ts.view.records);
        store::emitRow(ts.session.table(), ts.view.records, 0, "LD", "X000", 0, 1);
        store::emitRow(ts.session.table(), ts.view.records, 1, "OUT", "Y000", 0, 1);
        store::appendEnd(ts.session.table(), ts.view.records, 2);
    }
};

TEST_F(DocumentTest, NewProjectsAreCountedAndConstructionResetsTheMode) {
    ts.app.setMode2(false);
    ProjectDocument a = newDocument();
    EXPECT_TRUE(ts.app.m_bMode2);
    EXPECT_EQ(ts.app.m_nMode2Check, 1);
    EXPECT_EQ(ts.app.m_nMode1Check, 0);
    EXPECT_EQ(a.m_bJustLoaded, 0);
    EXPECT_FALSE(a.isModified());
    ProjectDocument b = newDocument();
    EXPECT_EQ(a.title(), "Rungsmith1");
    EXPECT_EQ(b.title(), "Rungsmith2");
    EXPECT_TRUE(b.pathName().empty());
}

TEST_F(DocumentTest, SavingANewEmptyProjectWritesThe121ByteFileTwiceAlike) {
    ProjectDocument doc = newDocument();
    doc.setModifiedFlag();
    const std::string path = dir.file("plant.epj");
    ASSERT_EQ(doc.save(path), SaveResult::Saved);
    EXPECT_EQ(readFile(path), test::emptyProjectMode2());
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.pathName(), path);
    EXPECT_EQ(doc.title(), "plant");
    // The END row stays in the lists: a second save appends nothing.
    EXPECT_EQ(ts.view.records.m_InstructionList.size(), 1u);
    ASSERT_EQ(doc.save(path), SaveResult::Saved);
    EXPECT_EQ(readFile(path), test::emptyProjectMode2());

    ts.app.setMode2(false);
    const std::string mode1 = dir.file("mode1.epj");
    ASSERT_EQ(doc.save(mode1), SaveResult::Saved);
    std::string expected = test::emptyProjectMode2();
    expected.back() = '0';
    EXPECT_EQ(readFile(mode1), expected);
    EXPECT_TRUE(ts.sink.shown.empty());
}

TEST_F(DocumentTest, RefusedSaveOfAnUnconvertedLadderKeepsFileFlagAndName) {
    ProjectDocument doc = newDocument();
    const std::string old = dir.file("old.epj");
    ASSERT_EQ(doc.save(old), SaveResult::Saved);
    writeFile(dir.file("other.epj"), "previous contents");
    ts.session.commit();  // an edit: the ladder no longer matches the list
    doc.setModifiedFlag();

    EXPECT_EQ(doc.save(dir.file("other.epj")), SaveResult::NotCompiled);
    ASSERT_EQ(ts.sink.shown.size(), 1u);
    EXPECT_EQ(ts.sink.shown[0].text, msg::kNotCompiled);
    EXPECT_EQ(ts.sink.shown[0].caption, msg::kCaption);
    EXPECT_EQ(ts.sink.shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(readFile(dir.file("other.epj")), "previous contents");
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(doc.pathName(), old);
    EXPECT_EQ(doc.title(), "old");
}

TEST_F(DocumentTest, FailedWriteIsReportedAndLeavesNothingBehind) {
    ProjectDocument doc = newDocument();
    doc.setModifiedFlag();
    const std::string missing = dir.file("no-such-dir/plant.epj");
    EXPECT_EQ(doc.save(missing), SaveResult::WriteFailed);
    ASSERT_EQ(ts.sink.shown.size(), 1u);
    EXPECT_EQ(ts.sink.shown[0].text, missing + " was not found.");
    EXPECT_EQ(ts.sink.shown[0].caption, msg::kAppTitle);
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(doc.title(), "Rungsmith1");

    // A folder in the target's place is refused, and said to be one.
    std::filesystem::create_directory(dir.file("taken.epj"));
    EXPECT_EQ(doc.save(dir.file("taken.epj")), SaveResult::WriteFailed);
    EXPECT_EQ(ts.sink.shown.back().text,
              dir.file("taken.epj") + " is a folder, not a project file.");
    EXPECT_FALSE(doc.open(dir.file("taken.epj")));
    EXPECT_EQ(ts.sink.shown.back().text,
              dir.file("taken.epj") + " is a folder, not a project file.");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path)) ++entries;
    EXPECT_EQ(entries, 1);
}

TEST_F(DocumentTest, WriteProtectedProjectIsNotReplaced) {
    ProjectDocument doc = newDocument();
    doc.setModifiedFlag();
    const std::string path = dir.file("kept.epj");
    writeFile(path, "previous contents");
    std::filesystem::create_symlink(path, dir.file("link.epj"));
    for (mode_t mode : {0444, 0400, 0000}) {
        ::chmod(path.c_str(), mode);
        for (const std::string& target : {path, dir.file("link.epj")}) {
            ts.sink.shown.clear();
            EXPECT_EQ(doc.save(target), SaveResult::WriteFailed) << mode << target;
            EXPECT_EQ(ts.sink.texts(),
                      std::vector<std::string>{"Access to " + target + " was denied."});
            EXPECT_EQ(readFile(path), "previous contents");
            EXPECT_TRUE(doc.isModified());
        }
    }
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path)) ++entries;
    EXPECT_EQ(entries, 2);  // the file and the link, nothing written beside them
    ::chmod(path.c_str(), 0644);
    EXPECT_EQ(doc.save(path), SaveResult::Saved);
}

TEST_F(DocumentTest, SavesLeftBehindByAKillAreRemovedAtTheNextSaveOrOpen) {
    namespace fs = std::filesystem;
    ProjectDocument doc = newDocument();
    const std::string path = dir.file("plant.epj");
    const std::vector<std::string> stale = {"plant.epj.saving-AbC123", "plant.epj.saving-zzzzzz"};
    const std::vector<std::string> kept = {"plant.epj.backup", "plant.epj.saving-toolong",
                                           "plant.epj.saving-ab.d12", "other.epj.saving-AbC123",
                                           "plant.epj.saving-abc12"};
    for (const auto& name : stale) writeFile(dir.file(name), "half a proj");
    for (const auto& name : kept) writeFile(dir.file(name), "mine");
    fs::create_directory(dir.file("plant.epj.saving-Dir123"));
    ASSERT_EQ(doc.save(path), SaveResult::Saved);
    for (const auto& name : stale) EXPECT_FALSE(fs::exists(dir.file(name))) << name;
    for (const auto& name : kept) EXPECT_EQ(readFile(dir.file(name)), "mine") << name;
    EXPECT_TRUE(fs::is_directory(dir.file("plant.epj.saving-Dir123")));

    // Opening through a link cleans beside the file the link names.
    fs::create_directory(dir.file("links"));
    fs::create_symlink(path, dir.file("links/plant.epj"));
    writeFile(dir.file("plant.epj.saving-Q1w2E3"), "");
    writeFile(dir.file("links/plant.epj.saving-Q1w2E3"), "beside the link");
    test::TestSession fresh;
    ProjectDocument opened(fresh.session);
    ASSERT_TRUE(opened.open(dir.file("links/plant.epj")));
    EXPECT_FALSE(fs::exists(dir.file("plant.epj.saving-Q1w2E3")));
    EXPECT_TRUE(fs::exists(dir.file("links/plant.epj.saving-Q1w2E3")));
}

TEST_F(DocumentTest, ListsThatCouldNotBeReadBackAreNotWritten) {
    ProjectDocument doc = newDocument();
    convertTwoRows();
    ts.view.records.m_FunNoList.pop_back();  // one function number short
    const std::string path = dir.file("kept.epj");
    writeFile(path, "previous contents");
    doc.setModifiedFlag();
    EXPECT_EQ(doc.save(path), SaveResult::WriteFailed);
    EXPECT_EQ(ts.sink.texts(), (std::vector<std::string>{"Failed to save document."}));
    EXPECT_EQ(readFile(path), "previous contents");
    EXPECT_TRUE(doc.isModified());
}

TEST_F(DocumentTest, SaveReplacesTheFileWhereASymbolicLinkPointsAndKeepsItsPermissions) {
    ProjectDocument doc = newDocument();
    const std::string real = dir.file("real.epj");
    writeFile(real, "old");
    ::chmod(real.c_str(), 0640);
    std::filesystem::create_symlink(real, dir.file("link.epj"));
    ASSERT_EQ(doc.save(dir.file("link.epj")), SaveResult::Saved);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.epj")));
    EXPECT_EQ(readFile(real), test::emptyProjectMode2());
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    // A link to a file not there yet: the file is created, the link stays.
    std::filesystem::create_symlink("later.epj", dir.file("dangling.epj"));
    ASSERT_EQ(doc.save(dir.file("dangling.epj")), SaveResult::Saved);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("dangling.epj")));
    EXPECT_EQ(readFile(dir.file("later.epj")), test::emptyProjectMode2());
}

TEST_F(DocumentTest, OpeningSetsTheModeFromTheModeRecord) {
    struct Case {
        std::string text;
        bool mode2;
    };
    for (const Case& c : {Case{"0", false}, Case{"1", true}, Case{"7", true}, Case{"abc", false},
                          Case{"", false}}) {
        RecordLists l;
        store::prepareForSave(l, true);
        l.m_ProtocolList[0].m_strText = c.text;
        const std::string path = dir.file("m.epj");
        writeFile(path, encodeProject(l));
        test::TestSession fresh;
        fresh.app.setMode2(!c.mode2);
        ProjectDocument doc(fresh.session);
        ASSERT_TRUE(doc.open(path)) << c.text;
        EXPECT_EQ(fresh.app.m_bMode2, c.mode2) << c.text;
        EXPECT_EQ(fresh.app.m_nMode2Check, c.mode2 ? 1 : 0);
        EXPECT_EQ(fresh.app.m_nMode1Check, c.mode2 ? 0 : 1);
        EXPECT_EQ(doc.GetProtocol(0)->m_strText, c.text);
    }
}

TEST_F(DocumentTest, FileWithoutModeTableOpensInMode2) {
    const std::string path = dir.file("nomode.epj");
    writeFile(path, test::emptyProjectMode2().substr(0, 98));
    ts.app.setMode2(false);
    ProjectDocument doc(ts.session);
    ASSERT_TRUE(doc.open(path));
    EXPECT_TRUE(ts.app.m_bMode2);
    EXPECT_EQ(doc.GetProtocol(0), nullptr);
    EXPECT_EQ(doc.m_bJustLoaded, 1);
    EXPECT_EQ(doc.title(), "nomode");
    EXPECT_EQ(doc.pathName(), path);
}

TEST_F(DocumentTest, MalformedOrMissingFileChangesNothingThatWasOpen) {
    ProjectDocument doc = newDocument();
    convertTwoRows();
    ts.app.setMode2(false);
    const RecordLists before = ts.view.records;
    const std::string bad = dir.file("bad.epj");
    std::string bytes = test::emptyProjectMode2();
    bytes.back() = '0';
    bytes.resize(bytes.size() - 1);  // ends inside the mode table
    writeFile(bad, bytes);

    EXPECT_FALSE(doc.open(bad));
    ASSERT_EQ(ts.sink.shown.size(), 1u);
    EXPECT_EQ(ts.sink.shown[0].text, msg::kUnexpectedFileFormat);
    EXPECT_EQ(ts.sink.shown[0].caption, msg::kAppTitle);
    EXPECT_EQ(ts.view.records, before);
    EXPECT_FALSE(ts.app.m_bMode2);
    EXPECT_EQ(doc.m_bJustLoaded, 0);
    EXPECT_EQ(doc.title(), "Rungsmith1");

    EXPECT_FALSE(doc.open(dir.file("absent.epj")));
    EXPECT_EQ(ts.sink.shown.back().text, dir.file("absent.epj") + " was not found.");
    EXPECT_EQ(ts.view.records, before);
}

TEST_F(DocumentTest, TakeOverCopiesTheRowsButNotTheEndRowsOperandFunctionOrSteps) {
    RecordLists l;
    l.m_FunNoList = {{0, 0}, {1, 10240}, {2, 77}};
    l.m_InstructionList = {{0, "LD"}, {1, "MOV"}, {2, "END"}};
    l.m_ParameterList = {{0, "X000"}, {1, "K10 D0"}, {2, "junk"}};
    l.m_FunStepList = {{0, 1}, {1, 5}, {2, 9}};
    l.m_ProtocolList = {{0, "1"}};
    const std::string path = dir.file("p.epj");
    writeFile(path, encodeProject(l));

    ProjectDocument doc(ts.session);
    ASSERT_TRUE(doc.open(path));
    EXPECT_EQ(ts.view.m_bListMode, 0);
    ASSERT_TRUE(doc.takeOver());
    EXPECT_EQ(ts.view.m_bListMode, 1);
    EXPECT_EQ(doc.m_bJustLoaded, 0);
    const InstructionTable& t = ts.session.table();
    EXPECT_EQ(t.m_Instruction[1], "MOV");
    EXPECT_EQ(t.m_Parameter[1], "K10 D0");
    EXPECT_EQ(t.m_FunNo[1], 10240);
    EXPECT_EQ(t.m_FunStep[1], 5);
    EXPECT_EQ(t.m_Instruction[2], "END");
    EXPECT_EQ(t.m_Parameter[2], "");
    EXPECT_EQ(t.m_FunNo[2], 0);
    EXPECT_EQ(t.m_FunStep[2], 1);
    EXPECT_FALSE(t.rowUsed(3));
    EXPECT_FALSE(doc.takeOver());
}

TEST_F(DocumentTest, LookupsAnswerOnlyForPositionsInTheList) {
    ProjectDocument doc = newDocument();
    convertTwoRows();
    EXPECT_EQ(doc.GetInstruction(-1), nullptr);
    EXPECT_EQ(doc.GetInstruction(3), nullptr);
    ASSERT_NE(doc.GetInstruction(2), nullptr);
    EXPECT_EQ(doc.GetInstruction(2)->m_strText, "END");
    EXPECT_EQ(doc.GetParameter(1)->m_strText, "Y000");
    EXPECT_EQ(doc.GetFunNo(2), nullptr);  // Convert's END row has none
    EXPECT_EQ(doc.GetFunStep(1)->m_nValue, 1);
    EXPECT_EQ(doc.GetProtocol(0), nullptr);
}

TEST_F(DocumentTest, SavedProgramOpensAgainAsTheSameLists) {
    ProjectDocument doc = newDocument();
    convertTwoRows();
    ts.app.setMode2(false);
    const std::string path = dir.file("two.epj");
    ASSERT_EQ(doc.save(path), SaveResult::Saved);
    const RecordLists saved = ts.view.records;

    test::TestSession other;
    ProjectDocument reopened(other.session);
    ASSERT_TRUE(reopened.open(path));
    EXPECT_EQ(other.view.records, saved);
    EXPECT_FALSE(other.app.m_bMode2);
}

}  // namespace
}  // namespace rs

#include <gtest/gtest.h>

#include <filesystem>

#include "project/comments_file.h"
#include "project/project_document.h"
#include "tests/project/temp_dir.h"
#include "tests/support/test_session.h"

namespace rs {
namespace {

using test::readFile;

class ProjectCommentsTest : public ::testing::Test {
  protected:
    test::TestSession ts;
    test::TempDir dir;
    TitleCounter titles;

    ProjectDocument newDocument() {
        ProjectDocument doc(ts.session);
        doc.initNew(titles);
        return doc;
    }
    static CommentDevice dev(std::string_view text) { return *readCommentDevice(text); }
    static void write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
};

TEST_F(ProjectCommentsTest, SaveAndSaveAsTakeTheCommentsAlongAndLeaveTheProjectBytesAlone) {
    ProjectDocument doc = newDocument();
    const std::string plain = dir.file("plain.epj");
    ASSERT_EQ(doc.save(plain), SaveResult::Saved);
    EXPECT_FALSE(std::filesystem::exists(commentsPathFor(plain)));  // no comments, no file

    ASSERT_TRUE(doc.comments().set(dev("Y0"), "Motor K1"));
    ASSERT_TRUE(doc.comments().set(dev("X0"), "Start, green"));
    ASSERT_TRUE(doc.comments().set(dev("T0"), "\xE6\x98\x9F\xE4\xB8\x89\xE8\xA7\x92"));
    const std::string named = dir.file("named.epj");
    ASSERT_EQ(doc.save(named), SaveResult::Saved);
    EXPECT_EQ(readFile(named), readFile(plain));
    EXPECT_EQ(readFile(commentsPathFor(named)),
              "X000,\"Start, green\"\nY000,Motor K1\nT0,\xE6\x98\x9F\xE4\xB8\x89\xE8\xA7\x92\n");

    const std::string copy = dir.file("copy.epj");  // "Save as"
    ASSERT_EQ(doc.save(copy), SaveResult::Saved);
    EXPECT_EQ(readFile(commentsPathFor(copy)), readFile(commentsPathFor(named)));

    ProjectDocument reopened = newDocument();
    ASSERT_TRUE(reopened.open(copy));
    EXPECT_EQ(reopened.comments(), doc.comments());
    EXPECT_TRUE(ts.sink.shown.empty());

    // Removing every comment removes the file; opening then gives none.
    reopened.comments().clear();
    ASSERT_EQ(reopened.save(copy), SaveResult::Saved);
    EXPECT_FALSE(std::filesystem::exists(commentsPathFor(copy)));
    ASSERT_TRUE(reopened.open(named));
    ASSERT_TRUE(reopened.open(copy));
    EXPECT_TRUE(reopened.comments().empty());
}

TEST_F(ProjectCommentsTest, DamagedCommentsAreReportedTheProjectOpensAndTheFileIsKept) {
    ProjectDocument doc = newDocument();
    const std::string path = dir.file("plant.epj");
    ASSERT_EQ(doc.save(path), SaveResult::Saved);
    const std::string damaged = "X0,Start\nX9,not octal\nY0,Motor\n";
    write(commentsPathFor(path), damaged);

    ASSERT_TRUE(doc.open(path));
    ASSERT_EQ(ts.sink.shown.size(), 1u);
    EXPECT_NE(ts.sink.shown[0].text.find(commentsPathFor(path)), std::string::npos);
    EXPECT_NE(ts.sink.shown[0].text.find("line 2"), std::string::npos);
    EXPECT_EQ(doc.comments().size(), 2u);
    EXPECT_EQ(doc.title(), "plant");

    // Saving without touching the comments keeps the damaged file for repair;
    // a changed comment writes what the project now holds.
    ASSERT_EQ(doc.save(path), SaveResult::Saved);
    EXPECT_EQ(readFile(commentsPathFor(path)), damaged);
    ASSERT_TRUE(doc.comments().set(dev("X1"), "Stop"));
    ASSERT_EQ(doc.save(path), SaveResult::Saved);
    EXPECT_EQ(readFile(commentsPathFor(path)), "X000,Start\nX001,Stop\nY000,Motor\n");
}

TEST_F(ProjectCommentsTest, OpeningAnotherProjectOrANewOneDropsTheOldComments) {
    ProjectDocument doc = newDocument();
    ASSERT_TRUE(doc.comments().set(dev("M0"), "Run"));
    const std::string with = dir.file("with.epj");
    ASSERT_EQ(doc.save(with), SaveResult::Saved);
    doc.comments().clear();
    const std::string without = dir.file("without.epj");
    ASSERT_EQ(doc.save(without), SaveResult::Saved);

    ASSERT_TRUE(doc.open(with));
    EXPECT_EQ(doc.comments().find(dev("M0")), "Run");
    ASSERT_TRUE(doc.open(without));
    EXPECT_TRUE(doc.comments().empty());
    ASSERT_TRUE(doc.open(with));
    doc.initNew(titles);
    EXPECT_TRUE(doc.comments().empty());
    // A project that fails to open keeps what was open.
    ASSERT_TRUE(doc.open(with));
    EXPECT_FALSE(doc.open(dir.file("absent.epj")));
    EXPECT_EQ(doc.comments().find(dev("M0")), "Run");
}

TEST_F(ProjectCommentsTest, CommentsThatCannotBeWrittenLeaveTheProjectFileAsItWas) {
    ProjectDocument doc = newDocument();
    const std::string path = dir.file("plant.epj");
    ASSERT_EQ(doc.save(path), SaveResult::Saved);
    const std::string before = readFile(path);
    std::filesystem::create_directory(commentsPathFor(path));
    ASSERT_TRUE(doc.comments().set(dev("X0"), "Start"));
    doc.setModifiedFlag();
    EXPECT_EQ(doc.save(path), SaveResult::WriteFailed);
    EXPECT_EQ(readFile(path), before);
    EXPECT_TRUE(doc.isModified());
    ASSERT_FALSE(ts.sink.shown.empty());
    EXPECT_NE(ts.sink.shown.back().text.find(commentsPathFor(path)), std::string::npos);
}

}  // namespace
}  // namespace rs

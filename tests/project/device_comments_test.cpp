#include "project/device_comments.h"

#include <gtest/gtest.h>

#include <string>

#include "project/comments_file.h"

namespace rs {
namespace {

CommentDevice dev(std::string_view text) {
    const auto d = readCommentDevice(text);
    EXPECT_TRUE(d) << text;
    return d.value_or(CommentDevice{});
}

TEST(CommentDevice, ReadsDevicesAndRefusesEverythingElse) {
    struct Case {
        const char* text;
        const char* device;  // null: no device
    };
    const Case cases[] = {
        {"X0", "X000"},    {"x17", "X017"},   {"Y007", "Y007"},       {"M8000", "M8000"},
        {"S20", "S20"},    {"T0", "T0"},      {"C199", "C199"},       {"D100", "D100"},
        {"X8", nullptr},   {"Y019", nullptr}, {"K10", nullptr},       {"H1F", nullptr},
        {"K4M0", nullptr}, {"X", nullptr},    {"", nullptr},          {"X0 ", nullptr},
        {" X0", nullptr},  {"Z1", nullptr},   {"D12345678", nullptr},
    };
    for (const Case& c : cases) {
        const auto d = readCommentDevice(c.text);
        EXPECT_EQ(d.has_value(), c.device != nullptr) << c.text;
        if (d && c.device) {
            EXPECT_EQ(d->text(), c.device) << c.text;
        }
    }
}

TEST(CommentDevice, CommentsAreKeptInDeviceOrder) {
    DeviceComments comments;
    for (const char* d : {"D0", "T10", "T2", "X010", "M100", "C0", "Y000", "X7", "S0", "M9"})
        ASSERT_TRUE(comments.set(dev(d), d));
    std::string order;
    for (const auto& e : comments.entries()) order += e.device + " ";
    EXPECT_EQ(order, "X007 X010 Y000 M9 M100 S0 T2 T10 C0 D0 ");
}

TEST(DeviceComments, LengthCountsCharactersAndBadTextIsRefused) {
    const std::string chinese32 = [] {
        std::string s;
        for (int i = 0; i < 32; ++i) s += "\xE7\x94\xB5";  // a three-byte character
        return s;
    }();
    EXPECT_EQ(checkComment(chinese32), CommentProblem::None);
    EXPECT_EQ(commentLength(chinese32), 32);
    EXPECT_EQ(checkComment(chinese32 + "a"), CommentProblem::TooLong);
    EXPECT_EQ(checkComment(std::string(32, 'a')), CommentProblem::None);
    EXPECT_EQ(checkComment(std::string(33, 'a')), CommentProblem::TooLong);
    EXPECT_EQ(checkComment("two\nlines"), CommentProblem::ControlCharacter);
    EXPECT_EQ(checkComment("cr\r"), CommentProblem::ControlCharacter);
    EXPECT_EQ(checkComment("tab\t"), CommentProblem::ControlCharacter);
    EXPECT_EQ(checkComment("\xE7\x94"), CommentProblem::NotUtf8);          // cut short
    EXPECT_EQ(checkComment("\xC0\xAF"), CommentProblem::NotUtf8);          // overlong
    EXPECT_EQ(checkComment("\xED\xA0\x80"), CommentProblem::NotUtf8);      // surrogate
    EXPECT_EQ(checkComment("\xF4\x90\x80\x80"), CommentProblem::NotUtf8);  // above U+10FFFF

    DeviceComments comments;
    ASSERT_TRUE(comments.set(dev("X0"), "Start"));
    const uint64_t revision = comments.revision();
    EXPECT_FALSE(comments.set(dev("X0"), std::string(33, 'a')));
    EXPECT_FALSE(comments.set(dev("X1"), "a\nb"));
    EXPECT_EQ(comments.find(dev("X0")), "Start");
    EXPECT_EQ(comments.size(), 1u);
    EXPECT_EQ(comments.revision(), revision);
    EXPECT_TRUE(comments.set(dev("X0"), "Start"));  // the same text: no change
    EXPECT_EQ(comments.revision(), revision);
    EXPECT_TRUE(comments.set(dev("X0"), ""));
    EXPECT_TRUE(comments.empty());
    EXPECT_GT(comments.revision(), revision);
}

TEST(CommentsFile, AwkwardTextsSurviveTheRoundTrip) {
    const char* texts[] = {"Start button",
                           "a,b",
                           "say \"hi\"",
                           "\"",
                           ",",
                           " lead",
                           "trail ",
                           "\xE7\x94\xB5\xE6\x9C\xBA K1",
                           "#;=",
                           "\"quoted, twice\""};
    DeviceComments comments;
    long long n = 0;
    for (const char* t : texts) ASSERT_TRUE(comments.set(CommentDevice{'M', n++}, t)) << t;
    const std::string csv = encodeComments(comments);
    EXPECT_NE(csv.find("M1,\"a,b\"\n"), std::string::npos);
    EXPECT_NE(csv.find("M2,\"say \"\"hi\"\"\"\n"), std::string::npos);
    EXPECT_NE(csv.find("M0,Start button\n"), std::string::npos);
    const CommentsReadResult back = decodeComments(csv);
    ASSERT_TRUE(back.ok()) << back.badLine << ": " << back.problem;
    EXPECT_EQ(back.comments, comments);
    EXPECT_EQ(encodeComments(DeviceComments{}), "");
}

TEST(CommentsFile, SpreadsheetFilesAreRead) {
    const CommentsReadResult r = decodeComments(
        "\xEF\xBB\xBF"
        "Device,Comment\r\nx1,Stop\r\n\r\nT0,\"Star, delta\"\r\nY0,");
    ASSERT_TRUE(r.ok()) << r.badLine << ": " << r.problem;
    const auto e = r.comments.entries();
    ASSERT_EQ(e.size(), 2u);  // an empty comment is no comment, but is told
    ASSERT_EQ(r.cleared.size(), 1u);
    EXPECT_EQ(r.cleared[0].text(), "Y000");
    EXPECT_EQ(e[0].device, "X001");
    EXPECT_EQ(e[0].comment, "Stop");
    EXPECT_EQ(e[1].comment, "Star, delta");
}

TEST(CommentsFile, DamagedLinesAreNamedAndGoodLinesKept) {
    struct Case {
        const char* text;
        int badLine;
    };
    const Case cases[] = {
        {"X0,a\nno comma here\n", 2},
        {"X0,a\nK10,ten\n", 2},
        {"X9,a\n", 1},
        {"X0,a,b\n", 1},
        {"X0,\"open\n", 1},
        {"X0,\"a\"b\n", 1},
        {"X0,\"a\",b\n", 1},
        {"X0,a\"b\n", 1},
        {"X0,a\nX000,again\n", 2},
        {"X1,\nX0,a\nX001,b\n", 3},
        {"X0,a\nY0,123456789012345678901234567890123\n", 2},
        {"X0,\xFF\n", 1},
        {"device,comment\nX0,a\ndevice,comment\n", 3},
    };
    for (const Case& c : cases) {
        const CommentsReadResult r = decodeComments(c.text);
        EXPECT_EQ(r.badLine, c.badLine) << c.text;
        EXPECT_FALSE(r.problem.empty()) << c.text;
        if (c.badLine > 1) {
            EXPECT_EQ(r.comments.find(dev("X0")), "a") << c.text;
        }
    }
    // Only the first damaged line is named; the good lines after it count.
    const CommentsReadResult r = decodeComments("X0,a\nbad\nX1,b\nworse\n");
    EXPECT_EQ(r.badLine, 2);
    EXPECT_EQ(r.comments.size(), 2u);
}

}  // namespace
}  // namespace rs

#include <gtest/gtest.h>

#include "project/archive_reader.h"
#include "project/archive_writer.h"
#include "tests/project/bytes.h"

namespace rs {
namespace {

using test::hex;

TEST(ArchiveWriterTest, CountsBelowFFFFTakeOneWordLargerOnesAMarkerAndALongWord) {
    ArchiveWriter w;
    w.writeCount(0);
    w.writeCount(0xFFFE);
    w.writeCount(0xFFFF);
    w.writeCount(70000);
    EXPECT_EQ(w.bytes(), hex("0000 FEFF FFFF FFFF0000 FFFF 70110100"));
}

TEST(ArchiveWriterTest, TextLengthsTakeTheirThreeForms) {
    struct Case {
        size_t length;
        std::string prefix;
    };
    for (const Case& c :
         {Case{0, hex("00")}, Case{254, hex("FE")}, Case{255, hex("FF FF00")},
          Case{300, hex("FF 2C01")}, Case{0xFFFD, hex("FF FDFF")},
          Case{0xFFFE, hex("FF FFFF FEFF0000")}, Case{70000, hex("FF FFFF 70110100")}}) {
        ArchiveWriter w;
        const std::string text(c.length, 'a');
        w.writeText(text);
        EXPECT_EQ(w.bytes(), c.prefix + text) << c.length;

        ArchiveReader r(w.bytes(), {});
        std::string back;
        ASSERT_TRUE(r.readText(back)) << c.length;
        EXPECT_EQ(back, text);
        EXPECT_TRUE(r.atEnd());
    }
}

TEST(ArchiveWriterTest, ClassIndicesFrom7FFFOnUseTheLongKnownClassTag) {
    // "A" takes index 1 and its objects 2 .. 0x7FFD; "B" then takes 0x7FFE (the
    // largest short tag, FFFE, next to the new-class marker), its object 0x7FFF
    // and "C" 0x8000, which needs the long tag.
    ArchiveWriter w;
    w.writeClassTag("A");
    for (int i = 0; i < 0x7FFB; ++i) w.writeClassTag("A");
    w.writeClassTag("B");
    w.writeClassTag("C");
    const size_t start = w.bytes().size();
    w.writeClassTag("A");
    w.writeClassTag("B");
    w.writeClassTag("C");
    EXPECT_EQ(w.bytes().substr(start), hex("0180 FEFF FF7F 00800080"));

    ArchiveReader r(w.bytes(), {"A", "B", "C"});
    std::vector<size_t> ids;
    size_t id = 0;
    while (r.readClassTag(id)) ids.push_back(id);
    EXPECT_TRUE(r.atEnd());
    ASSERT_EQ(ids.size(), 0x7FFBu + 6);
    EXPECT_EQ(std::vector<size_t>(ids.end() - 5, ids.end()), (std::vector<size_t>{1, 2, 0, 1, 2}));
}

TEST(ArchiveReaderTest, CountInTheLongFormIsAccepted) {
    const std::string bytes = hex("FFFF 03000000 0500");
    ArchiveReader r(bytes, {});
    uint32_t a = 0, b = 0;
    ASSERT_TRUE(r.readCount(a));
    ASSERT_TRUE(r.readCount(b));
    EXPECT_EQ(a, 3u);
    EXPECT_EQ(b, 5u);
}

TEST(ArchiveReaderTest, WideTextsBecomeUtf8) {
    // "AB" then e-acute, the euro sign and a pair of surrogates (U+1F600).
    const std::string bytes = hex("FF FEFF 06 4100 4200 E900 AC20 3DD8 00DE");
    ArchiveReader r(bytes, {});
    std::string text;
    ASSERT_TRUE(r.readText(text));
    EXPECT_EQ(text, "AB\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_TRUE(r.atEnd());
}

TEST(ArchiveReaderTest, WideTextLengthsTakeTheLongFormsAndLoneSurrogatesAreReplaced) {
    std::string units;
    for (int i = 0; i < 300; ++i) units += hex("5800");
    const std::string bytes = hex("FF FEFF FF 2C01") + units + hex("FF FEFF 02 00D8 4100");
    ArchiveReader r(bytes, {});
    std::string text;
    ASSERT_TRUE(r.readText(text));
    EXPECT_EQ(text, std::string(300, 'X'));
    ASSERT_TRUE(r.readText(text));
    EXPECT_EQ(text, "?A");
}

TEST(ArchiveReaderTest, TextsReachingPastTheEndAreRefused) {
    for (const std::string& bytes :
         {hex("05 41 42"), hex("FF 2C01 41"), hex("FF FFFF 00000001"), hex("FF FFFF FFFFFFFF"),
          hex("FF FEFF 03 4100 4200"), hex("FF FEFF FF FFFF FFFFFF7F 41"), hex("FF FE"), hex("")}) {
        ArchiveReader r(bytes, {});
        std::string text;
        EXPECT_FALSE(r.readText(text)) << bytes.size();
    }
}

}  // namespace
}  // namespace rs

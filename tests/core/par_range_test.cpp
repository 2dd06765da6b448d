#include "core/par_range.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/test_session.h"

namespace rs {
namespace {

const std::vector<std::string> kOriginal{
    "X:0~377;7", "Y:0~377;7",   "M:0~499,8000~8255;0",           "T:0~255;0",
    "C:0~255;0", "K:0~32767;0", "D:0~7999,8000~8255,9000~9010;2"};

TEST(RangeLineFormat, ParsesOneTwoAndThreeRanges) {
    auto x = parseRangeLine("X:0~377;7");
    ASSERT_TRUE(x);
    EXPECT_EQ(x->letter, 'X');
    ASSERT_EQ(x->ranges.size(), 1u);
    EXPECT_EQ(x->ranges[0].high, 377);
    EXPECT_EQ(x->limit, '7');
    auto d = parseRangeLine("D:0~127,1000~2599,8000~8255;2\r");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->ranges.size(), 3u);
    EXPECT_EQ(d->ranges[2].low, 8000);
    EXPECT_EQ(d->limit, '2');
}

TEST(RangeLineFormat, MalformedLinesDecideNothing) {
    for (const char* bad :
         {"", "X", "X0~377;7", "X:0-377;7", "X:a~377;7", "X:0~;7", "X:~5;7", "M:0~1,2~3,4~5,6~7;0",
          "T:99999999999999999999~1;0", ":0~1;0", "D:0~12,;2"})
        EXPECT_FALSE(parseRangeLine(bad)) << bad;
    EXPECT_EQ(parseRangeLine("K:0~9")->limit, 0);  // no limit field: still a range
}

TEST(RangeCheck, OctalAddressesObeyTheDigitLimitAndTheBounds) {
    EXPECT_TRUE(rangeAccepts("X000", true, kOriginal));
    EXPECT_TRUE(rangeAccepts("X377", true, kOriginal));
    EXPECT_FALSE(rangeAccepts("X008", true, kOriginal));
    EXPECT_FALSE(rangeAccepts("Y400", true, kOriginal));
}

TEST(RangeCheck, MTakesTwoRangesDModeTwoThree) {
    EXPECT_TRUE(rangeAccepts("M499", true, kOriginal));
    EXPECT_FALSE(rangeAccepts("M500", true, kOriginal));
    EXPECT_TRUE(rangeAccepts("M8000", true, kOriginal));
    EXPECT_TRUE(rangeAccepts("D9005", true, kOriginal));
    EXPECT_FALSE(rangeAccepts("D8500", true, kOriginal));
}

TEST(RangeCheck, DataRegistersInModeOneHaveFixedRangesWithoutTheFile) {
    const std::vector<std::string> none;
    EXPECT_TRUE(rangeAccepts("D0", false, none));
    EXPECT_TRUE(rangeAccepts("D47", false, none));
    EXPECT_FALSE(rangeAccepts("D48", false, none));
    EXPECT_FALSE(rangeAccepts("D100", false, none));
    EXPECT_TRUE(rangeAccepts("D8063", false, none));
    EXPECT_FALSE(rangeAccepts("D8064", false, none));
}

TEST(RangeCheck, MalformedDevicesAreRefused) {
    for (const char* bad : {"", "X", "D1234567", "K1A", "T-1", "Q1", "D12345A", "K1.5", "XX"})
        EXPECT_FALSE(rangeAccepts(bad, true, kOriginal)) << bad;
}

TEST(RangeCheck, LettersWithoutALineAreRefused) {
    EXPECT_FALSE(rangeAccepts("P0", true, kOriginal));
    EXPECT_FALSE(rangeAccepts("S0", true, kOriginal));
    EXPECT_TRUE(rangeAccepts("P0", true, {"P:0~63;0"}));
}

TEST(RangeCheck, AMalformedLineIsSkippedAndALaterGoodLineDecides) {
    EXPECT_TRUE(rangeAccepts("T5", true, {"T:x~y;0", "T5", "T:0~9;0"}));
    EXPECT_FALSE(rangeAccepts("T5", true, {"T:x~y;0"}));
}

TEST(RangeFileOnDisk, AMissingFileIsCreatedEmptyAndRefuses) {
    const auto dir = std::filesystem::temp_directory_path() / "rungsmith-missing-range";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    RangeFile f((dir / "ParRange.txt").string());
    EXPECT_FALSE(f.accepts("X000", true));
    EXPECT_TRUE(std::filesystem::exists(dir / "ParRange.txt"));
    EXPECT_EQ(std::filesystem::file_size(dir / "ParRange.txt"), 0u);
    EXPECT_TRUE(f.accepts("D10", false));
}

TEST(RangeFileOnDisk, AnyContentIsReadSafely) {
    std::string junk(100000, 'X');
    junk += "\n:::;;;~~~\nT:0~9";  // a long line, separators only, no final newline
    RangeFile f(test::writeTempRangeFile("junk.txt", junk));
    EXPECT_TRUE(f.accepts("T9", true));
    EXPECT_FALSE(f.accepts("X000", true));
}

TEST(RangeFileOnDisk, TheFileIsReadAtEveryCheck) {
    const std::string path = test::writeTempRangeFile("reread.txt", "T:0~9;0\n");
    RangeFile f(path);
    EXPECT_FALSE(f.accepts("T20", true));
    std::ofstream(path, std::ios::trunc) << "T:0~99;0\n";
    EXPECT_TRUE(f.accepts("T20", true));
}

// The shipped file only admits devices whose numbers fit the controller's code
// words in mode 2.
TEST(ShippedRangeFile, LimitsFollowTheControllerCodeWords) {
    RangeFile f(test::shippedRangeFile());
    for (const char* ok : {"X000",   "X377", "Y377",  "M255",  "M8000", "M8255", "T127",
                           "C127",   "D127", "D1000", "D2599", "D8000", "D8255", "K0",
                           "K32767", "P63",  "I15",   "N7",    "V7",    "Z7",    "H9999"})
        EXPECT_TRUE(f.accepts(ok, true)) << ok;
    for (const char* bad : {"X400", "M256", "M7999", "M8256", "T128", "C128", "D128", "D999",
                            "D2600", "D8256", "K32768", "P64", "S0"})
        EXPECT_FALSE(f.accepts(bad, true)) << bad;
}

}  // namespace
}  // namespace rs

#include "core/device/device_ref.h"

#include <gtest/gtest.h>

#include "core/device/device_address.h"

namespace rs::device {
namespace {

// What each reading makes of one text: nullopt where it names no device,
// otherwise the letter and number it reads.
struct ReadCase {
    const char* text;
    std::optional<std::pair<char, long long>> address, monitor, strict, encoder;
};

constexpr auto none = std::nullopt;
using P = std::pair<char, long long>;

const ReadCase kReads[] = {
    {"X017", P{'X', 17}, P{'X', 17}, P{'X', 17}, P{'X', 15}},
    {"M8000", P{'M', 8000}, P{'M', 8000}, P{'M', 8000}, P{'M', 8000}},
    // Digits past the syntax's count are left unread, or refuse the text.
    {"D12345", P{'D', 1234}, P{'D', 12345}, none, P{'D', 1234}},
    {"M123456", P{'M', 1234}, P{'M', 12345}, none, P{'M', 1234}},
    // Reading stops at a character that is no digit.
    {"D10Z", P{'D', 10}, P{'D', 10}, none, P{'D', 10}},
    {"T", P{'T', 0}, P{'T', 0}, none, P{'T', 0}},
    // The encoder passes over one blank and reads any text with an X or Y
    // in it as three octal digits after its first character.
    {" Y010", P{' ', 0}, P{' ', 0}, none, P{'Y', 8}},
    {"K4Y000", P{'K', 4}, P{'K', 4}, none, P{'K', 4}},
    {"X1234", P{'X', 1234}, P{'X', 1234}, P{'X', 1234}, P{'X', 83}},
    {"X9", P{'X', 9}, P{'X', 9}, P{'X', 9}, P{'X', 9}},
    {"", none, none, none, none},
    {" ", P{' ', 0}, P{' ', 0}, none, none},
};

std::optional<P> read(const char* text, const DeviceSyntax& syntax) {
    const auto ref = parseDevice(text, syntax);
    if (!ref) return std::nullopt;
    return P{ref->letter, ref->number};
}

TEST(DeviceText, EachReadingKeepsItsOwnRule) {
    for (const ReadCase& c : kReads) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(read(c.text, kAddressSyntax), c.address);
        EXPECT_EQ(read(c.text, kMonitorSyntax), c.monitor);
        EXPECT_EQ(read(c.text, kStrictSyntax), c.strict);
        EXPECT_EQ(read(c.text, kEncoderSyntax), c.encoder);
    }
}

TEST(DeviceText, GroupsAndConstants) {
    const auto group = parseGroup("K4M10", kStrictSyntax);
    ASSERT_TRUE(group);
    EXPECT_EQ(group->kind, DeviceRef::Kind::Group);
    EXPECT_EQ(group->groupDigits, 4);
    EXPECT_EQ(group->letter, 'M');
    EXPECT_EQ(group->number, 10);
    EXPECT_FALSE(parseGroup("K4M", kStrictSyntax));
    EXPECT_FALSE(parseGroup("K45", kStrictSyntax));

    struct ConstantCase {
        const char* word;
        std::optional<int32_t> value;
    };
    const ConstantCase constants[] = {
        {"K0", 0},     {"K-32768", -32768}, {"K32767", 32767}, {"K32768", none}, {"K123456", none},
        {"K-", none},  {"K", none},         {"HFFFF", -1},     {"H7f", 127},     {"H10000", none},
        {"H-1", none}, {"KX", none},        {"M1", none},
    };
    for (const ConstantCase& c : constants) {
        SCOPED_TRACE(c.word);
        const auto ref = parseConstant(c.word);
        EXPECT_EQ(ref ? std::optional<int32_t>(ref->value) : std::nullopt, c.value);
    }
    // The lexical shape alone, any length, either case when asked.
    EXPECT_TRUE(constantDigits("k-123456789", true));
    EXPECT_FALSE(constantDigits("k1", false));
    EXPECT_TRUE(constantDigits("hABCDEF12", true));
}

TEST(DeviceText, WordsSplitAndWritten) {
    const DeviceWord w = splitDeviceWord("DX0010Z");
    EXPECT_EQ(w.letters, "DX");
    EXPECT_EQ(w.digits, "0010");
    EXPECT_EQ(w.rest, "Z");
    EXPECT_EQ(withoutLeadingZeros("0010"), "10");
    EXPECT_EQ(withoutLeadingZeros("000"), "0");
    EXPECT_EQ(withoutLeadingZeros(""), "");
    EXPECT_EQ(deviceText('X', 7), "X007");
    EXPECT_EQ(deviceText('M', 8000), "M8000");
    EXPECT_EQ(deviceText('D', 0), "D0");
    EXPECT_EQ(deviceText('X', 7, NumberForm::Bare), "X7");
    EXPECT_EQ(deviceText('Y', 127, NumberForm::Bare), "Y127");
    EXPECT_EQ(deviceText('M', 8000, NumberForm::Bare), deviceText('M', 8000));
}

// Octal numbering: every written X number round-trips, and the address rule
// counts X bits by that value.
TEST(DeviceText, OctalNumberingAgreesWithTheAddressRule) {
    for (int v = 0; v <= 0777; ++v) {
        const int written = octalDigits(v);
        ASSERT_FALSE(hasNonOctalDigit(written));
        ASSERT_EQ(octalValue(written), v);
        ASSERT_EQ(*deviceAddress(deviceText('X', written), AccessKind::Bit), 4608u + v);
    }
    EXPECT_TRUE(hasNonOctalDigit(18));
    EXPECT_FALSE(hasNonOctalDigit(0));
    EXPECT_TRUE(isSpecialNumber(8000));
    EXPECT_FALSE(isSpecialNumber(7999));
}

}  // namespace
}  // namespace rs::device

// Which bytes a device frame may reach, against a second answer found by
// enumerating every device of a letter's area through the address rule.
#include "online/device_reach.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "tests/support/test_session.h"

namespace rs::online {
namespace {

using device::AccessKind;

const DeviceCheck kAnyDevice = [](std::string_view) { return true; };

// Every device number of a letter that lies in its area.
std::vector<long long> areaNumbers(char letter) {
    std::vector<long long> out;
    for (long long n = 0; n <= 9999; ++n)
        if (device::inOwnArea(letter, n)) out.push_back(n);
    return out;
}

// The bytes the letter's devices fill: for bit devices the bytes whose eight
// bits are all the letter's, for the others the bytes a device's value takes.
std::set<uint32_t> ownedBytes(char letter, AccessKind kind) {
    std::set<uint32_t> owned;
    if (kind == AccessKind::Word && letter != 'D') {
        std::map<uint32_t, int> bits;
        for (long long n : areaNumbers(letter))
            ++bits[*device::deviceAddress(letter, static_cast<uint32_t>(n), AccessKind::Bit) / 8];
        for (const auto& [byte, count] : bits)
            if (count == 8) owned.insert(byte);
        return owned;
    }
    for (long long n : areaNumbers(letter)) {
        const uint32_t at = *device::deviceAddress(letter, static_cast<uint32_t>(n), kind);
        const int size = kind == AccessKind::Loop && letter == 'C' && n >= 200 ? 4 : 2;
        for (int i = 0; i < size; ++i) owned.insert(at + static_cast<uint32_t>(i));
    }
    return owned;
}

TEST(DeviceReach, AgreesWithTheAreasTheAddressRuleFills) {
    struct Kind {
        char letter;
        AccessKind kind;
    };
    const Kind kinds[] = {
        {'X', AccessKind::Word}, {'Y', AccessKind::Word}, {'M', AccessKind::Word},
        {'S', AccessKind::Word}, {'T', AccessKind::Word}, {'C', AccessKind::Word},
        {'D', AccessKind::Word}, {'T', AccessKind::Loop}, {'C', AccessKind::Loop}};
    int compared = 0;
    for (const auto& [letter, kind] : kinds) {
        const std::set<uint32_t> owned = ownedBytes(letter, kind);
        for (long long n : areaNumbers(letter)) {
            device::DeviceRef ref;
            ref.letter = letter;
            ref.number = n;
            const uint32_t start = *device::deviceAddress(letter, static_cast<uint32_t>(n), kind);
            int expected = 0;
            while (expected < 32 && owned.count(start + static_cast<uint32_t>(expected)))
                ++expected;
            ASSERT_EQ(reachableBytes(ref, kind, 32, kAnyDevice), expected)
                << letter << n << " kind " << static_cast<int>(kind);
            ++compared;
        }
    }
    EXPECT_GT(compared, 8000);
}

TEST(DeviceReach, RefusesWhatTheRangeFileOrTheAreaRefuses) {
    const RangeFile shipped(test::shippedRangeFile());
    const DeviceCheck ranges = rangeCheck(shipped);
    struct Case {
        const char* text;
        bool reachable;
    };
    const Case cases[] = {
        {"D100", true},   {"D8255", true}, {"D8256", false}, {"D99999", false}, {"D", false},
        {"D 10", false},  {"d5", false},   {"D5 ", false},   {"C999", false},   {"C127", true},
        {"M9999", false}, {"M8000", true}, {"M3072", false}, {"X17", true},     {"X18", false},
        {"Y8", false},    {"Y377", true},  {"Y400", false},  {"T0", true},      {"K10", false},
        {"S0", false},  // the shipped file has no S line
    };
    for (const auto& c : cases)
        EXPECT_EQ(reachableDevice(c.text, ranges).has_value(), c.reachable) << c.text;
    // Past the range file's last D of a block, or past the letter's area.
    const auto d127 = *reachableDevice("D127", ranges);
    EXPECT_EQ(reachableBytes(d127, AccessKind::Word, 4, ranges), 2);
    const auto d8255 = *reachableDevice("D8255", ranges);
    EXPECT_EQ(reachableBytes(d8255, AccessKind::Word, 4, kAnyDevice), 2);  // D8256 is T0's value
    // Current values belong to timers and counters only.
    const auto d100 = *reachableDevice("D100", ranges);
    EXPECT_EQ(reachableBytes(d100, AccessKind::Loop, 2, kAnyDevice), 0);
}

TEST(DeviceReach, NamesTheDeviceAtEachByte) {
    const auto at = [](const char* text, AccessKind kind, int offset) {
        return numberAtByte(*device::parseDevice(text, device::kStrictSyntax), kind, offset);
    };
    EXPECT_EQ(at("X3", AccessKind::Word, 0), 0);
    EXPECT_EQ(at("X3", AccessKind::Word, 2), 20);  // octal digits
    EXPECT_EQ(at("M13", AccessKind::Word, 1), 16);
    EXPECT_EQ(at("D100", AccessKind::Word, 3), 101);
    EXPECT_EQ(at("C200", AccessKind::Loop, 9), 202);
    EXPECT_EQ(at("T5", AccessKind::Loop, 4), 7);
}

}  // namespace
}  // namespace rs::online

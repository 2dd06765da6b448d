#include "online/monitor_text.h"

#include <gtest/gtest.h>

#include <bitset>
#include <set>

#include "core/device/device_address.h"
#include "core/device/device_memory.h"
#include "online/device_reach.h"
#include "tests/support/test_session.h"

namespace rs::online {
namespace {

using Labels = std::vector<std::string>;

const DeviceCheck kAnyDevice = [](std::string_view) { return true; };

// The bytes of the read that belong to the device's letter, as the monitor
// finds them at its start.
int bytesOf(const MonitorDevice& d, MonitorLayout layout, const DeviceCheck& check) {
    const auto ref = device::parseDevice(std::string(1, d.letter) + std::to_string(d.number),
                                         device::kStrictSyntax);
    if (!ref || !d.valid) return 0;
    const auto kind =
        showsCurrentValues(d.letter, layout) ? device::AccessKind::Loop : device::AccessKind::Word;
    return reachableBytes(*ref, kind, 32, check);
}

Labels labelsOf(const char* text, MonitorLayout layout, const DeviceCheck& check = kAnyDevice) {
    const MonitorDevice d = parseMonitorDevice(text);
    return rowLabels(d, layout, bytesOf(d, layout, check));
}

TEST(MonitorRowLabels, NameTheFirstDeviceOfEachRowAndEndWithTheLetter) {
    struct Case {
        const char* device;
        MonitorLayout layout;
        Labels labels;
    };
    const auto B = MonitorLayout::BitOrWord;
    const auto Bit = MonitorLayout::Bit;
    const auto W = MonitorLayout::Word;
    const Case cases[] = {
        {"X0",
         B,
         {"X0", "X20", "X40", "X60", "X100", "X120", "X140", "X160", "X200", "X220", "X240", "X260",
          "X300", "X320", "X340", "X360"}},
        {"Y340", B, {"Y340", "Y360"}},  // Y377 is the last
        {"X3",
         B,
         {"X0", "X20", "X40", "X60", "X100", "X120", "X140", "X160", "X200", "X220", "X240", "X260",
          "X300", "X320", "X340", "X360"}},  // the byte of X0 to X7
        {"X0", Bit, {"X0", "X40", "X100", "X140", "X200", "X240", "X300", "X340"}},
        {"Y50", Bit, {"Y50", "Y110", "Y150", "Y210", "Y250", "Y310", "Y350"}},
        {"X170", W, {"X170"}},  // X370 to X377 fill no word of their own
        {"X200", W, {"X200"}},
        {"D7998", B, {"D7998", "D7999"}},
        {"D7990", Bit, {"D7990", "D7992", "D7994", "D7996", "D7998"}},  // D8000 lies elsewhere
        {"D7990", W, {"D7990", "D7998"}},
        {"M3060", B, {"M3056"}},  // M3072 would be Y0
        {"M2900", W, {"M2896", "M3024"}},
        {"S960", Bit, {"S960", "S992"}},
        {"S800", W, {"S800", "S928"}},
        {"T240", B, {"T240"}},
        {"T200", B, {"T200", "T216", "T232", "T248"}},  // T255 is the last timer
        {"T200", W, {"T200", "T208"}},                  // current values
        {"T250", W, {"T250"}},
        {"C0", W, {"C0", "C8"}},
        {"C196", W, {"C196"}},          // C200 on are 32-bit and lie elsewhere
        {"C200", W, {"C200", "C204"}},  // four 32-bit values a row
        {"C240", Bit, {"C240"}},
        {"Y8", B, {}},  // not an octal digit
        {"K10", B, {}},
        {"", B, {}},
        {"T496", B, {}},  // no such timer
    };
    for (const auto& c : cases)
        EXPECT_EQ(labelsOf(c.device, c.layout), c.labels) << c.device << " " << int(c.layout);
    EXPECT_EQ(labelsOf("D0", B).size(), 16u);
    EXPECT_EQ(parseMonitorDevice("M12345").number, 12345);  // five characters are read
    // With the shipped range file the rows end where its ranges end.
    const RangeFile shipped(test::shippedRangeFile());
    EXPECT_EQ(labelsOf("D120", B, rangeCheck(shipped)).back(), "D127");
    EXPECT_EQ(labelsOf("M240", B, rangeCheck(shipped)), Labels{"M240"});
}

// The bits of each row stand under the devices their label and heading name:
// every device set is found exactly where the table says, and no other.
TEST(MonitorRowLabels, EachBitStandsUnderItsOwnDevice) {
    struct Case {
        const char* start;
        std::vector<const char*> on;
    };
    const Case cases[] = {
        {"X0", {"X10", "X21", "X377", "X0"}},
        {"X3", {"X3", "X7", "X17"}},
        {"M13", {"M13", "M8", "M255"}},
        {"Y200", {"Y200", "Y377", "Y201"}},
        {"S0", {"S0", "S255"}},
        {"C240", {"C250", "C255"}},
        {"T0", {"T1", "T200"}},
    };
    for (const auto& c : cases) {
        device::DeviceMemory memory;
        for (const char* d : c.on)
            memory.setBit(*device::deviceAddress(d, device::AccessKind::Bit), true);
        MonitorView v;
        v.started = true;
        v.device = parseMonitorDevice(c.start);
        v.bytes = bytesOf(v.device, v.layout, kAnyDevice);
        memory.read(*monitorReadAddress(v.device, v.layout), v.data);
        std::set<std::string> found;
        const bool octal = device::isOctalLetter(v.device.letter);
        for (const auto& line : monitorTable(v).lines) {
            std::string bits;
            for (char ch : line[1])
                if (ch != ' ') bits += ch;
            ASSERT_EQ(bits.size(), 16u) << line[1];
            const int first = std::stoi(line[0].substr(1));
            const int base = octal ? device::octalValue(first) : first;
            for (int i = 0; i < 16; ++i)
                if (bits[static_cast<size_t>(15 - i)] == '1') {
                    const int n = octal ? device::octalDigits(base + i) : base + i;
                    found.insert(device::deviceText(v.device.letter, n));
                }
            // The value column is the same word.
            EXPECT_EQ(line[2], std::to_string(std::stoi(bits, nullptr, 2))) << line[0];
        }
        std::set<std::string> expected;
        for (const char* d : c.on)
            if (device::deviceAddress(d, device::AccessKind::Word) >=
                monitorReadAddress(v.device, v.layout))
                expected.insert(device::deviceText(d[0], std::stoi(d + 1)));
        EXPECT_EQ(found, expected) << c.start;
    }
    // A data register's row shows its own bits beside its value.
    MonitorView v;
    v.started = true;
    v.device = parseMonitorDevice("D100");
    v.bytes = 32;
    v.data[0] = 1234 & 0xFF;
    v.data[1] = 1234 >> 8;
    v.data[2] = 5678 & 0xFF;
    v.data[3] = 5678 >> 8;
    const auto t = monitorTable(v);
    EXPECT_EQ(t.lines[1][0], "D101");
    EXPECT_EQ(t.lines[1][1], bitText(5678, MonitorLayout::BitOrWord));
    EXPECT_EQ(t.lines[1][2], "5678");
}

TEST(MonitorBitTexts, SpellTheSixteenBitsOfOneWordMostSignificantFirst) {
    EXPECT_EQ(bitText(0xA5, MonitorLayout::BitOrWord),
              "   0   0   0   0        0   0   0   0        1   0   1   0        0   1   0   1");
    EXPECT_EQ(bitText(0x0001, MonitorLayout::Bit), "0000  0000  0000  0001");
    EXPECT_EQ(bitText(0x8000, MonitorLayout::Bit), "1000  0000  0000  0000");
    // Bits of no device are blanks.
    EXPECT_EQ(bitText(0xFFFF, MonitorLayout::Bit, 8), "            1111  1111");
    // Against the bits written out another way, for words across the range.
    for (uint32_t w = 0; w <= 0xFFFF; w += 97) {
        for (auto layout : {MonitorLayout::BitOrWord, MonitorLayout::Bit}) {
            const std::string text = bitText(static_cast<uint16_t>(w), layout);
            std::string bits;
            for (char ch : text)
                if (ch != ' ') bits += ch;
            EXPECT_EQ(bits, std::bitset<16>(w).to_string()) << w;
            EXPECT_EQ(text.size(), layout == MonitorLayout::BitOrWord ? 79u : 22u);
        }
    }
}

TEST(MonitorValueTexts, ReadWordsLowByteFirstInEachDisplay) {
    MonitorData d{};
    d[0] = 0x05;
    d[1] = 0xA0;
    d[2] = 0xD2;
    d[3] = 0x04;
    d[28] = 0xFE;
    d[29] = 0xFF;
    d[30] = 0xFF;
    d[31] = 0xFF;
    const auto dec16 = valueTexts(d, MonitorDisplay::Int16, MonitorRadix::Dec);
    EXPECT_EQ(dec16[0], "40965");
    EXPECT_EQ(dec16[1], "1234");
    EXPECT_EQ(dec16[15], "65535");
    const auto hex16 = valueTexts(d, MonitorDisplay::Int16, MonitorRadix::Hex);
    EXPECT_EQ(hex16[0], "a005");
    EXPECT_EQ(hex16[1], "04d2");
    EXPECT_EQ(hex16[2], "0000");
    const auto dec32 = valueTexts(d, MonitorDisplay::Int32, MonitorRadix::Dec);
    EXPECT_EQ(dec32[0], std::to_string(0x04D2A005));
    EXPECT_EQ(dec32[1], "");
    EXPECT_EQ(dec32[14], "-2");
    const auto hex32 = valueTexts(d, MonitorDisplay::Int32, MonitorRadix::Hex);
    EXPECT_EQ(hex32[0], "04d2a005");
    EXPECT_EQ(hex32[14], "fffffffe");
    for (auto display : {MonitorDisplay::Real, MonitorDisplay::Ascii})
        for (const auto& text : valueTexts(d, display, MonitorRadix::Dec)) EXPECT_EQ(text, "--");
}

TEST(MonitorBitLayout, StartsAtTheDeviceBitItself) {
    MonitorData d{};
    d[0] = 0b1010'0000;
    d[1] = 0b0000'0011;
    // M13 lies in the byte of M8 to M15 at bit 5; X3 at bit 3.
    EXPECT_EQ(alignedToDevice(d, parseMonitorDevice("M13"))[0], 0b0001'1101);
    EXPECT_EQ(alignedToDevice(d, parseMonitorDevice("M13"))[1], 0);
    EXPECT_EQ(alignedToDevice(d, parseMonitorDevice("X3"))[0], 0b0111'0100);
    EXPECT_EQ(alignedToDevice(d, parseMonitorDevice("M16")), d);
    EXPECT_EQ(alignedToDevice(d, parseMonitorDevice("D3")), d);
    MonitorData top{};
    top[31] = 0xFF;
    EXPECT_EQ(alignedToDevice(top, parseMonitorDevice("Y7"))[31], 0x01);
}

TEST(MonitorTable, LaysOutEachLayout) {
    MonitorView v;
    EXPECT_EQ(monitorTable(v).columns.size(), 2u);  // nothing started yet
    EXPECT_TRUE(monitorTable(v).lines.empty());

    v.started = true;
    v.device = parseMonitorDevice("Y0");
    v.bytes = 32;
    v.data[0] = 0x01;
    MonitorTable t = monitorTable(v);
    ASSERT_EQ(t.columns.size(), 3u);
    EXPECT_EQ(t.columns[1].width, 310);
    ASSERT_EQ(t.lines.size(), 16u);
    EXPECT_EQ(t.lines[0], (std::vector<std::string>{"Y0", bitText(1, v.layout), "1"}));
    EXPECT_TRUE(t.stale);  // nothing confirmed yet

    v.layout = MonitorLayout::Bit;
    t = monitorTable(v);
    EXPECT_EQ(t.lines[0][2], "0000  0000  0000  0001");
    EXPECT_EQ(t.lines[0][1], "0000  0000  0000  0000");

    v.layout = MonitorLayout::Word;
    v.display = MonitorDisplay::Int32;
    t = monitorTable(v);
    ASSERT_EQ(t.columns.size(), 5u);
    EXPECT_EQ(t.columns[4].heading, "+96          +112");
    EXPECT_EQ(t.columns[4].width, 85);
    EXPECT_EQ(t.lines[1][0], "Y200");

    v.device = parseMonitorDevice("D100");
    v.display = MonitorDisplay::Int16;
    v.data[2] = 0xD2;
    v.data[3] = 0x04;
    t = monitorTable(v);
    ASSERT_EQ(t.columns.size(), 9u);
    EXPECT_EQ(t.columns[8].heading, "+7");
    EXPECT_EQ(t.lines[0],
              (std::vector<std::string>{"D100", "1", "1234", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(t.lines[1][0], "D108");

    v.display = MonitorDisplay::Ascii;
    EXPECT_EQ(monitorTable(v).lines[0][3], "--");

    v.layout = MonitorLayout::BitOrWord;
    v.device = parseMonitorDevice("X9");
    t = monitorTable(v);
    EXPECT_EQ(t.columns.size(), 2u);
    EXPECT_TRUE(t.lines.empty());
}

}  // namespace
}  // namespace rs::online

#include "online/monitor_text.h"

#include <gtest/gtest.h>

namespace rs::online {
namespace {

using Labels = std::vector<std::string>;

Labels labelsOf(const char* text, MonitorLayout layout) {
    return rowLabels(parseMonitorDevice(text), layout);
}

TEST(MonitorRowLabels, FollowEachLettersStepAndRange) {
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
        {"Y340", B, {"Y340", "Y360"}},  // 360 is the last
        {"X0", Bit, {"X0", "X40", "X100", "X140", "X200", "X240", "X300", "X340"}},
        {"Y50", Bit, {"Y50", "Y110", "Y150", "Y210", "Y250", "Y310", "Y350"}},
        {"X170", W, {"X170", "X370"}},
        {"X200", W, {"X200"}},
        {"D7998", B, {"D7998", "D7999"}},
        {"D7990", Bit, {"D7990", "D7992", "D7994", "D7996", "D7998", "D8000"}},
        {"D7990", W, {"D7990", "D7998"}},
        {"M3060", B, {"M3060", "M3076"}},
        {"M2900", W, {"M2900", "M3028"}},
        {"S960", Bit, {"S960", "S992"}},
        {"S800", W, {"S800", "S928"}},
        {"T496", B, {"T496", "T504"}},  // T511 is the last timer
        {"C0", W, {"C0", "C128"}},
        {"C240", Bit, {"C240"}},
        {"Y8", B, {}},  // not an octal digit
        {"K10", B, {}},
        {"", B, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(labelsOf(c.device, c.layout), c.labels) << c.device << " " << int(c.layout);
    EXPECT_EQ(labelsOf("D0", B).size(), 16u);
    EXPECT_EQ(labelsOf("M12345", B).front(), "M12345");  // five characters are read
}

TEST(MonitorBitTexts, SpellTheBitsOfOneByteMostSignificantFirst) {
    EXPECT_EQ(bitText(0xA5, 0, MonitorLayout::BitOrWord), "   1   0   1   0        0   1   0   1");
    EXPECT_EQ(bitText(0xA5, 3, MonitorLayout::BitOrWord).size(), 37u);
    EXPECT_EQ(bitText(0x01, 0, MonitorLayout::Bit), "0000  0001");
    EXPECT_EQ(bitText(0x80, 1, MonitorLayout::Bit), "        1000  0000");
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
    v.data[0] = 0x01;
    MonitorTable t = monitorTable(v);
    ASSERT_EQ(t.columns.size(), 3u);
    EXPECT_EQ(t.columns[1].width, 310);
    ASSERT_EQ(t.lines.size(), 16u);
    EXPECT_EQ(t.lines[0], (std::vector<std::string>{"Y0", bitText(1, 0, v.layout), "1"}));

    v.layout = MonitorLayout::Bit;
    t = monitorTable(v);
    EXPECT_EQ(t.lines[0][2], "0000  0001");
    EXPECT_EQ(t.lines[0][1], "        0000  0000");

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

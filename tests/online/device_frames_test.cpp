#include "online/device_frames.h"

#include <gtest/gtest.h>

#include <string>

#include "core/device/device_address.h"
#include "online/device_value.h"
#include "tools/plcsim/controller.h"

namespace rs::online {
namespace {

using device::AccessKind;
using device::deviceAddress;
using device::DeviceMemory;
using device::kDeviceMemoryBytes;

std::string textOf(std::span<const uint8_t> bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// The body between STX and ETX, and whether the sum digits match it.
std::string bodyOf(const DeviceFrame& f) {
    const std::string t = textOf(f.bytes());
    EXPECT_EQ(t.front(), '\x02');
    EXPECT_EQ(t[t.size() - 3], '\x03');
    unsigned sum = 0;
    for (size_t i = 1; i + 2 < t.size(); ++i) sum += static_cast<uint8_t>(t[i]);
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", sum & 0xFF);
    EXPECT_EQ(t.substr(t.size() - 2), digits);
    return t.substr(1, t.size() - 4);
}

constexpr std::array<uint32_t, kWordCount> kWords = {1234, 5678, 0xABCD, 0x10000 + 7,
                                                     9,    10,   11,     12};

TEST(DeviceFrames, CarryTheirFieldsInOrder) {
    struct Case {
        DeviceFrame frame;
        std::string body;
    };
    const Case cases[] = {
        // X17: bit address 0x120F, low byte first.
        {forceFrame(*deviceAddress("X17", AccessKind::Bit), true), "E70F12"},
        {forceFrame(*deviceAddress("M8000", AccessKind::Bit), false), "E8000E"},
        // D100 with L = 4: the first two words, each low byte first.
        {*wordWriteFrame(*deviceAddress("D100", AccessKind::Word), 4, kWords), "E1040C804D2042E16"},
        // An odd count ends with a low byte; only the low 16 bits of a word travel.
        {*wordWriteFrame(0x40C8, 7, kWords), "E1040C807D2042E16CDAB07"},
        {*wordWriteFrame(0x40C8, 0, kWords), "E1040C800"},
        {*wordReadFrame(*deviceAddress("C200", AccessKind::Loop), 4), "E000C0004"},
        {monitorReadFrame(*deviceAddress("Y0", AccessKind::Word)), "E00018020"},
    };
    for (const auto& c : cases) EXPECT_EQ(bodyOf(c.frame), c.body);
    EXPECT_EQ(wordWriteFrame(0, 16, kWords)->size(), 13u + 32u);
    EXPECT_EQ(forceFrame(0, true).size(), 10u);
}

TEST(DeviceFrames, RefuseAByteCountTheWordsCannotFill) {
    for (int count : {-1, 17, 255, 1000}) {
        EXPECT_FALSE(wordWriteFrame(0x40C8, count, kWords).has_value()) << count;
        EXPECT_FALSE(wordReadFrame(0x40C8, count).has_value()) << count;
    }
}

TEST(DeviceFrames, AWordWrittenReadsBackAsWritten) {
    // Against the stand-in, which keeps bytes in the order they arrive.
    plcsim::Controller plc(true);
    const uint32_t d100 = *deviceAddress("D100", AccessKind::Word);
    EXPECT_EQ(plc.receive(wordWriteFrame(d100, 4, kWords)->toVector()), std::vector<uint8_t>{0x06});
    EXPECT_EQ(plc.devices().word(d100), 1234);
    const auto reply = plc.receive(wordReadFrame(d100, 4)->toVector());
    const auto data = readReplyData(reply, 4);
    ASSERT_TRUE(data.has_value());
    EXPECT_EQ(readDescription(*data), "WORD READ 04D2H=1234 162EH=5678");

    // Forced bits show in the monitor's 32 bytes from Y0's word.
    EXPECT_EQ(plc.receive(forceFrame(*deviceAddress("Y0", AccessKind::Bit), true).toVector()),
              std::vector<uint8_t>{0x06});
    EXPECT_EQ(plc.receive(forceFrame(*deviceAddress("Y11", AccessKind::Bit), true).toVector()),
              std::vector<uint8_t>{0x06});
    const auto monitor =
        plc.receive(monitorReadFrame(*deviceAddress("Y0", AccessKind::Word)).toVector());
    ASSERT_EQ(monitor.size(), kMonitorReplyLength);
    const auto bytes = readReplyData(monitor, kMonitorBytes);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ((*bytes)[0], 0x01);
    EXPECT_EQ((*bytes)[1], 0x02);
}

TEST(DeviceFrames, ReadRepliesAreCheckedBeforeTheirDataCount) {
    plcsim::Controller plc(true);
    ASSERT_TRUE(applyDeviceSetting(plc.devices(), "D0=0x1234"));
    std::vector<uint8_t> reply = plc.receive(wordReadFrame(16384, 2)->toVector());
    EXPECT_EQ(readDescription(*readReplyData(reply, 2)), "WORD READ 1234H=4660");
    EXPECT_FALSE(readReplyData(reply, 3).has_value());  // shorter than asked
    std::vector<uint8_t> wrong = reply;
    wrong[1] = '9';
    EXPECT_FALSE(readReplyData(wrong, 2).has_value());  // sum differs
    wrong = reply;
    wrong[0] = 0x06;
    EXPECT_FALSE(readReplyData(wrong, 2).has_value());
    EXPECT_EQ(readDescription(std::vector<uint8_t>{0x34, 0x12, 0xFF}),
              "WORD READ 1234H=4660 00FFH=255");
}

TEST(DeviceValue, SetsEachKindOfDeviceWhereTheAddressRulePutsIt) {
    DeviceMemory m;
    for (const char* s : {"Y0=1", "X17=1", "M8000=1", "S5=1", "D100=1234", "D8000=-1", "T5=300",
                          "C10=0x7FFF", "C200=0x12345678"})
        EXPECT_TRUE(applyDeviceSetting(m, s)) << s;
    EXPECT_TRUE(m.bit(3072));
    EXPECT_TRUE(m.bit(4623));
    EXPECT_TRUE(m.bit(3584));
    EXPECT_TRUE(m.bit(5125));
    EXPECT_EQ(m.word(0x40C8), 1234);
    EXPECT_EQ(m.word(3584), 0xFFFF);
    EXPECT_EQ(m.word(4106), 300);
    EXPECT_EQ(m.word(2580), 0x7FFF);
    EXPECT_EQ(m.dword(3072), 0x12345678u);
    EXPECT_TRUE(applyDeviceSetting(m, "Y0=0"));
    EXPECT_FALSE(m.bit(3072));
}

TEST(DeviceValue, RefusesWhatTheDeviceCannotHold) {
    DeviceMemory m;
    for (const char* s : {"Y8=1", "X0=2", "D100=65536", "D100=-32769", "Z1=1", "d1=1", "D=1", "D1",
                          "D1=", "D1=12x", "D12345=1", "T1=0x", "C10=70000"})
        EXPECT_FALSE(applyDeviceSetting(m, s)) << s;
    std::array<uint8_t, 64> none{};
    std::array<uint8_t, 64> seen{};
    for (uint32_t at = 0; at < kDeviceMemoryBytes; at += 64) {
        m.read(at, seen);
        ASSERT_EQ(seen, none) << at;
    }
}

}  // namespace
}  // namespace rs::online

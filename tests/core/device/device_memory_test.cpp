#include "core/device/device_memory.h"

#include <gtest/gtest.h>

#include <vector>

namespace rs::device {
namespace {

TEST(DeviceMemory, BitsLiveInTheirBytesLowBitFirst) {
    DeviceMemory m;
    m.setBit(4623, true);  // X17
    EXPECT_EQ(m.byte(577), 0x80);
    EXPECT_TRUE(m.bit(4623));
    m.setBit(4616, true);
    m.setBit(4623, false);
    EXPECT_EQ(m.byte(577), 0x01);
}

TEST(DeviceMemory, WordsAreLowByteFirst) {
    DeviceMemory m;
    m.setWord(0x40C8, 1234);
    EXPECT_EQ(m.byte(0x40C8), 0xD2);
    EXPECT_EQ(m.byte(0x40C9), 0x04);
    m.setDword(100, 0x12345678u);
    EXPECT_EQ(m.word(100), 0x5678);
    EXPECT_EQ(m.word(102), 0x1234);
    EXPECT_EQ(m.dword(100), 0x12345678u);
}

TEST(DeviceMemory, NothingReachesPastTheImage) {
    DeviceMemory m;
    m.setWord(kDeviceMemoryBytes - 1, 0xABCD);  // only the low byte fits
    EXPECT_EQ(m.byte(kDeviceMemoryBytes - 1), 0xCD);
    EXPECT_EQ(m.word(kDeviceMemoryBytes - 1), 0x00CD);
    m.setBit(kDeviceMemoryBytes * 8, true);
    EXPECT_FALSE(m.bit(kDeviceMemoryBytes * 8));

    std::vector<uint8_t> data(8, 0x5A);
    m.write(kDeviceMemoryBytes - 2, data);
    std::vector<uint8_t> back(8, 0xFF);
    m.read(kDeviceMemoryBytes - 2, back);
    EXPECT_EQ(back, (std::vector<uint8_t>{0x5A, 0x5A, 0, 0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace rs::device

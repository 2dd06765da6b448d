#include "core/device/device_address.h"

#include <gtest/gtest.h>

namespace rs::device {
namespace {

struct AddressCase {
    const char* text;
    AccessKind kind;
    uint32_t address;
};

// One row per line of the address table, plus the edges of each rule.
const AddressCase kCases[] = {
    {"S0", AccessKind::Bit, 5120},
    {"S17", AccessKind::Word, 642},
    {"X17", AccessKind::Bit, 4623},
    {"X17", AccessKind::Word, 577},
    {"Y0", AccessKind::Bit, 3072},
    {"Y8", AccessKind::Bit, 3080},
    {"Y177", AccessKind::Word, 399},
    {"X1017", AccessKind::Bit, 4623},
    {"T5", AccessKind::Bit, 4101},
    {"T5", AccessKind::Word, 512},
    {"T5", AccessKind::Loop, 4106},
    {"M7999", AccessKind::Bit, 7999},
    {"M7999", AccessKind::Word, 999},
    {"M8000", AccessKind::Bit, 3584},
    {"M8000", AccessKind::Word, 448},
    {"C10", AccessKind::Bit, 3850},
    {"C199", AccessKind::Loop, 2958},
    {"C200", AccessKind::Loop, 3072},
    {"C200", AccessKind::Word, 505},
    {"D100", AccessKind::Word, 0x40C8},
    {"D7999", AccessKind::Word, 32382},
    {"D8000", AccessKind::Word, 3584},
    {"D0", AccessKind::Bit, 0},
    {"X0", AccessKind::Loop, 0},
    {"D12345", AccessKind::Word, 2 * 1234 + 16384},  // four digits are read
    {"M12x", AccessKind::Bit, 12},                   // reading stops at a non-digit
    {"M", AccessKind::Bit, 0},
};

TEST(DeviceAddress, FollowsTheTableForEveryLetterAndAccessKind) {
    for (const auto& c : kCases) {
        EXPECT_EQ(deviceAddress(c.text, c.kind), c.address) << c.text << " kind " << int(c.kind);
    }
}

TEST(DeviceAddress, RefusesLettersOutsideTheTable) {
    for (const char* text : {"", "x0", "K10", "Z0", "H1", "d100", " D0"}) {
        EXPECT_FALSE(deviceAddress(text, AccessKind::Word).has_value()) << text;
    }
}

TEST(DeviceAddress, BitAndWordAddressesOfBitDevicesAgree) {
    // The word holding a bit device is the byte that holds its bit.
    for (const char* text : {"S7", "X27", "Y105", "T99", "M4000", "M8100", "C63"}) {
        EXPECT_EQ(*deviceAddress(text, AccessKind::Bit) / 8, *deviceAddress(text, AccessKind::Word))
            << text;
    }
}

}  // namespace
}  // namespace rs::device

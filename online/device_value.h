#pragma once

#include <optional>
#include <string_view>

#include "core/device/device_memory.h"

namespace rs::online {

// One device set to a value in the device memory, as the stand-in's
// "--set DEVICE=VALUE" gives it: a bit device (S, X, Y, M) takes 0 or 1 into
// its bit; a timer or counter takes its current value (a 16-bit word, a 32-bit
// one for C200 and above); D takes a word. The device text is a letter and
// digits only (octal digits for X and Y), the value decimal or, after "0x",
// hexadecimal, negative values as their two's complement. False, and nothing
// stored, for a text or value the device cannot hold.
bool setDeviceValue(device::DeviceMemory& memory, std::string_view device, long long value);

// "DEVICE=VALUE" as above.
bool applyDeviceSetting(device::DeviceMemory& memory, std::string_view assignment);

}  // namespace rs::online

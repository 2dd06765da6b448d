#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "core/device/device_address.h"
#include "core/device/device_ref.h"
#include "core/par_range.h"

// Which devices a device frame may reach. The address rule maps a device text
// onto the memory image without asking whether the number belongs to the
// letter: D8256 lands on T0's current value, C999 in the X inputs. A frame is
// built only for devices that pass these checks, so that it reaches the
// devices it names and no others.
namespace rs::online {

// The device range check the devices must pass.
using DeviceCheck = std::function<bool(std::string_view device)>;
// The range file's check. Device frames are those of mode 2, so the range
// file decides as it does for mode 2.
DeviceCheck rangeCheck(const RangeFile& ranges);

// The device a frame names: the letter and one to four digits, nothing else,
// accepted by the check, and inside its own letter's area of the image.
std::optional<device::DeviceRef> reachableDevice(std::string_view text, const DeviceCheck& accepts);

// How many bytes, of the `bytes` from the device's address on, hold devices
// of its own letter that pass the checks, counted from the first byte until
// one does not. Word access: bit devices eight to a byte, D two bytes each;
// loop access (current values): T and C below 200 two bytes each, C200 up
// four. 0 when the device itself does not pass, and for loop access of any
// letter but T and C.
int reachableBytes(const device::DeviceRef& first, device::AccessKind kind, int bytes,
                   const DeviceCheck& accepts);

// The device whose data begin at byte `offset` of a read from the device's
// address (word or loop access): for bit devices the first bit of that byte.
// X and Y numbers are written in octal digits.
long long numberAtByte(const device::DeviceRef& first, device::AccessKind kind, int offset);

}  // namespace rs::online

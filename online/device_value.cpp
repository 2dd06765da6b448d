#include "online/device_value.h"

#include <charconv>
#include <string>

#include "core/device/device_address.h"
#include "core/device/device_ref.h"

namespace rs::online {

namespace {

bool wellFormed(std::string_view text) {
    const auto ref = device::parseDevice(text, device::kStrictSyntax);
    return ref && device::isAddressableLetter(ref->letter) &&
           !(device::isOctalLetter(ref->letter) && device::hasNonOctalDigit(ref->number));
}

bool fits(long long value, int bits) {
    const long long top = 1LL << bits;
    return value >= -(top / 2) && value < top;
}

}  // namespace

bool setDeviceValue(device::DeviceMemory& memory, std::string_view device, long long value) {
    if (!wellFormed(device)) return false;
    const char letter = device[0];
    if (letter == 'S' || letter == 'X' || letter == 'Y' || letter == 'M') {
        if (value != 0 && value != 1) return false;
        memory.setBit(*device::deviceAddress(device, device::AccessKind::Bit), value == 1);
        return true;
    }
    if (letter == 'C' && std::stoi(std::string(device.substr(1))) >= 200) {
        if (!fits(value, 32)) return false;
        memory.setDword(*device::deviceAddress(device, device::AccessKind::Loop),
                        static_cast<uint32_t>(value));
        return true;
    }
    if (!fits(value, 16)) return false;
    const device::AccessKind kind =
        letter == 'D' ? device::AccessKind::Word : device::AccessKind::Loop;
    memory.setWord(*device::deviceAddress(device, kind), static_cast<uint16_t>(value));
    return true;
}

bool applyDeviceSetting(device::DeviceMemory& memory, std::string_view assignment) {
    const size_t eq = assignment.find('=');
    if (eq == std::string_view::npos) return false;
    std::string_view text = assignment.substr(eq + 1);
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) text.remove_prefix(1);
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return false;
    return setDeviceValue(memory, assignment.substr(0, eq), negative ? -value : value);
}

}  // namespace rs::online

#include "online/device_value.h"

#include <charconv>
#include <string>

#include "online/device_address.h"

namespace rs::online {

namespace {

bool wellFormed(std::string_view device) {
    if (device.size() < 2 || device.size() > 5 || !isAddressableLetter(device[0])) return false;
    const char highest = device[0] == 'X' || device[0] == 'Y' ? '7' : '9';
    for (size_t i = 1; i < device.size(); ++i)
        if (device[i] < '0' || device[i] > highest) return false;
    return true;
}

bool fits(long long value, int bits) {
    const long long top = 1LL << bits;
    return value >= -(top / 2) && value < top;
}

}  // namespace

bool setDeviceValue(DeviceMemory& memory, std::string_view device, long long value) {
    if (!wellFormed(device)) return false;
    const char letter = device[0];
    if (letter == 'S' || letter == 'X' || letter == 'Y' || letter == 'M') {
        if (value != 0 && value != 1) return false;
        memory.setBit(*deviceAddress(device, AccessKind::Bit), value == 1);
        return true;
    }
    if (letter == 'C' && std::stoi(std::string(device.substr(1))) >= 200) {
        if (!fits(value, 32)) return false;
        memory.setDword(*deviceAddress(device, AccessKind::Loop), static_cast<uint32_t>(value));
        return true;
    }
    if (!fits(value, 16)) return false;
    const AccessKind kind = letter == 'D' ? AccessKind::Word : AccessKind::Loop;
    memory.setWord(*deviceAddress(device, kind), static_cast<uint16_t>(value));
    return true;
}

bool applyDeviceSetting(DeviceMemory& memory, std::string_view assignment) {
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

#include "comm/hex.h"

#include <cstdio>

namespace rs {

uint8_t HexDigit(uint32_t value) {
    if (value > 15) return 0xFF;
    return static_cast<uint8_t>(value < 10 ? '0' + value : 'A' + (value - 10));
}

uint8_t HexValue(uint8_t digit) {
    if (digit >= '0' && digit <= '9') return static_cast<uint8_t>(digit - '0');
    if (digit >= 'A' && digit <= 'F') return static_cast<uint8_t>(digit - 'A' + 10);
    return 255;
}

std::string hexWord(uint16_t word) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", word);
    return text;
}

}  // namespace rs

#include "online/device_address.h"

namespace rs::online {

namespace {

// The decimal value of up to four digits after the letter.
uint32_t deviceNumber(std::string_view text) {
    uint32_t n = 0;
    for (size_t i = 1; i < text.size() && i <= 4; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') break;
        n = n * 10 + static_cast<uint32_t>(c - '0');
    }
    return n;
}

// X and Y numbers: three octal digits written in decimal.
uint32_t octalDigits(uint32_t n) {
    return (n % 1000) / 100 * 64 + (n % 100) / 10 * 8 + n % 10;
}

uint32_t bitAddress(char letter, uint32_t n) {
    switch (letter) {
        case 'S':
            return n + 5120;
        case 'X':
            return octalDigits(n) + 4608;
        case 'Y':
            return octalDigits(n) + 3072;
        case 'T':
            return n + 4096;
        case 'M':
            return n <= 7999 ? n : n - 4416;
        case 'C':
            return n + 3840;
        default:
            return 0;  // D has no bit address
    }
}

uint32_t wordAddress(char letter, uint32_t n) {
    switch (letter) {
        case 'S':
            return n / 8 + 640;
        case 'X':
            return octalDigits(n) / 8 + 576;
        case 'Y':
            return octalDigits(n) / 8 + 384;
        case 'T':
            return n / 8 + 512;
        case 'M':
            return n <= 7999 ? n / 8 : (n - 8000) / 8 + 448;
        case 'C':
            return n / 8 + 480;
        case 'D':
            return n <= 7999 ? 2 * n + 16384 : 2 * n - 12416;
        default:
            return 0;
    }
}

uint32_t loopAddress(char letter, uint32_t n) {
    switch (letter) {
        case 'T':
            return 2 * n + 4096;
        case 'C':
            return n < 200 ? 2 * n + 2560 : 4 * n + 2272;
        default:
            return 0;
    }
}

}  // namespace

bool isAddressableLetter(char letter) {
    switch (letter) {
        case 'S':
        case 'X':
        case 'Y':
        case 'T':
        case 'M':
        case 'C':
        case 'D':
            return true;
        default:
            return false;
    }
}

std::optional<uint32_t> deviceAddress(std::string_view text, AccessKind kind) {
    if (text.empty() || !isAddressableLetter(text[0])) return std::nullopt;
    const char letter = text[0];
    const uint32_t n = deviceNumber(text);
    switch (kind) {
        case AccessKind::Bit:
            return bitAddress(letter, n);
        case AccessKind::Word:
            return wordAddress(letter, n);
        case AccessKind::Loop:
            return loopAddress(letter, n);
    }
    return 0u;
}

}  // namespace rs::online

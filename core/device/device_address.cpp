#include "core/device/device_address.h"

#include "core/device/device_ref.h"

namespace rs::device {

namespace {

// The last device of each letter's area.
constexpr long long kLastOctalNumber = 377;     // X377, Y377: 256 inputs, 256 outputs
constexpr long long kLastRelay = 3071;          // M3071; M3072's bit is Y0's
constexpr long long kLastSpecialNumber = 8255;  // M8255, D8255; D8256 is T0's value
constexpr long long kLastStepRelay = 1023;      // S's 1024 bits from bit 5120
constexpr long long kLastTimerCounter = 255;

// X and Y numbers: three octal digits written in decimal.
uint32_t octal(uint32_t n) {
    return static_cast<uint32_t>(octalValue(static_cast<int>(n)));
}

uint32_t bitAddress(char letter, uint32_t n) {
    switch (letter) {
        case 'S':
            return n + 5120;
        case 'X':
            return octal(n) + 4608;
        case 'Y':
            return octal(n) + 3072;
        case 'T':
            return n + 4096;
        case 'M':
            return isSpecialNumber(n) ? n - 4416 : n;
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
            return octal(n) / 8 + 576;
        case 'Y':
            return octal(n) / 8 + 384;
        case 'T':
            return n / 8 + 512;
        case 'M':
            return isSpecialNumber(n) ? (n - kFirstSpecialNumber) / 8 + 448 : n / 8;
        case 'C':
            return n / 8 + 480;
        case 'D':
            return isSpecialNumber(n) ? 2 * n - 12416 : 2 * n + 16384;
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

bool inOwnArea(char letter, long long n) {
    if (n < 0) return false;
    const bool special = isSpecialNumber(n) && n <= kLastSpecialNumber;
    switch (letter) {
        case 'X':
        case 'Y':
            return !hasNonOctalDigit(n) && n <= kLastOctalNumber;
        case 'M':
            return n <= kLastRelay || special;
        case 'S':
            return n <= kLastStepRelay;
        case 'T':
        case 'C':
            return n <= kLastTimerCounter;
        case 'D':
            return n < kFirstSpecialNumber || special;
        default:
            return false;
    }
}

std::optional<uint32_t> deviceAddress(std::string_view text, AccessKind kind) {
    if (text.empty()) return std::nullopt;
    return deviceAddress(text[0], static_cast<uint32_t>(parseDevice(text, kAddressSyntax)->number),
                         kind);
}

std::optional<uint32_t> deviceAddress(char letter, uint32_t n, AccessKind kind) {
    if (!isAddressableLetter(letter)) return std::nullopt;
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

}  // namespace rs::device

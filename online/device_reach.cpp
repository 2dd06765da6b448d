#include "online/device_reach.h"

namespace rs::online {

namespace {

using device::AccessKind;

bool passes(char letter, long long number, const DeviceCheck& accepts) {
    return device::inOwnArea(letter, number) && accepts(device::deviceText(letter, number));
}

// A bit device's number as a count of bits (octal digits read for X and Y).
long long bitCount(char letter, long long number) {
    return device::isOctalLetter(letter) ? device::octalValue(static_cast<int>(number)) : number;
}
long long writtenNumber(char letter, long long count) {
    return device::isOctalLetter(letter) ? device::octalDigits(static_cast<int>(count)) : count;
}

// Bytes a device's data take: 0 for bit devices (eight share a byte).
int bytesPerDevice(const device::DeviceRef& d, AccessKind kind) {
    if (kind == AccessKind::Word) return d.letter == 'D' ? 2 : 0;
    return d.letter == 'C' && d.number >= 200 ? 4 : 2;
}

std::optional<uint32_t> addressOf(char letter, long long number, AccessKind kind) {
    return device::deviceAddress(letter, static_cast<uint32_t>(number), kind);
}

}  // namespace

DeviceCheck rangeCheck(const RangeFile& ranges) {
    return [&ranges](std::string_view device) { return ranges.accepts(device, true); };
}

std::optional<device::DeviceRef> reachableDevice(std::string_view text,
                                                 const DeviceCheck& accepts) {
    const auto ref = device::parseDevice(text, device::kStrictSyntax);
    if (!ref || !device::isAddressableLetter(ref->letter)) return std::nullopt;
    if (!device::inOwnArea(ref->letter, ref->number) || !accepts(text)) return std::nullopt;
    return ref;
}

long long numberAtByte(const device::DeviceRef& first, AccessKind kind, int offset) {
    const int size = bytesPerDevice(first, kind);
    if (size > 0) return first.number + offset / size;
    const long long start = bitCount(first.letter, first.number);
    return writtenNumber(first.letter, start - start % 8 + 8LL * offset);
}

int reachableBytes(const device::DeviceRef& first, AccessKind kind, int bytes,
                   const DeviceCheck& accepts) {
    if (kind == AccessKind::Loop && first.letter != 'T' && first.letter != 'C') return 0;
    if (!passes(first.letter, first.number, accepts)) return 0;
    const auto start = addressOf(first.letter, first.number, kind);
    if (!start) return 0;
    const bool bits = bytesPerDevice(first, kind) == 0;
    for (int k = 0; k < bytes; ++k) {
        // The first and (for bit devices) the last device of byte k must be
        // the letter's and lie exactly k bytes on.
        const long long at = k == 0 ? first.number : numberAtByte(first, kind, k);
        long long last = at;
        if (bits)
            last = writtenNumber(first.letter,
                                 bitCount(first.letter, numberAtByte(first, kind, k)) + 7);
        for (long long n : {at, last}) {
            const auto a = addressOf(first.letter, n, kind);
            const long long expected =
                static_cast<long long>(*start) + k - (bits ? 0 : (k % bytesPerDevice(first, kind)));
            if (!passes(first.letter, n, accepts) || !a || static_cast<long long>(*a) != expected)
                return k;
        }
    }
    return bytes;
}

}  // namespace rs::online

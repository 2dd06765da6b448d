#include "comm/frames.h"

#include <algorithm>

#include "comm/hex.h"

namespace rs::frame {

void appendHex(Bytes& out, uint32_t value, int digits) {
    for (int d = digits - 1; d >= 0; --d) out.push_back(HexDigit((value >> (4 * d)) & 0xF));
}

uint8_t mode1Check(uint8_t function, uint16_t address, uint16_t data) {
    const uint32_t sum =
        0x01u + function + (address >> 8) + (address & 0xFFu) + (data >> 8) + (data & 0xFFu);
    return static_cast<uint8_t>((256 - (sum & 0xFF)) & 0xFF);
}

void applyMode2Sum(Bytes& frame) {
    if (frame.size() < 3) return;
    uint32_t sum = 0;
    for (size_t i = 1; i + 2 < frame.size(); ++i) sum += frame[i];
    frame[frame.size() - 2] = HexDigit((sum >> 4) & 0xF);
    frame[frame.size() - 1] = HexDigit(sum & 0xF);
}

bool travelsPlain(uint16_t word, int prev1, int prev2) {
    return word >= 0xE000 || prev1 == 0xF0FC || prev1 == 0xF0FD || prev1 == 0xF009 ||
           prev2 == 0xF000 || prev2 == 0xF001 || prev2 == 0xF009;
}

uint16_t regroup(uint16_t d) {
    return static_cast<uint16_t>(((d >> 12) << 12) | ((d & 7) << 8) | (((d >> 7) & 15) << 4) |
                                 ((d >> 3) & 15));
}

uint16_t ungroup(uint16_t v) {
    const uint32_t h1 = v >> 12, h2 = (v >> 8) & 15, h3 = (v >> 4) & 15, h4 = v & 15;
    return static_cast<uint16_t>(h1 * 4096 + (h2 & 7) + h3 * 128 + h4 * 8);
}

uint16_t transmittedValue(const uint16_t* code, int index) {
    const uint16_t d = code[index];
    const int prev1 = index >= 1 ? code[index - 1] : -1;
    const int prev2 = index >= 2 ? code[index - 2] : -1;
    return travelsPlain(d, prev1, prev2) ? d : regroup(d);
}

namespace {
Bytes mode1Frame(uint8_t function, int index, uint16_t data, bool lineFeed) {
    const auto address = static_cast<uint16_t>(kWordBaseAddress + static_cast<uint32_t>(index));
    Bytes f{':', '0', '1', '0', static_cast<uint8_t>('0' + function)};
    appendHex(f, address, 4);
    appendHex(f, data, 4);
    appendHex(f, mode1Check(function, address, data), 2);
    f.push_back(CR);
    if (lineFeed) f.push_back(LF);
    return f;
}
}  // namespace

Bytes wordWrite(int index, uint16_t transmitted) {
    return mode1Frame(6, index, transmitted, true);
}
Bytes wordRead(int index) {
    return mode1Frame(3, index, 0x0001, false);
}

Bytes enquiry() {
    return {ENQ};
}
Bytes statusRead() {
    return {STX, '0', '0', 'E', '0', '2', '0', '2', ETX, '6', 'C'};
}
Bytes forceOnE7() {
    return {STX, 'E', '7', '7', '6', '0', 'E', ETX, '6', '1'};
}
Bytes forceOffE8() {
    return {STX, 'E', '8', '7', '6', '0', 'E', ETX, '6', '2'};
}
Bytes finish() {
    return {STX, 'B', ETX, '4', '5'};
}

Bytes blockWrite(int block, const uint16_t* words, int n) {
    Bytes f{STX, 'E', '1'};
    appendHex(f, kBlockBaseAddress + 64u * static_cast<uint32_t>(block), 5);
    appendHex(f, 2u * static_cast<uint32_t>(n), 2);
    for (int i = 0; i < n; ++i) appendHex(f, words[i], 4);
    f.push_back(ETX);
    f.push_back('0');
    f.push_back('0');
    applyMode2Sum(f);
    return f;
}

Bytes codeRead(int first, int n) {
    Bytes f{STX, 'E', '0'};
    appendHex(f, kBlockBaseAddress + 2u * static_cast<uint32_t>(first), 5);
    appendHex(f, 2u * static_cast<uint32_t>(n), 2);
    f.push_back(ETX);
    f.push_back('0');
    f.push_back('0');
    applyMode2Sum(f);
    return f;
}

std::optional<std::vector<uint16_t>> codeReplyWords(const uint8_t* r, size_t size, int n) {
    if (n < 0 || size != static_cast<size_t>(codeReplyLength(n)) || r[0] != STX ||
        r[size - 3] != ETX)
        return std::nullopt;
    Bytes check(r, r + size);
    applyMode2Sum(check);
    if (!std::equal(check.begin(), check.end(), r)) return std::nullopt;
    std::vector<uint16_t> words;
    words.reserve(static_cast<size_t>(n));
    for (int w = 0; w < n; ++w) {
        uint32_t v = 0;
        for (int i = 1 + 4 * w; i <= 4 + 4 * w; ++i) {
            const uint8_t h = HexValue(r[i]);
            if (h > 15) return std::nullopt;
            v = v * 16 + h;
        }
        words.push_back(static_cast<uint16_t>(v));
    }
    return words;
}

std::optional<uint16_t> replyDigits(const uint8_t* r, size_t size) {
    if (size < static_cast<size_t>(kWordReplyLength) || r[0] != STX) return std::nullopt;
    uint32_t sum = 0;
    for (int i = 1; i <= 5; ++i) sum += r[i];
    if (r[6] != HexDigit((sum >> 4) & 0xF) || r[7] != HexDigit(sum & 0xF)) return std::nullopt;
    uint32_t v = 0;
    for (int i = 1; i <= 4; ++i) {
        const uint8_t h = HexValue(r[i]);
        if (h > 15) return std::nullopt;
        v = v * 16 + h;
    }
    return static_cast<uint16_t>(v);
}

}  // namespace rs::frame

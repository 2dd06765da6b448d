#include "online/device_frames.h"

#include <cstdio>
#include <string>

#include "comm/frames.h"
#include "comm/hex.h"

namespace rs::online {

bool DeviceFrame::push(uint8_t byte) {
    if (m_size >= m_bytes.size()) return false;
    m_bytes[m_size++] = byte;
    return true;
}

void DeviceFrame::pushHex(uint32_t value, int digits) {
    for (int i = digits - 1; i >= 0; --i) push(HexDigit((value >> (4 * i)) & 15));
}

void DeviceFrame::close() {
    push(frame::ETX);
    uint32_t sum = 0;
    for (size_t i = 1; i < m_size; ++i) sum += m_bytes[i];
    pushHex(sum & 0xFF, 2);
}

namespace {

DeviceFrame start(char c0, char c1) {
    DeviceFrame f;
    f.push(frame::STX);
    f.push(static_cast<uint8_t>(c0));
    f.push(static_cast<uint8_t>(c1));
    return f;
}

bool validCount(int byteCount) {
    return byteCount >= 0 && byteCount <= kMaxWordBytes;
}

}  // namespace

DeviceFrame forceFrame(uint32_t bitAddress, bool on) {
    DeviceFrame f = start('E', on ? '7' : '8');
    f.pushHex(bitAddress & 0xFF, 2);
    f.pushHex((bitAddress >> 8) & 0xFF, 2);
    f.close();
    return f;
}

std::vector<uint8_t> wordBytes(std::span<const uint32_t, kWordCount> words, int byteCount) {
    std::vector<uint8_t> out;
    for (int i = 0; i < byteCount && i < 2 * kWordCount; ++i) {
        const uint32_t word = words[static_cast<size_t>(i / 2)];
        out.push_back(static_cast<uint8_t>(i % 2 == 0 ? word & 0xFF : (word >> 8) & 0xFF));
    }
    return out;
}

std::optional<DeviceFrame> wordWriteFrame(uint32_t address, int byteCount,
                                          std::span<const uint32_t, kWordCount> words) {
    if (!validCount(byteCount)) return std::nullopt;
    DeviceFrame f = start('E', '1');
    f.push('0');
    f.pushHex(address & 0xFFFF, 4);
    f.pushHex(static_cast<uint32_t>(byteCount), 2);
    for (uint8_t b : wordBytes(words, byteCount)) f.pushHex(b, 2);
    f.close();
    return f;
}

std::optional<DeviceFrame> wordReadFrame(uint32_t address, int byteCount) {
    if (!validCount(byteCount)) return std::nullopt;
    DeviceFrame f = start('E', '0');
    f.push('0');
    f.pushHex(address & 0xFFFF, 4);
    f.pushHex(static_cast<uint32_t>(byteCount), 2);
    f.close();
    return f;
}

DeviceFrame monitorReadFrame(uint32_t address) {
    DeviceFrame f = start('E', '0');
    f.push('0');
    f.pushHex(address & 0xFFFF, 4);
    f.pushHex(kMonitorBytes, 2);
    f.close();
    return f;
}

std::optional<std::vector<uint8_t>> readReplyData(std::span<const uint8_t> reply, int byteCount) {
    if (byteCount < 0) return std::nullopt;
    const size_t digits = 2 * static_cast<size_t>(byteCount);
    if (reply.size() < digits + 4 || reply[0] != frame::STX || reply[digits + 1] != frame::ETX)
        return std::nullopt;
    uint32_t sum = 0;
    for (size_t i = 1; i <= digits + 1; ++i) sum += reply[i];
    if (reply[digits + 2] != HexDigit((sum & 0xFF) >> 4) || reply[digits + 3] != HexDigit(sum & 15))
        return std::nullopt;
    std::vector<uint8_t> data;
    for (size_t k = 0; k < static_cast<size_t>(byteCount); ++k) {
        const uint8_t high = HexValue(reply[2 * k + 1]);
        const uint8_t low = HexValue(reply[2 * k + 2]);
        if (high > 15 || low > 15) return std::nullopt;
        data.push_back(static_cast<uint8_t>(high * 16 + low));
    }
    return data;
}

std::string readDescription(std::span<const uint8_t> data) {
    std::string text = "WORD READ";
    for (size_t i = 0; i < data.size(); i += 2) {
        const unsigned word = data[i] | (i + 1 < data.size() ? data[i + 1] << 8 : 0);
        char buf[24];
        std::snprintf(buf, sizeof buf, " %04XH=%u", word, word);
        text += buf;
    }
    return text;
}

}  // namespace rs::online

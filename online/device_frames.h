#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/limits.h"

// The frames of the device test and the batch monitor, in the mode-2 dialect:
// STX, command, fields as upper-case hex digits, ETX, and the 8-bit sum of the
// bytes after STX up to and including ETX as two hex digits.
namespace rs::online {

constexpr int kWordCount = 8;      // data words of a word write
constexpr int kMaxWordBytes = 16;  // the largest byte count L: all eight words
constexpr int kMonitorBytes = 32;  // bytes of one monitor read
constexpr size_t kMonitorReplyLength = 4 + 2 * kMonitorBytes;  // STX, digits, ETX, sum

// A frame in a buffer of the serial buffer's size; bytes beyond it are refused.
class DeviceFrame {
  public:
    bool push(uint8_t byte);
    void pushHex(uint32_t value, int digits);  // high digit first
    // ETX and the two sum digits.
    void close();
    size_t size() const { return m_size; }
    std::span<const uint8_t> bytes() const { return {m_bytes.data(), m_size}; }
    std::vector<uint8_t> toVector() const { return {m_bytes.begin(), m_bytes.begin() + m_size}; }

  private:
    std::array<uint8_t, kSerialBufferSize> m_bytes{};
    size_t m_size = 0;
};

// Force a bit on ("E7") or off ("E8"): the bit address as four hex digits,
// low byte first (10 bytes).
DeviceFrame forceFrame(uint32_t bitAddress, bool on);

// The bytes of a word write: each word low byte first, as the controller
// holds it, the first byteCount of them.
std::vector<uint8_t> wordBytes(std::span<const uint32_t, kWordCount> words, int byteCount);

// "E10", the byte address as four hex digits, the byte count L as two, then
// 2L hex digits of data, the words low byte first (13 + 2L bytes). Nothing
// for a byte count outside 0 to 16.
std::optional<DeviceFrame> wordWriteFrame(uint32_t address, int byteCount,
                                          std::span<const uint32_t, kWordCount> words);

// "E00", the byte address, the byte count (13 bytes). Nothing for a byte
// count outside 0 to 16.
std::optional<DeviceFrame> wordReadFrame(uint32_t address, int byteCount);

// The monitor's read of 32 bytes (13 bytes).
DeviceFrame monitorReadFrame(uint32_t address);

// The data bytes of a read reply: STX, 2 × byteCount hex digits, ETX and a
// matching sum. Nothing when the reply is shorter, malformed or its sum
// differs.
std::optional<std::vector<uint8_t>> readReplyData(std::span<const uint8_t> reply, int byteCount);

// "WORD READ" followed by each word read (low byte first; an odd last byte
// alone) as four hex digits with "H" and in decimal: "WORD READ 04D2H=1234".
std::string readDescription(std::span<const uint8_t> data);

}  // namespace rs::online

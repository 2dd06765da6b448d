#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace rs::device {

// Bytes in the controller's device memory image. The highest address the
// device address rule gives is D7999's word at 2 * 7999 + 16384 = 32382, so
// every device of the rule lies inside this image.
constexpr uint32_t kDeviceMemoryBytes = 32768;

// The controller's device memory as one byte image, addressed by the device
// address rule: bit address a is bit (a mod 8) of byte (a div 8); a word is
// two bytes at a byte address, low byte first. Reads outside the image give 0
// and writes outside it are ignored, so no address can reach past the image.
class DeviceMemory {
  public:
    bool bit(uint32_t bitAddress) const;
    void setBit(uint32_t bitAddress, bool on);

    uint8_t byte(uint32_t byteAddress) const;
    void setByte(uint32_t byteAddress, uint8_t value);

    uint16_t word(uint32_t byteAddress) const;
    void setWord(uint32_t byteAddress, uint16_t value);

    // Two words, the lower word first (a 32-bit counter's value, D n and D n+1).
    uint32_t dword(uint32_t byteAddress) const;
    void setDword(uint32_t byteAddress, uint32_t value);

    // Copies bytes from the image into out (what a monitor read returns) and
    // bytes from data into the image (what a word write stores); the parts
    // that fall outside the image read as 0 and are not written.
    void read(uint32_t byteAddress, std::span<uint8_t> out) const;
    void write(uint32_t byteAddress, std::span<const uint8_t> data);

    void clear();

  private:
    std::array<uint8_t, kDeviceMemoryBytes> bytes_{};
};

}  // namespace rs::device

#include "core/device/device_memory.h"

namespace rs::device {

bool DeviceMemory::bit(uint32_t bitAddress) const {
    return (byte(bitAddress / 8) >> (bitAddress % 8)) & 1;
}

void DeviceMemory::setBit(uint32_t bitAddress, bool on) {
    const uint32_t at = bitAddress / 8;
    if (at >= kDeviceMemoryBytes) return;
    const uint8_t mask = static_cast<uint8_t>(1u << (bitAddress % 8));
    bytes_[at] = on ? (bytes_[at] | mask) : (bytes_[at] & ~mask);
}

uint8_t DeviceMemory::byte(uint32_t byteAddress) const {
    return byteAddress < kDeviceMemoryBytes ? bytes_[byteAddress] : 0;
}

void DeviceMemory::setByte(uint32_t byteAddress, uint8_t value) {
    if (byteAddress < kDeviceMemoryBytes) bytes_[byteAddress] = value;
}

uint16_t DeviceMemory::word(uint32_t byteAddress) const {
    return static_cast<uint16_t>(byte(byteAddress) | byte(byteAddress + 1) << 8);
}

void DeviceMemory::setWord(uint32_t byteAddress, uint16_t value) {
    setByte(byteAddress, static_cast<uint8_t>(value & 0xFF));
    setByte(byteAddress + 1, static_cast<uint8_t>(value >> 8));
}

uint32_t DeviceMemory::dword(uint32_t byteAddress) const {
    return word(byteAddress) | static_cast<uint32_t>(word(byteAddress + 2)) << 16;
}

void DeviceMemory::setDword(uint32_t byteAddress, uint32_t value) {
    setWord(byteAddress, static_cast<uint16_t>(value & 0xFFFF));
    setWord(byteAddress + 2, static_cast<uint16_t>(value >> 16));
}

void DeviceMemory::read(uint32_t byteAddress, std::span<uint8_t> out) const {
    for (size_t i = 0; i < out.size(); ++i) out[i] = byte(byteAddress + static_cast<uint32_t>(i));
}

void DeviceMemory::write(uint32_t byteAddress, std::span<const uint8_t> data) {
    for (size_t i = 0; i < data.size(); ++i)
        setByte(byteAddress + static_cast<uint32_t>(i), data[i]);
}

void DeviceMemory::clear() {
    bytes_.fill(0);
}

}  // namespace rs::device

#pragma once

#include <cstdint>

// Words of the object stream shared by the writer and the reader.
namespace rs::archive {

constexpr uint16_t kNullTag = 0x0000;          // a null object
constexpr uint16_t kNewClassTag = 0xFFFF;      // a class described in full follows
constexpr uint16_t kClassTag = 0x8000;         // bit of a known-class tag
constexpr uint16_t kBigObjectTag = 0x7FFF;     // a 32-bit tag follows
constexpr uint32_t kBigClassTag = 0x80000000;  // bit of a 32-bit known-class tag
constexpr uint16_t kBigCount = 0xFFFF;         // a 32-bit count follows
constexpr uint8_t kLongText = 0xFF;            // a 16-bit text length follows
constexpr uint16_t kLongerText = 0xFFFF;       // a 32-bit text length follows
constexpr uint16_t kWideText = 0xFFFE;         // a text of 16-bit units follows
constexpr uint16_t kSchema = 1;                // schema number of every record class
constexpr uint16_t kMaxClassNameLength = 63;   // longer class names are refused

}  // namespace rs::archive

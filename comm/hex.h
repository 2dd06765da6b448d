#pragma once

#include <cstdint>

namespace rs {

// One value 0..15 as an upper-case hex digit; a value above 15 gives 0xFF.
uint8_t HexDigit(uint32_t value);
// One hex digit "0"-"9", "A"-"F" as its value; anything else reads as 255.
uint8_t HexValue(uint8_t digit);

}  // namespace rs

#pragma once

#include <cstdint>
#include <string>

namespace rs {

// One value 0..15 as an upper-case hex digit; a value above 15 gives 0xFF.
uint8_t HexDigit(uint32_t value);
// One hex digit "0"-"9", "A"-"F" as its value; anything else reads as 255.
uint8_t HexValue(uint8_t digit);
// A 16-bit word as four upper-case hex digits, "0F00".
std::string hexWord(uint16_t word);

}  // namespace rs

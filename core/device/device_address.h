#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace rs::device {

// How a device is reached in the controller's memory image: as one bit, as the
// word (byte address) holding it, or as a timer's or counter's current value.
enum class AccessKind { Bit, Word, Loop };

// The controller's device address rule. The letter is the text's first
// character (upper-case S, X, Y, T, M, C or D); the number is the decimal value
// of the next four characters, reading stops at the first non-digit. X and Y
// numbers are read as three octal digits written in decimal (a thousands digit
// is ignored, an 8 or 9 is taken as its value). Bit addresses count bits; word
// and loop addresses count bytes. A letter outside the table gives no address:
// the caller shows "Please Inter the right Device" and sends nothing.
std::optional<uint32_t> deviceAddress(std::string_view text, AccessKind kind);
// The same rule for a letter and a number already read.
std::optional<uint32_t> deviceAddress(char letter, uint32_t number, AccessKind kind);

// True when the letter is one the address rule knows.
bool isAddressableLetter(char letter);

// Whether the address rule places the device inside its own letter's area of
// the memory image, where no other device lies: X and Y up to 377 (octal
// digits only), M up to 3071 (M3072 would be Y0's bit) and M8000 to M8255, S
// up to 1023, T and C up to 255, D up to 7999 and D8000 to D8255 (D8256 would
// be T0's current value). The number is as written.
bool inOwnArea(char letter, long long number);

}  // namespace rs::device

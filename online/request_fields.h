#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The fields of a word request as typed: the byte count L and the data words.
namespace rs::online {

// A word value: -32768 to 65535 in decimal, a value below zero as its two's
// complement (-1 is FFFF). Blanks around it are passed over; an empty box
// reads as 0. Nothing for any other text.
std::optional<uint16_t> parseWordValue(std::string_view text);

// The byte count L of a read or write.
enum class ByteCountProblem {
    None,
    Missing,  // empty, not a number, 0 or below: it would ask for no bytes
    TooLong,  // above 16: more than the eight words hold
};
struct ByteCount {
    int count = 0;
    ByteCountProblem problem = ByteCountProblem::None;
};
ByteCount parseByteCount(std::string_view text);
// The same rule for a count already read.
ByteCountProblem byteCountProblem(long long count);
// The message of a problem (nothing for None).
const char* byteCountMessage(ByteCountProblem problem);

}  // namespace rs::online

#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace rs::online {

// The lowest and highest value a word write takes: a signed word from
// -32768, an unsigned one up to 65535.
constexpr long kLowestWordValue = -32768;
constexpr long kHighestWordValue = 65535;

// A typed word value in decimal, blanks around it passed over: the 16 bits
// a word write sends (two's complement below zero). Nothing for a text that
// is no number or lies outside the range.
std::optional<uint16_t> parseWordValue(std::string_view text);

}  // namespace rs::online

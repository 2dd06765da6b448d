#include "online/word_value.h"

#include <charconv>

namespace rs::online {

std::optional<uint16_t> parseWordValue(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    if (value < kLowestWordValue || value > kHighestWordValue) return std::nullopt;
    return static_cast<uint16_t>(value & 0xFFFF);
}

}  // namespace rs::online

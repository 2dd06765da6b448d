#include "online/request_fields.h"

#include <charconv>

#include "online/device_frames.h"
#include "online/online_messages.h"

namespace rs::online {

namespace {

constexpr long long kLowestWord = -32768;
constexpr long long kHighestWord = 65535;

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// A whole decimal number with an optional minus sign.
std::optional<long long> decimal(std::string_view text) {
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || text.front() == '+' || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

}  // namespace

std::optional<uint16_t> parseWordValue(std::string_view text) {
    text = trimmed(text);
    if (text.empty()) return 0;
    const auto value = decimal(text);
    if (!value || *value < kLowestWord || *value > kHighestWord) return std::nullopt;
    return static_cast<uint16_t>(*value & 0xFFFF);
}

ByteCountProblem byteCountProblem(long long count) {
    if (count <= 0) return ByteCountProblem::Missing;
    if (count > kMaxWordBytes) return ByteCountProblem::TooLong;
    return ByteCountProblem::None;
}

ByteCount parseByteCount(std::string_view text) {
    const auto value = decimal(trimmed(text));
    if (!value) return {0, ByteCountProblem::Missing};
    const ByteCountProblem problem = byteCountProblem(*value);
    return {problem == ByteCountProblem::None ? static_cast<int>(*value) : 0, problem};
}

const char* byteCountMessage(ByteCountProblem problem) {
    switch (problem) {
        case ByteCountProblem::Missing:
            return msg::kLengthMissing;
        case ByteCountProblem::TooLong:
            return msg::kLengthTooLong;
        case ByteCountProblem::None:
            break;
    }
    return nullptr;
}

}  // namespace rs::online

// The value typed for a word write: -32768 to 65535, below zero as two's
// complement; an empty box reads as 0; everything else refused.
#include "online/request_fields.h"

#include <gtest/gtest.h>

namespace rs::online {
namespace {

TEST(WordValue, TakesTheWordsRangeAndRefusesTheRest) {
    const std::vector<std::pair<const char*, std::optional<uint16_t>>> cases = {
        {"0", 0},
        {"1234", 1234},
        {" 42 ", 42},
        {"65535", 65535},
        {"-1", 0xFFFF},
        {"-2", 0xFFFE},
        {"-32768", 0x8000},
        {"32767", 0x7FFF},
        {"65536", std::nullopt},
        {"70000", std::nullopt},
        {"-32769", std::nullopt},
        {"", 0},
        {"  ", 0},
        {"12a", std::nullopt},
        {"K10", std::nullopt},
        {"1 2", std::nullopt},
        {"+5", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(parseWordValue(text), expected) << text;
}

}  // namespace
}  // namespace rs::online

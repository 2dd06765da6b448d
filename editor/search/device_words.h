#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rs::search {

// The key under which a device word is compared: its letters in upper case
// and its number without leading zeros, so that every form the line check
// accepts of one device has one key (x1, X1 and X001 give X1). Nothing when
// the word is not letters followed by digits.
std::optional<std::string> deviceKey(std::string_view word);

// A device word as the program writes it: upper case, X and Y numbers with
// three digits (x1 gives X001).
std::string programDevice(std::string_view word);

// The words of a cell text or operand, split at white space as a typed row
// splits its operand.
std::vector<std::string> words(std::string_view text);

// A K or H constant (K10, H1F): not a device.
bool isConstant(std::string_view word);

// Orders device keys by letters, then by number (D2 before D10).
bool deviceKeyLess(const std::string& a, const std::string& b);

}  // namespace rs::search

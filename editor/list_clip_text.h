#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rs {

// The clipboard text of copied instruction-list lines: "a", then for each
// line its mnemonic, "a", its operand, "a".
constexpr size_t kListClipTextLimit = 8000;  // texts this long are not taken

struct ClipLine {
    std::string mnemonic;
    std::string operand;
};

std::string listClipText(const std::vector<ClipLine>& lines);

// The lines of a list clipboard text; nothing when the text is not one of
// this program's (first character not a, another lower-case letter, a line
// cut short) or is too long.
std::optional<std::vector<ClipLine>> readListClipText(std::string_view text);

}  // namespace rs

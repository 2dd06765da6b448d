#pragma once

#include <string>

namespace rs {

// Entered texts may hold only letters, digits and white space.
bool onlyLettersDigitsBlanks(const std::string& text);

// White space trimmed at both ends and every run of it inside turned into one blank.
std::string normaliseBlanks(const std::string& text);

// Longest normalised text a cell takes.
constexpr size_t kMaxCellText = 190;

}  // namespace rs

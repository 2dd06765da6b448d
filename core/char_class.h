#pragma once

#include <cctype>
#include <string>
#include <string_view>

namespace rs {

// Character classes of the program's texts, safe for any char value (the
// <cctype> functions need an unsigned char).
inline bool isLetter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}
inline bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}
inline bool isHexDigit(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}
inline bool isBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}
inline char toUpper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}
// A text with every letter in upper case.
inline std::string upperText(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = toUpper(c);
    return out;
}
// The value of a hexadecimal digit (0 to 15); the caller has checked it is one.
inline int hexDigitValue(char c) {
    return isDigit(c) ? c - '0' : toUpper(c) - 'A' + 10;
}

}  // namespace rs

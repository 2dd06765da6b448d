#pragma once

#include <cctype>

namespace rs {

// Character classes of the program's texts, safe for any char value (the
// <cctype> functions need an unsigned char).
inline bool isLetter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}
inline bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}
inline bool isBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

}  // namespace rs

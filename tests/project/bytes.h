#pragma once

#include <cctype>
#include <string>
#include <string_view>

namespace rs::test {

// Bytes from hexadecimal pairs; blanks and bars between them are ignored.
inline std::string hex(std::string_view text) {
    std::string out;
    int high = -1;
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) continue;
        const int v = std::isdigit(static_cast<unsigned char>(c))
                          ? c - '0'
                          : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
        if (high < 0) {
            high = v;
        } else {
            out.push_back(static_cast<char>(high << 4 | v));
            high = -1;
        }
    }
    return out;
}

// The 121-byte file of a new, empty project saved in mode 2.
inline std::string emptyProjectMode2() {
    return hex(
        "01 00 FF FF 01 00 06 00 43 46 75 6E 4E 6F FF FF FF FF 00 00 00 00 |"
        "01 00 FF FF 01 00 0C 00 43 49 6E 73 74 72 75 63 74 69 6F 6E 00 00 00 00 03 45 4E 44 |"
        "01 00 FF FF 01 00 0B 00 43 50 61 72 61 6D 65 74 65 72 31 00 00 00 00 00 |"
        "01 00 FF FF 01 00 08 00 43 46 75 6E 53 74 65 70 FF FF FF FF 01 00 00 00 |"
        "01 00 FF FF 01 00 09 00 43 50 72 6F 74 6F 63 6F 6C 00 00 00 00 01 31");
}

}  // namespace rs::test

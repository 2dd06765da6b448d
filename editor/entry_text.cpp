#include "editor/entry_text.h"

#include <cctype>

namespace rs {

bool onlyLettersDigitsBlanks(const std::string& text) {
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (!std::isalnum(u) && !std::isspace(u)) return false;
    }
    return true;
}

std::string normaliseBlanks(const std::string& text) {
    std::string out;
    bool gap = false;
    for (char c : text) {
        if (std::isspace(static_cast<unsigned char>(c))) {
            gap = !out.empty();
            continue;
        }
        if (gap) out.push_back(' ');
        gap = false;
        out.push_back(c);
    }
    return out;
}

}  // namespace rs

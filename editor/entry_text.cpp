#include "editor/entry_text.h"

#include "core/char_class.h"

namespace rs {

bool onlyLettersDigitsBlanks(const std::string& text) {
    for (char c : text)
        if (!isLetter(c) && !isDigit(c) && !isBlank(c)) return false;
    return true;
}

std::string normaliseBlanks(const std::string& text) {
    std::string out;
    bool gap = false;
    for (char c : text) {
        if (isBlank(c)) {
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

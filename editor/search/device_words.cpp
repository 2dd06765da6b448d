#include "editor/search/device_words.h"

#include <cctype>

#include "core/address.h"

namespace rs::search {

namespace {

bool isLetter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}
bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}
std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// Letters and number of a key.
std::pair<std::string, std::string> split(const std::string& key) {
    size_t i = 0;
    while (i < key.size() && isLetter(key[i])) ++i;
    return {key.substr(0, i), key.substr(i)};
}

}  // namespace

std::optional<std::string> deviceKey(std::string_view word) {
    size_t i = 0;
    while (i < word.size() && isLetter(word[i])) ++i;
    if (i == 0 || i == word.size()) return std::nullopt;
    size_t j = i;
    while (j < word.size() && isDigit(word[j])) ++j;
    if (j != word.size()) return std::nullopt;
    size_t first = i;
    while (first + 1 < word.size() && word[first] == '0') ++first;
    return upper(word.substr(0, i)) + std::string(word.substr(first));
}

std::string programDevice(std::string_view word) {
    return completeXYAddresses(upper(word));
}

std::vector<std::string> words(std::string_view text) {
    std::vector<std::string> out;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ') ++i;
        size_t j = i;
        while (j < text.size() && text[j] != ' ') ++j;
        if (j > i) out.emplace_back(text.substr(i, j - i));
        i = j;
    }
    return out;
}

bool isConstant(std::string_view word) {
    if (word.size() < 2) return false;
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(word[0])));
    if (c != 'K' && c != 'H') return false;
    size_t i = 1;
    if (c == 'K' && word[i] == '-') ++i;
    if (i == word.size()) return false;
    for (; i < word.size(); ++i)
        if (!(c == 'H' ? std::isxdigit(static_cast<unsigned char>(word[i])) : isDigit(word[i])))
            return false;
    return true;
}

bool deviceKeyLess(const std::string& a, const std::string& b) {
    const auto [la, na] = split(a);
    const auto [lb, nb] = split(b);
    if (la != lb) return la < lb;
    if (na.size() != nb.size()) return na.size() < nb.size();
    return na < nb;
}

}  // namespace rs::search

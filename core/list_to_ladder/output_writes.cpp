#include "core/list_to_ladder/output_writes.h"

#include <cctype>
#include <vector>

namespace rs::ladder {

namespace {

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}
bool isAlpha(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

// The device letters of an operand word: M of M0 and of K4M0, D of D10Z.
std::string deviceKind(const std::string& word) {
    size_t from = 0;
    if (word.size() > 2 && word[0] == 'K' && isDigit(word[1])) {
        size_t k = 1;
        while (k < word.size() && isDigit(word[k])) ++k;
        if (k < word.size() && isAlpha(word[k])) from = k;
    }
    size_t to = from;
    while (to < word.size() && isAlpha(word[to])) ++to;
    return word.substr(from, to - from);
}

// "M", "0" for M00; empty number when the word is not letters then digits.
bool splitPlain(const std::string& word, std::string& letters, std::string& number) {
    size_t n = 0;
    while (n < word.size() && isAlpha(word[n])) ++n;
    if (n == 0 || n == word.size()) return false;
    for (size_t k = n; k < word.size(); ++k)
        if (!isDigit(word[k])) return false;
    size_t z = n;
    while (z + 1 < word.size() && word[z] == '0') ++z;
    letters = word.substr(0, n);
    number = word.substr(z);
    return true;
}

std::vector<std::string> words(const std::string& operand) {
    std::vector<std::string> out;
    size_t from = 0;
    while (from < operand.size()) {
        size_t to = operand.find(' ', from);
        if (to == std::string::npos) to = operand.size();
        if (to > from) out.push_back(operand.substr(from, to - from));
        from = to + 1;
    }
    return out;
}

}  // namespace

void ContactReads::add(const std::string& device) {
    const std::string kind = deviceKind(device);
    m_kinds.insert(kind);
    std::string letters, number;
    if (!splitPlain(device, letters, number)) {
        m_looseKinds.insert(kind);
        return;
    }
    m_devices.insert(letters + number);
    if (number.size() > 4 || (number.size() == 4 && number >= "8000")) m_special = true;
}

bool ContactReads::mayWrite(const std::string& mnemonic, const std::string& operand) const {
    const std::vector<std::string> w = words(operand);
    if (w.empty()) return true;
    const bool coil = mnemonic == "OUT" || mnemonic == "SET" || mnemonic == "RST" ||
                      mnemonic == "PLS" || mnemonic == "PLF";
    if (coil) {
        std::string letters, number;
        if (!splitPlain(w[0], letters, number)) return m_kinds.count(deviceKind(w[0])) != 0;
        return m_devices.count(letters + number) != 0 || m_looseKinds.count(letters) != 0;
    }
    if (m_special) return true;
    for (const std::string& word : w)
        if (m_kinds.count(deviceKind(word)) != 0) return true;
    return false;
}

}  // namespace rs::ladder

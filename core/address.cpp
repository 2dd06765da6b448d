#include "core/address.h"

namespace rs {

namespace {
void completeAt(std::string& s, char letter) {
    const size_t at = s.find(letter);
    if (at == std::string::npos) return;
    size_t len = 0;
    while (len < 4 && at + len < s.size() && s[at + len] != ' ') ++len;
    if (len < 2) return;  // a letter alone is no address
    s.insert(at + 1, 4 - len, '0');
}
}  // namespace

std::string completeXYAddresses(std::string operand) {
    completeAt(operand, 'X');
    completeAt(operand, 'Y');
    return operand;
}

}  // namespace rs

#include "core/list_to_ladder/output_writes.h"

#include <vector>

#include "core/char_class.h"
#include "core/device/device_ref.h"

namespace rs::ladder {

namespace {

using device::splitDeviceWord;

// The device letters of an operand word: M of M0 and of K4M0, D of D10Z.
std::string deviceKind(const std::string& word) {
    const device::DeviceWord w = splitDeviceWord(word);
    if (w.letters == "K" && !w.digits.empty() && !w.rest.empty() && isLetter(w.rest[0]))
        return std::string(splitDeviceWord(w.rest).letters);
    return std::string(w.letters);
}

// "M", "0" for M00; empty number when the word is not letters then digits.
bool splitPlain(const std::string& word, std::string& letters, std::string& number) {
    const device::DeviceWord w = splitDeviceWord(word);
    if (w.letters.empty() || w.digits.empty() || !w.rest.empty()) return false;
    letters = w.letters;
    number = device::withoutLeadingZeros(w.digits);
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
    if (number.size() > 4 || device::isSpecialNumber(std::stoll(number))) m_special = true;
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

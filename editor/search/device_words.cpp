#include "editor/search/device_words.h"

#include "core/address.h"
#include "core/char_class.h"
#include "core/device/device_ref.h"
#include "core/program/typed_row.h"

namespace rs::search {

namespace {

// Letters and number of a key.
std::pair<std::string, std::string> split(const std::string& key) {
    const size_t letters = device::splitDeviceWord(key).letters.size();
    return {key.substr(0, letters), key.substr(letters)};
}

}  // namespace

std::optional<std::string> deviceKey(std::string_view word) {
    const device::DeviceWord w = device::splitDeviceWord(word);
    if (w.letters.empty() || w.digits.empty() || !w.rest.empty()) return std::nullopt;
    return upperText(w.letters) + std::string(device::withoutLeadingZeros(w.digits));
}

std::string programDevice(std::string_view word) {
    return completeXYAddresses(upperText(word));
}

std::vector<std::string> words(std::string_view text) {
    return splitWords(std::string(text));
}

bool isConstant(std::string_view word) {
    return device::constantDigits(word, true).has_value();
}

bool deviceKeyLess(const std::string& a, const std::string& b) {
    const auto [la, na] = split(a);
    const auto [lb, nb] = split(b);
    if (la != lb) return la < lb;
    if (na.size() != nb.size()) return na.size() < nb.size();
    return na < nb;
}

}  // namespace rs::search

#include "core/device/device_ref.h"

#include <cstdio>

#include "core/char_class.h"

namespace rs::device {

namespace {

bool hasOctalLetterAnywhere(std::string_view text) {
    return text.find('X') != std::string_view::npos || text.find('Y') != std::string_view::npos;
}

// The decimal value of at most `maxDigits` digits from `from`, stopping at
// the first character that is no digit.
DeviceRef leadingDigits(std::string_view text, size_t from, int maxDigits) {
    DeviceRef ref;
    for (size_t i = from; i < text.size() && ref.digitsRead < maxDigits && isDigit(text[i]); ++i) {
        ref.number = ref.number * 10 + (text[i] - '0');
        ++ref.digitsRead;
    }
    return ref;
}

}  // namespace

bool hasNonOctalDigit(long long writtenDigits) {
    for (long long n = writtenDigits < 0 ? -writtenDigits : writtenDigits; n > 0; n /= 10)
        if (n % 10 >= 8) return true;
    return false;
}

std::optional<DeviceRef> parseDevice(std::string_view text, const DeviceSyntax& syntax) {
    if (syntax.leadingBlank && !text.empty() && text[0] == ' ') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    DeviceRef ref;
    if (syntax.octalWhereverXY && hasOctalLetterAnywhere(text)) {
        ref = leadingDigits(text, 1, 3);
        ref.number = octalValue(static_cast<int>(ref.number));
    } else {
        ref = leadingDigits(text, 1, syntax.maxDigits);
        if (syntax.wholeText &&
            (ref.digitsRead == 0 || static_cast<size_t>(ref.digitsRead) + 1 != text.size()))
            return std::nullopt;
    }
    ref.letter = text[0];
    return ref;
}

bool hasGroupShape(std::string_view text) {
    return text.size() >= 3 && text[0] == 'K' && isDigit(text[1]) && isLetter(text[2]);
}

std::optional<DeviceRef> parseGroup(std::string_view text, const DeviceSyntax& syntax) {
    if (!hasGroupShape(text)) return std::nullopt;
    auto bits = parseDevice(text.substr(2), syntax);
    if (!bits) return std::nullopt;
    bits->kind = DeviceRef::Kind::Group;
    bits->groupDigits = text[1] - '0';
    return bits;
}

std::optional<std::string_view> constantDigits(std::string_view word, bool anyCase) {
    if (word.size() < 2) return std::nullopt;
    const char c = anyCase ? toUpper(word[0]) : word[0];
    if (c != 'K' && c != 'H') return std::nullopt;
    std::string_view digits = word.substr(1);
    const std::string_view unsignedDigits =
        c == 'K' && digits[0] == '-' ? digits.substr(1) : digits;
    if (unsignedDigits.empty()) return std::nullopt;
    for (char d : unsignedDigits)
        if (!(c == 'H' ? isHexDigit(d) : isDigit(d))) return std::nullopt;
    return digits;
}

std::optional<DeviceRef> parseConstant(std::string_view word) {
    const auto digits = constantDigits(word, false);
    if (!digits) return std::nullopt;
    DeviceRef ref;
    ref.kind = DeviceRef::Kind::Constant;
    ref.letter = word[0];
    const bool negative = digits->front() == '-';
    const std::string_view body = negative ? digits->substr(1) : *digits;
    if (body.size() > (ref.letter == 'K' ? 5u : 4u)) return std::nullopt;
    int32_t v = 0;
    for (char d : body) v = v * (ref.letter == 'K' ? 10 : 16) + hexDigitValue(d);
    if (ref.letter == 'H') {
        ref.value = static_cast<int16_t>(v);
    } else {
        v = negative ? -v : v;
        if (v < -32768 || v > 32767) return std::nullopt;
        ref.value = v;
    }
    ref.digitsRead = static_cast<int>(body.size());
    return ref;
}

DeviceWord splitDeviceWord(std::string_view word) {
    size_t letters = 0;
    while (letters < word.size() && isLetter(word[letters])) ++letters;
    size_t digits = letters;
    while (digits < word.size() && isDigit(word[digits])) ++digits;
    return {word.substr(0, letters), word.substr(letters, digits - letters), word.substr(digits)};
}

std::string_view withoutLeadingZeros(std::string_view digits) {
    size_t first = 0;
    while (first + 1 < digits.size() && digits[first] == '0') ++first;
    return digits.substr(first);
}

std::string deviceText(char letter, long long number, NumberForm form) {
    char buf[32];
    const bool padded = form == NumberForm::Program && isOctalLetter(letter);
    std::snprintf(buf, sizeof buf, padded ? "%c%03lld" : "%c%lld", letter, number);
    return buf;
}

}  // namespace rs::device

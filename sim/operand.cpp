#include "sim/operand.h"

#include <cctype>

#include "online/device_address.h"

namespace rs::sim {

namespace {

using online::AccessKind;
using online::deviceAddress;

// Decimal digits only, at most four (the device address rule reads four).
std::optional<int> deviceNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 4) return std::nullopt;
    int n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

std::optional<int32_t> decimalConstant(std::string_view text) {
    bool negative = false;
    if (!text.empty() && text[0] == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 5) return std::nullopt;
    int32_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    v = negative ? -v : v;
    if (v < -32768 || v > 32767) return std::nullopt;
    return v;
}

std::optional<int32_t> hexConstant(std::string_view text) {
    if (text.empty() || text.size() > 4) return std::nullopt;
    int32_t v = 0;
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
        const int d = std::isdigit(static_cast<unsigned char>(c))
                          ? c - '0'
                          : std::toupper(static_cast<unsigned char>(c)) - 'A' + 10;
        v = v * 16 + d;
    }
    return static_cast<int16_t>(v);
}

std::string deviceText(char letter, int number) {
    char buf[16];
    if (letter == 'X' || letter == 'Y')
        std::snprintf(buf, sizeof buf, "%c%03d", letter, number);
    else
        std::snprintf(buf, sizeof buf, "%c%d", letter, number);
    return buf;
}

bool isBitLetter(char c) {
    return c == 'X' || c == 'Y' || c == 'M' || c == 'S' || c == 'T' || c == 'C';
}

// X and Y numbers are octal digits written in decimal.
int octalValue(int n) {
    return n / 100 % 10 * 64 + n / 10 % 10 * 8 + n % 10;
}
int octalDigits(int v) {
    return v / 64 * 100 + v / 8 % 8 * 10 + v % 8;
}

// True when a number written for an X or Y device has a digit 8 or 9.
bool hasNonOctalDigit(int writtenDigits) {
    for (int n = writtenDigits; n > 0; n /= 10)
        if (n % 10 >= 8) return true;
    return false;
}

// Fills in the address of a device operand from its letter and number.
bool resolve(Operand& op, std::string& problem) {
    const std::string text = deviceText(op.letter, op.number);
    // X and Y count in octal: the line check refuses the digits 8 and 9, and
    // so does every name given to the engine (a program row, a watch, a set).
    if ((op.letter == 'X' || op.letter == 'Y') && hasNonOctalDigit(op.number)) {
        problem = text + ": X and Y numbers are octal (digits 0 to 7)";
        return false;
    }
    if ((op.letter == 'T' && op.number >= kTimerCount) ||
        (op.letter == 'C' && op.number >= kCounterCount)) {
        problem = text + ": the simulation has " + (op.letter == 'T' ? "T0 to T255" : "C0 to C255");
        return false;
    }
    if (op.kind == Operand::Kind::Bit || op.kind == Operand::Kind::Group) {
        if (!isBitLetter(op.letter)) {
            problem = text + " is not a bit device";
            return false;
        }
        op.address = *deviceAddress(text, AccessKind::Bit);
        return true;
    }
    switch (op.letter) {
        case 'D':
            op.address = *deviceAddress(text, AccessKind::Word);
            return true;
        case 'T':
        case 'C':
            op.address = *deviceAddress(text, AccessKind::Loop);
            op.wide = op.letter == 'C' && op.number >= kFirstWideCounter;
            return true;
        case 'V':
        case 'Z':
            if (op.number >= kIndexRegisters) {
                problem = text + ": the simulation has " + op.letter + "0 to " + op.letter + "7";
                return false;
            }
            op.address = static_cast<uint32_t>(op.number);
            return true;
        default:
            problem = text + " is not a word device";
            return false;
    }
}

}  // namespace

std::optional<Operand> parseOperand(std::string_view word, bool asWord, std::string& problem) {
    const std::string shown(word);
    if (word.size() < 2) {
        problem = "\"" + shown + "\" is no operand";
        return std::nullopt;
    }
    Operand op;
    const char letter = word[0];
    if (letter == 'K' && word.size() >= 3 && std::isdigit(static_cast<unsigned char>(word[1])) &&
        std::isalpha(static_cast<unsigned char>(word[2]))) {
        op.kind = Operand::Kind::Group;
        op.digits = word[1] - '0';
        op.letter = word[2];
        const auto n = deviceNumber(word.substr(3));
        if (op.digits < 1 || op.digits > 4 || !n) {
            problem = shown + ": the simulation takes groups K1 to K4 of X, Y, M or S";
            return std::nullopt;
        }
        op.number = *n;
        if (op.letter == 'T' || op.letter == 'C' || !isBitLetter(op.letter)) {
            problem = shown + ": the simulation takes groups K1 to K4 of X, Y, M or S";
            return std::nullopt;
        }
        if (!resolve(op, problem)) return std::nullopt;
        return op;
    }
    if (letter == 'K' || letter == 'H') {
        const auto v =
            letter == 'K' ? decimalConstant(word.substr(1)) : hexConstant(word.substr(1));
        if (!v) {
            problem = shown + " is no 16-bit constant";
            return std::nullopt;
        }
        op.kind = Operand::Kind::Constant;
        op.letter = letter;
        op.value = *v;
        return op;
    }
    const auto n = deviceNumber(word.substr(1));
    if (!n) {
        problem = "\"" + shown + "\" is no device";
        return std::nullopt;
    }
    op.letter = letter;
    op.number = *n;
    if (letter == 'P' || letter == 'I') {
        op.kind = Operand::Kind::Label;
        return op;
    }
    op.kind = asWord ? Operand::Kind::Word : Operand::Kind::Bit;
    if (!resolve(op, problem)) return std::nullopt;
    return op;
}

std::optional<Operand> nextOperand(const Operand& op, int offset) {
    if (offset == 0) return op;
    Operand next = op;
    std::string problem;
    switch (op.kind) {
        case Operand::Kind::Group:
            next.address = op.address + static_cast<uint32_t>(4 * op.digits * offset);
            return next;
        case Operand::Kind::Bit:
        case Operand::Kind::Word:
            if (op.letter == 'X' || op.letter == 'Y') {
                const int v = octalValue(op.number) + offset;
                if (v > 0777) return std::nullopt;
                next.number = octalDigits(v);
            } else {
                next.number = op.number + offset;
                if (next.number > 9999) return std::nullopt;
            }
            if (!resolve(next, problem)) return std::nullopt;
            return next;
        default:
            return std::nullopt;
    }
}

std::optional<Operand> sameDevice(const Operand& op, Operand::Kind kind) {
    Operand other = op;
    other.kind = kind;
    other.wide = false;
    std::string problem;
    if (!resolve(other, problem)) return std::nullopt;
    return other;
}

}  // namespace rs::sim

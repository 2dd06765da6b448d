#include "sim/operand.h"

#include "core/device/device_address.h"
#include "core/device/device_ref.h"
#include "core/program/typed_row.h"

namespace rs::sim {

namespace {

using device::AccessKind;
using device::deviceAddress;
using device::deviceText;
using device::isBitLetter;
using device::octalDigits;
using device::octalValue;

// Fills in the address of a device operand from its letter and number.
bool resolve(Operand& op, std::string& problem) {
    const std::string text = deviceText(op.letter, op.number);
    // X and Y count in octal: the line check refuses the digits 8 and 9, and
    // so does every name given to the engine (a program row, a watch, a set).
    if (device::isOctalLetter(op.letter) && device::hasNonOctalDigit(op.number)) {
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
        op.address = *deviceAddress(op.letter, static_cast<uint32_t>(op.number), AccessKind::Bit);
        return true;
    }
    switch (op.letter) {
        case 'D':
            op.address =
                *deviceAddress(op.letter, static_cast<uint32_t>(op.number), AccessKind::Word);
            return true;
        case 'T':
        case 'C':
            op.address =
                *deviceAddress(op.letter, static_cast<uint32_t>(op.number), AccessKind::Loop);
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
    return parseOperand(word, readOperandWord(word), asWord, problem);
}

std::optional<Operand> parseOperand(std::string_view word,
                                    const std::optional<device::DeviceRef>& read, bool asWord,
                                    std::string& problem) {
    const std::string shown(word);
    if (word.size() < 2) {
        problem = "\"" + shown + "\" is no operand";
        return std::nullopt;
    }
    Operand op;
    const char letter = word[0];
    if (device::hasGroupShape(word)) {
        const auto& group = read;
        if (!group || group->groupDigits < 1 || group->groupDigits > 4 || group->letter == 'T' ||
            group->letter == 'C' || !isBitLetter(group->letter)) {
            problem = shown + ": the simulation takes groups K1 to K4 of X, Y, M or S";
            return std::nullopt;
        }
        op.kind = Operand::Kind::Group;
        op.digits = group->groupDigits;
        op.letter = group->letter;
        op.number = static_cast<int>(group->number);
        if (!resolve(op, problem)) return std::nullopt;
        return op;
    }
    if (letter == 'K' || letter == 'H') {
        const auto& constant = read;
        if (!constant) {
            problem = shown + " is no 16-bit constant";
            return std::nullopt;
        }
        op.kind = Operand::Kind::Constant;
        op.letter = letter;
        op.value = constant->value;
        return op;
    }
    const auto& ref = read;
    if (!ref) {
        problem = "\"" + shown + "\" is no device";
        return std::nullopt;
    }
    op.letter = letter;
    op.number = static_cast<int>(ref->number);
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
            if (device::isOctalLetter(op.letter)) {
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

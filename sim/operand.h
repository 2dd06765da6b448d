#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/device/device_ref.h"

namespace rs::sim {

// What one operand word of a row names, resolved once when the program is
// loaded so that a scan only does arithmetic on addresses.
struct Operand {
    enum class Kind : uint8_t {
        None,      // no operand in this position
        Bit,       // X, Y, M, S, or a timer's or counter's contact (T, C)
        Word,      // D, a timer's or counter's current value, V, Z
        Constant,  // K (decimal) or H (hexadecimal)
        Group,     // a digit-designated group of bits (K1Y000 ... K4M0)
        Label,     // P or I of a jump, call or label row
    };
    Kind kind = Kind::None;
    char letter = 0;    // the device letter (for a group: the letter of its first bit)
    int number = 0;     // the device number as written (X and Y in their octal digits)
    int32_t value = 0;  // a constant's value
    int digits = 0;     // a group's digit count: 4 bits each
    // Bit, Group: the bit address of the (first) bit. Word: the byte address of
    // the word in the device image, or the index of V/Z in the engine's own
    // registers.
    uint32_t address = 0;
    bool wide = false;  // a 32-bit counter's current value (C200 and up)
};

// Highest timer and counter numbers the engine models (T0..T255, C0..C255).
constexpr int kTimerCount = 256;
constexpr int kCounterCount = 256;
// First counter number that holds a 32-bit value.
constexpr int kFirstWideCounter = 200;
// Index registers V0..V7 and Z0..Z7 (held by the engine, outside the image).
constexpr int kIndexRegisters = 8;

// Parses one operand word ("X000", "K4M0", "H1F", "T0", "P3"). As a word
// operand T and C name their current values; as a bit operand their contacts.
// Empty with a reason in `problem` when the word names nothing the engine can
// reach.
std::optional<Operand> parseOperand(std::string_view word, bool asWord, std::string& problem);
// The same for a word already read (readOperandWord of the word).
std::optional<Operand> parseOperand(std::string_view word,
                                    const std::optional<device::DeviceRef>& read, bool asWord,
                                    std::string& problem);

// The operand `offset` places after `op` in its own kind: the next word, the
// next group of the same size, the next bit (X and Y counted in octal). Empty
// when that runs past the device's numbers.
std::optional<Operand> nextOperand(const Operand& op, int offset);

// The same device reached the other way: a timer's contact for its value
// (Kind::Bit) or its value for its contact (Kind::Word).
std::optional<Operand> sameDevice(const Operand& op, Operand::Kind kind);

}  // namespace rs::sim

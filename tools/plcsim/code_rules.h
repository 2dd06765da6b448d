#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// The controller's program code as the stand-in reads it, written from the
// layout of the code words and not taken from the code encoder: a download
// test then compares the encoder with an independent reading of the same
// rules.
namespace rs::plcsim::rules {

constexpr uint16_t kEndMode1 = 0xF0FF;
constexpr uint16_t kEndMode2 = 0x0F00;
constexpr uint16_t kConstK = 0xF0FC;      // mode 1: a decimal constant follows
constexpr uint16_t kConstH = 0xF0FD;      // mode 1: a constant written with H follows
constexpr uint16_t kOperandEnd = 0xF0FE;  // mode 1: one operand ends
constexpr uint16_t kRstDataRegister =
    0x0D00;  // mode 2: RST of a data register, its descriptor follows

constexpr uint16_t endWord(bool mode2) {
    return mode2 ? kEndMode2 : kEndMode1;
}

// A device by its letter and number: X and Y by their value (X017 is 15),
// the others by their decimal number.
struct Device {
    char letter;
    uint32_t n;
};

// The word (or two words, high first, in one 32-bit value) of a row that
// names one device: a contact (LD ... ORP), OUT, and in mode 2 SET and RST.
uint32_t rowWord(bool mode2, std::string_view mnemonic, Device d);

// The word (mode 1) or 32-bit descriptor (mode 2) of a device operand of an
// application instruction or of a timer's or counter's set value.
uint32_t operandWord(bool mode2, Device d);

// The rows without an operand that have a word of their own.
struct Fixed {
    std::string_view name;
    uint16_t mode1, mode2;
};
const std::vector<Fixed>& fixedWords();

// The application instructions the stand-in reads: their function numbers
// (mode 1 word: 0xF000 + number; mode 2 word: the number) and operands.
struct Application {
    std::string_view name;
    uint16_t mode1, mode2;
    int operands;
};
const std::vector<Application>& applications();

}  // namespace rs::plcsim::rules

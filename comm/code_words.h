#pragma once

#include <cstdint>

// Marker words of the controller code.
namespace rs::code {

constexpr uint16_t kEndWordMode1 = 0xF0FF;  // END, mode 1
constexpr uint16_t kEndWordMode2 = 0x0F00;  // END, mode 2
constexpr uint16_t kConstK = 0xF0FC;        // mode 1: the next word is a decimal constant
constexpr uint16_t kConstH = 0xF0FD;        // mode 1: the next word is a constant written with H
constexpr uint16_t kOperandEnd = 0xF0FE;    // mode 1: end of one operand of an instruction
constexpr uint16_t kFreeWord = 0xFFFF;      // an unwritten word of the code buffer

constexpr uint16_t endWord(bool mode2) {
    return mode2 ? kEndWordMode2 : kEndWordMode1;
}

}  // namespace rs::code

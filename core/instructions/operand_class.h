#pragma once

#include <cstdint>

namespace rs {

// Operand classes, one bit each; an operand's class comes from its first letter.
enum OperandClass : int32_t {
    ClassInputBit = 1,   // X
    ClassOutputBit = 2,  // Y, M, S
    ClassBit2 = 4,       // no operand form produces it
    ClassWord = 8,       // T, C, D, V, Z
    ClassConstant = 16,  // K, H
    ClassPointer = 32,   // P, N, I
};

// Packs one 6-bit field per operand position (position k in bits 6k..6k+5).
constexpr int32_t operandClassWord(int32_t p0, int32_t p1 = 0, int32_t p2 = 0, int32_t p3 = 0,
                                   int32_t p4 = 0) {
    return p0 | (p1 << 6) | (p2 << 12) | (p3 << 18) | (p4 << 24);
}
constexpr int32_t operandClassField(int32_t word, int position) {
    return (word >> (6 * position)) & 0x3F;
}

}  // namespace rs

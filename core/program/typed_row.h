#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/device/device_ref.h"
#include "core/instructions/instruction.h"

namespace rs {

// One row of a program, read once: its instruction looked up in the
// instruction table and its operand cut into words. The checks and the
// loaders read the row from here instead of parsing its text again.
struct TypedRow {
    std::string mnemonic;
    std::string operand;                              // as written
    const instr::Instruction* instruction = nullptr;  // nullptr: the table does not hold it
    std::vector<std::string> words;                   // the operand's words, split at white space
    // Each word read once (readOperandWord); empty where it names nothing.
    std::vector<std::optional<device::DeviceRef>> operands;

    bool is(instr::Kind k) const { return instruction != nullptr && instruction->kind == k; }
};

TypedRow typeRow(std::string mnemonic, std::string operand);

// Whether one of the row's operand words names a data register (D0, D8000)
// or a bit group of them; a constant that holds a D names none.
bool namesDataRegister(const TypedRow& row);

// One operand word as a bit group (K4M0), a constant (K10, H1F) or a device
// (X000, D0, P3), each in the strict syntax: the letter and one to four
// digits. Empty when the word is none of them.
std::optional<device::DeviceRef> readOperandWord(std::string_view word);

// The maximal runs of non-blank characters of a text.
std::vector<std::string> splitWords(const std::string& text);

}  // namespace rs

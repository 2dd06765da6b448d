#pragma once

#include <string>
#include <vector>

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

    bool is(instr::Kind k) const { return instruction != nullptr && instruction->kind == k; }
};

TypedRow typeRow(std::string mnemonic, std::string operand);

// The maximal runs of non-blank characters of a text.
std::vector<std::string> splitWords(const std::string& text);

}  // namespace rs

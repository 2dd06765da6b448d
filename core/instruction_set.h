#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/instructions/operand_class.h"

namespace rs {

// Selectors of the instruction classifier.
enum ClassifierSelector : int {
    SelFunctionNumber = 0,
    SelStepCount = 1,
    SelOperandCount = 2,
    SelOperandClasses = 3
};

constexpr int32_t kUnknownFunction = 255;  // function number of an unknown mnemonic

struct InstructionInfo {
    std::string_view mnemonic;
    int32_t functionMode1;
    bool renumberedInMode2;  // the mode-2 number is (2 * mode-1 number + 16) * 256
    int32_t steps;
    int32_t operands;
    int32_t classes;
};

// The function number a mode-1 number takes in mode 2 for the renumbered instructions.
constexpr int32_t mode2FunctionNumber(int32_t mode1) {
    return (2 * mode1 + 16) * 256;
}

// The entry of a mnemonic (exact, case-sensitive), or nullptr when unknown.
const InstructionInfo* findInstruction(std::string_view mnemonic);

// The instruction classifier: selector 0 function number, 1 step count,
// 2 operand count, 3 operand-class word; any other selector 0. Unknown
// mnemonics give 255, 0, 0, 0.
int32_t classifyInstruction(std::string_view mnemonic, int selector, bool mode2);

// The 18 sequence instructions, which the row classifier gives function
// number 0 and step count 1.
bool isSequenceInstruction(std::string_view mnemonic);

struct RowClass {
    int32_t functionNumber;
    int32_t stepCount;
};
// The row classifier: function number and step count an instruction-list row
// of this mnemonic is given.
RowClass classifyRow(std::string_view mnemonic, bool mode2);

// Every entry of the classifier table, in lookup order.
const InstructionInfo* instructionTableBegin();
const InstructionInfo* instructionTableEnd();

}  // namespace rs

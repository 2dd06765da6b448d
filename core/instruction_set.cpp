#include "core/instruction_set.h"

#include <vector>

#include "core/instructions/instruction.h"

namespace rs {

namespace {

// The classifier's entries, taken from the instruction table.
const std::vector<InstructionInfo>& classifierTable() {
    static const std::vector<InstructionInfo> table = [] {
        std::vector<InstructionInfo> out;
        for (const instr::Instruction& i : instr::instructions())
            if (i.in(instr::InClassifier))
                out.push_back({i.mnemonic, i.functionMode1, i.renumberedInMode2, i.steps,
                               i.operands, i.classes});
        return out;
    }();
    return table;
}

}  // namespace

const InstructionInfo* findInstruction(std::string_view mnemonic) {
    for (const auto& e : classifierTable())
        if (e.mnemonic == mnemonic) return &e;
    return nullptr;
}

int32_t classifyInstruction(std::string_view mnemonic, int selector, bool mode2) {
    const InstructionInfo* e = findInstruction(mnemonic);
    switch (selector) {
        case SelFunctionNumber:
            if (!e) return kUnknownFunction;
            return (mode2 && e->renumberedInMode2) ? mode2FunctionNumber(e->functionMode1)
                                                   : e->functionMode1;
        case SelStepCount:
            return e ? e->steps : 0;
        case SelOperandCount:
            return e ? e->operands : 0;
        case SelOperandClasses:
            return e ? e->classes : 0;
        default:
            return 0;
    }
}

bool isSequenceInstruction(std::string_view mnemonic) {
    const instr::Instruction* i = instr::find(mnemonic);
    return i != nullptr && i->isSequence();
}

RowClass classifyRow(std::string_view mnemonic, bool mode2) {
    if (isSequenceInstruction(mnemonic)) return {0, 1};
    return {classifyInstruction(mnemonic, SelFunctionNumber, mode2),
            classifyInstruction(mnemonic, SelStepCount, mode2)};
}

const InstructionInfo* instructionTableBegin() {
    return classifierTable().data();
}
const InstructionInfo* instructionTableEnd() {
    return classifierTable().data() + classifierTable().size();
}

}  // namespace rs

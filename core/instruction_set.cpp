#include "core/instruction_set.h"

#include <array>

namespace rs {

namespace {

constexpr int32_t kBitWordConst = ClassBit2 | ClassWord | ClassConstant;  // 28
constexpr int32_t kBitWord = ClassBit2 | ClassWord;                       // 12
constexpr int32_t kWordConst = ClassWord | ClassConstant;                 // 24
constexpr int32_t kYMS = ClassOutputBit;
constexpr int32_t kPNI = ClassPointer;
constexpr int32_t kUnreadBit30 = 1 << 30;  // carried by CJ and CALL, read by no check

constexpr std::array<InstructionInfo, 40> kTable{{
    {"CJ", 0, false, 3, 1, operandClassWord(kPNI) | kUnreadBit30},
    {"SET", 503, false, 1, 1, operandClassWord(kYMS)},
    {"RST", 504, false, 1, 1, operandClassWord(kYMS)},
    {"PRR", 1015, false, 5, 2, operandClassWord(kBitWordConst, ClassWord)},
    {"PRW", 1016, false, 5, 2, operandClassWord(kBitWordConst, kBitWordConst)},
    {"CALL", 1, false, 3, 1, operandClassWord(kPNI) | kUnreadBit30},
    {"SRET", 2, false, 1, 0, 0},
    {"IRET", 3, false, 1, 0, 0},
    {"EI", 4, false, 1, 0, 0},
    {"DI", 5, false, 1, 0, 0},
    {"FEND", 6, false, 1, 0, 0},
    {"WDT", 7, false, 1, 0, 0},
    {"FOR", 8, false, 3, 1, operandClassWord(kBitWordConst)},
    {"NEXT", 9, false, 1, 0, 0},
    {"CMP", 10, true, 7, 3, operandClassWord(kBitWordConst, kBitWordConst, kYMS)},
    {"ZCP", 11, true, 9, 4, operandClassWord(kBitWordConst, kBitWordConst, kBitWordConst, kYMS)},
    {"MOV", 12, true, 5, 2, operandClassWord(kBitWordConst, ClassWord)},
    {"SMOV", 13, false, 11, 5,
     operandClassWord(kBitWord, ClassConstant, ClassConstant, ClassWord, ClassConstant)},
    {"CML", 14, false, 5, 2, operandClassWord(kBitWordConst, ClassWord)},
    {"BMOV", 15, true, 7, 3, operandClassWord(kBitWord, ClassWord, kWordConst)},
    {"FMOV", 16, false, 7, 3, 0},
    {"XCH", 17, false, 5, 2, 0},
    {"BCD", 18, false, 5, 2, 0},
    {"BIN", 19, false, 5, 2, 0},
    {"ADD", 20, true, 7, 3, operandClassWord(kBitWordConst, kBitWordConst, ClassWord)},
    {"SUB", 21, true, 7, 3, operandClassWord(kBitWordConst, kBitWordConst, ClassWord)},
    {"MUL", 22, true, 7, 3, operandClassWord(kBitWordConst, kBitWordConst, ClassWord)},
    {"DIV", 23, true, 7, 3, operandClassWord(kBitWordConst, kBitWordConst, ClassWord)},
    {"INC", 24, true, 3, 1, operandClassWord(ClassWord)},
    {"DEC", 25, true, 3, 1, operandClassWord(ClassWord)},
    {"WAND", 26, false, 7, 3, 0},
    {"WOR", 27, false, 7, 3, 0},
    {"WXOR", 28, false, 7, 3, 0},
    {"NEG", 29, false, 3, 1, 0},
    {"OUT", 255, false, 3, 1, operandClassWord(ClassWord, kWordConst)},
    {"RS", 80, false, 9, 4, operandClassWord(kWordConst, kWordConst, kWordConst, kWordConst)},
    {"END", 0, false, 0, 0, 0},
    {"ROR", 30, true, 5, 2, operandClassWord(ClassWord, ClassConstant)},
    {"ROL", 31, true, 5, 2, operandClassWord(ClassWord, ClassConstant)},
    {"ZRST", 40, false, 5, 2, 0},
}};

constexpr std::array<std::string_view, 18> kSequence{"LD",   "LDI",  "LDP", "LDF", "AND", "ANI",
                                                     "ANDP", "ANDF", "OR",  "ORI", "ORP", "ORF",
                                                     "OUT",  "ANB",  "ORB", "MPS", "MRD", "MPP"};

}  // namespace

const InstructionInfo* findInstruction(std::string_view mnemonic) {
    for (const auto& e : kTable)
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
    for (auto s : kSequence)
        if (s == mnemonic) return true;
    return false;
}

RowClass classifyRow(std::string_view mnemonic, bool mode2) {
    if (isSequenceInstruction(mnemonic)) return {0, 1};
    return {classifyInstruction(mnemonic, SelFunctionNumber, mode2),
            classifyInstruction(mnemonic, SelStepCount, mode2)};
}

const InstructionInfo* instructionTableBegin() {
    return kTable.data();
}
const InstructionInfo* instructionTableEnd() {
    return kTable.data() + kTable.size();
}

}  // namespace rs

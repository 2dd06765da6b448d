#include <array>

#include "core/instructions/instruction.h"
#include "core/instructions/operand_class.h"

namespace rs::instr {

namespace {

using Op = EngineOp;

constexpr int32_t kBitWordConst = ClassBit2 | ClassWord | ClassConstant;  // 28
constexpr int32_t kBitWord = ClassBit2 | ClassWord;                       // 12
constexpr int32_t kWordConst = ClassWord | ClassConstant;                 // 24
constexpr int32_t kYMS = ClassOutputBit;
constexpr int32_t kPNI = ClassPointer;
constexpr int32_t kUnreadBit30 = 1 << 30;  // carried by CJ and CALL, read by no check

// What the editor offers: an entered line, a switch to the ladder and a
// download all take it.
constexpr uint16_t kEditorSet = LineEntry | ListToLadder | Downloadable;

constexpr std::string_view kContact = "Contacts";
constexpr std::string_view kOutput = "Outputs";
constexpr std::string_view kBlock = "Blocks and branches";
constexpr std::string_view kCompare = "Comparison";
constexpr std::string_view kTransfer = "Transfer";
constexpr std::string_view kArithmetic = "Arithmetic";
constexpr std::string_view kRotation = "Rotation";
constexpr std::string_view kAccess = "Controller parameters";
constexpr std::string_view kEnd = "Program end";
constexpr std::string_view kBitOperands = "X Y M S T C";

// The fields every entry has.
constexpr Instruction entry(std::string_view m, Kind kind, uint16_t sets, Op op,
                            std::string_view forms, Help help) {
    Instruction i{};
    i.mnemonic = m;
    i.kind = kind;
    i.sets = sets;
    i.engineOp = op;
    i.engineForms = forms;
    i.help = help;
    return i;
}

constexpr Instruction contact(std::string_view m, Kind role, Polarity p, Edge e, uint32_t mode1,
                              uint32_t mode2, Op op, std::string_view summary) {
    Instruction i = entry(m, role, kEditorSet, op, "b", {kContact, kBitOperands, summary});
    i.polarity = p;
    i.edge = e;
    i.mode1Code = mode1;
    i.mode2Code = mode2;
    return i;
}

constexpr Instruction noOperand(std::string_view m, Kind kind, uint16_t mode1, uint16_t mode2,
                                Op op, Help help) {
    Instruction i = entry(m, kind, kEditorSet, op, "", help);
    i.fixedMode1 = mode1;
    i.fixedMode2 = mode2;
    return i;
}

struct Counts {
    int32_t function;
    bool renumbered;
    int32_t steps;
    int32_t operands;
    int32_t classes;
};

constexpr Instruction classified(std::string_view m, Kind kind, uint16_t sets, Counts c, Op op,
                                 std::string_view forms, Help help = {}) {
    Instruction i = entry(m, kind, static_cast<uint16_t>(sets | InClassifier), op, forms, help);
    i.functionMode1 = c.function;
    i.renumberedInMode2 = c.renumbered;
    i.steps = c.steps;
    i.operands = c.operands;
    i.classes = c.classes;
    return i;
}

constexpr Instruction withDeviceCodes(Instruction i, uint32_t mode1, DeviceCodes mode2) {
    i.mode1Code = mode1;
    i.mode2ByDevice = mode2;
    return i;
}

constexpr Instruction endInstruction() {
    Instruction i = classified("END", Kind::End, kEditorSet, {0, false, 0, 0, 0}, Op::End, "",
                               {kEnd, "none", "End of the program"});
    i.fixedMode1 = 0xF0FF;
    i.fixedMode2 = 0x0F00;
    return i;
}

constexpr Instruction labelRow() {
    return entry("", Kind::Label, Downloadable | ListBoundary, Op::Label, "", {});
}

constexpr uint16_t kFlowEnd = RungEnd | ListBoundary;
constexpr int32_t kArith = operandClassWord(kBitWordConst, kBitWordConst, ClassWord);
constexpr std::string_view kArithOperands = "S1 S2 D: K H T C D, K H T C D, T C D";
constexpr Kind kApp = Kind::Application;
constexpr Kind kFlow = Kind::Flow;

using P = Polarity;
using E = Edge;

constexpr auto kTable = std::to_array<Instruction>({
    contact("LD", Kind::Load, P::Open, E::None, 0, 2, Op::Ld,
            "Start a rung with a normally open contact"),
    contact("LDI", Kind::Load, P::Closed, E::None, 1, 3, Op::Ldi,
            "Start a rung with a normally closed contact"),
    contact("LDP", Kind::Load, P::Open, E::Rising, 7, 0xCA01, Op::Ldp,
            "Start a rung with a rising-edge contact"),
    contact("LDF", Kind::Load, P::Open, E::Falling, 6, 0xCB01, Op::Ldf,
            "Start a rung with a falling-edge contact"),
    contact("AND", Kind::And, P::Open, E::None, 2, 4, Op::And, "Normally open contact in series"),
    contact("ANI", Kind::And, P::Closed, E::None, 3, 5, Op::Ani,
            "Normally closed contact in series"),
    contact("ANDP", Kind::And, P::Open, E::Rising, 9, 0xCC01, Op::Andp,
            "Rising-edge contact in series"),
    contact("ANDF", Kind::And, P::Open, E::Falling, 8, 0xCD01, Op::Andf,
            "Falling-edge contact in series"),
    contact("OR", Kind::Or, P::Open, E::None, 4, 6, Op::Or, "Normally open contact in parallel"),
    contact("ORI", Kind::Or, P::Closed, E::None, 5, 7, Op::Ori,
            "Normally closed contact in parallel"),
    contact("ORP", Kind::Or, P::Open, E::Rising, 11, 0xCE01, Op::Orp,
            "Rising-edge contact in parallel"),
    contact("ORF", Kind::Or, P::Open, E::Falling, 10, 0xCF01, Op::Orf,
            "Falling-edge contact in parallel"),
    withDeviceCodes(
        classified("OUT", Kind::Out, kEditorSet,
                   {255, false, 3, 1, operandClassWord(ClassWord, kWordConst)}, Op::Out, "",
                   {kOutput, "Y M S, or T C with K H D (OUT T0 K10)",
                    "Coil; a timer or counter takes its set value"}),
        12, {12, 0x200, 0, 14}),
    withDeviceCodes(
        classified("SET", Kind::Set, kEditorSet, {503, false, 1, 1, operandClassWord(kYMS)},
                   Op::Set, "b", {kOutput, "Y M S", "Set a bit and keep it on"}),
        kNoCode, {13, 0x300, 14, 14}),
    withDeviceCodes(
        classified("RST", Kind::Rst, kEditorSet, {504, false, 1, 1, operandClassWord(kYMS)},
                   Op::Rst, "",
                   {kOutput, "Y M S T C (D in mode 2)", "Reset a bit, timer, counter or register"}),
        kNoCode, {14, 0x400, 0xC00, 0xD00}),
    noOperand("ANB", Kind::Anb, 0xF0F8, 0xF8FF, Op::Anb,
              {kBlock, "none", "Connect two blocks in series"}),
    noOperand("ORB", Kind::Orb, 0xF0F7, 0xF9FF, Op::Orb,
              {kBlock, "none", "Connect two blocks in parallel"}),
    noOperand("MPS", Kind::Mps, 0xF0F9, 0xFAFF, Op::Mps,
              {kBlock, "none", "Store the operation result (output branch)"}),
    noOperand("MRD", Kind::Mrd, 0xF0FA, 0xFBFF, Op::Mrd,
              {kBlock, "none", "Read the stored result"}),
    noOperand("MPP", Kind::Mpp, 0xF0FB, 0xFCFF, Op::Mpp,
              {kBlock, "none", "Read and release the stored result"}),
    classified("CMP", kApp, kEditorSet,
               {10, true, 7, 3, operandClassWord(kBitWordConst, kBitWordConst, kYMS)}, Op::Cmp,
               "ssb",
               {kCompare, "S1 S2 D: K H T C D, K H T C D, Y M S",
                "Compare S1 with S2; D, D+1, D+2 show less, equal, greater"}),
    classified("ZCP", kApp, kEditorSet,
               {11, true, 9, 4,
                operandClassWord(kBitWordConst, kBitWordConst, kBitWordConst, kYMS)},
               Op::Zcp, "sssb",
               {kCompare, "S1 S2 S D: K H T C D (three), Y M S",
                "Compare S with the zone S1 to S2; D, D+1, D+2 show below, inside, above"}),
    classified("MOV", kApp, kEditorSet,
               {12, true, 5, 2, operandClassWord(kBitWordConst, ClassWord)}, Op::Mov, "sw",
               {kTransfer, "S D: K H T C D, T C D", "Move S to D"}),
    classified("BMOV", kApp, kEditorSet,
               {15, true, 7, 3, operandClassWord(kBitWord, ClassWord, kWordConst)}, Op::Bmov, "sws",
               {kTransfer, "S D n: T C D, T C D, K H D", "Move n words from S on to D on"}),
    classified("ADD", kApp, kEditorSet, {20, true, 7, 3, kArith}, Op::Add, "ssw",
               {kArithmetic, kArithOperands, "D = S1 + S2"}),
    classified("SUB", kApp, kEditorSet, {21, true, 7, 3, kArith}, Op::Sub, "ssw",
               {kArithmetic, kArithOperands, "D = S1 - S2"}),
    classified("MUL", kApp, kEditorSet, {22, true, 7, 3, kArith}, Op::Mul, "ssw",
               {kArithmetic, kArithOperands, "D = S1 x S2"}),
    classified("DIV", kApp, kEditorSet, {23, true, 7, 3, kArith}, Op::Div, "ssw",
               {kArithmetic, kArithOperands, "D = S1 / S2, remainder in D+1"}),
    classified("INC", kApp, kEditorSet, {24, true, 3, 1, operandClassWord(ClassWord)}, Op::Inc, "w",
               {kArithmetic, "D: T C D", "D = D + 1"}),
    classified("DEC", kApp, kEditorSet, {25, true, 3, 1, operandClassWord(ClassWord)}, Op::Dec, "w",
               {kArithmetic, "D: T C D", "D = D - 1"}),
    classified("ROR", kApp, kEditorSet,
               {30, true, 5, 2, operandClassWord(ClassWord, ClassConstant)}, Op::Ror, "ws",
               {kRotation, "D n: T C D, K H", "Rotate D right by n bits"}),
    classified("ROL", kApp, kEditorSet,
               {31, true, 5, 2, operandClassWord(ClassWord, ClassConstant)}, Op::Rol, "ws",
               {kRotation, "D n: T C D, K H", "Rotate D left by n bits"}),
    classified("PRR", kApp, kEditorSet | ModeOneOnly,
               {1015, false, 5, 2, operandClassWord(kBitWordConst, ClassWord)}, Op::NoOutput, "",
               {kAccess, "S D: K H T C D, T C D", "Read a controller parameter (mode 1 only)"}),
    classified(
        "PRW",
        kApp, kEditorSet | ModeOneOnly,
        {1016, false, 5, 2, operandClassWord(kBitWordConst, kBitWordConst)}, Op::NoOutput, "",
        {kAccess, "S1 S2: K H T C D, K H T C D", "Write a controller parameter (mode 1 only)"}),
    endInstruction(),

    // Known to the classifier and the scan engine; the editor refuses them.
    classified("CJ", kFlow, LabelTarget, {0, false, 3, 1, operandClassWord(kPNI) | kUnreadBit30},
               Op::Cj, "l"),
    classified("CALL", kFlow, LabelTarget, {1, false, 3, 1, operandClassWord(kPNI) | kUnreadBit30},
               Op::Call, "l"),
    classified("SRET", kFlow, kFlowEnd, {2, false, 1, 0, 0}, Op::Sret, ""),
    classified("IRET", kFlow, ListBoundary, {3, false, 1, 0, 0}, Op::NoFlow, ""),
    classified("EI", kFlow, 0, {4, false, 1, 0, 0}, Op::NoFlow, ""),
    classified("DI", kFlow, 0, {5, false, 1, 0, 0}, Op::NoFlow, ""),
    classified("FEND", kFlow, kFlowEnd, {6, false, 1, 0, 0}, Op::Fend, ""),
    classified("WDT", kFlow, 0, {7, false, 1, 0, 0}, Op::NoFlow, ""),
    classified("FOR", kFlow, kFlowEnd, {8, false, 3, 1, operandClassWord(kBitWordConst)}, Op::For,
               "s"),
    classified("NEXT", kFlow, kFlowEnd, {9, false, 1, 0, 0}, Op::Next, ""),
    classified("SMOV", kApp, 0,
               {13, false, 11, 5,
                operandClassWord(kBitWord, ClassConstant, ClassConstant, ClassWord, ClassConstant)},
               Op::Smov, "sssws"),
    classified("CML", kApp, 0, {14, false, 5, 2, operandClassWord(kBitWordConst, ClassWord)},
               Op::Cml, "sw"),
    classified("FMOV", kApp, 0, {16, false, 7, 3, 0}, Op::Fmov, "sws"),
    classified("XCH", kApp, 0, {17, false, 5, 2, 0}, Op::Xch, "ww"),
    classified("BCD", kApp, 0, {18, false, 5, 2, 0}, Op::Bcd, "sw"),
    classified("BIN", kApp, 0, {19, false, 5, 2, 0}, Op::Bin, "sw"),
    classified("WAND", kApp, 0, {26, false, 7, 3, 0}, Op::Wand, "ssw"),
    classified("WOR", kApp, 0, {27, false, 7, 3, 0}, Op::Wor, "ssw"),
    classified("WXOR", kApp, 0, {28, false, 7, 3, 0}, Op::Wxor, "ssw"),
    classified("NEG", kApp, 0, {29, false, 3, 1, 0}, Op::Neg, "w"),
    classified("RS", kApp, 0,
               {80, false, 9, 4, operandClassWord(kWordConst, kWordConst, kWordConst, kWordConst)},
               Op::NoOutput, ""),
    classified("ZRST", kApp, 0, {40, false, 5, 2, 0}, Op::Zrst, "zz"),
    labelRow(),
});

}  // namespace

std::span<const Instruction> instructions() {
    return kTable;
}

}  // namespace rs::instr

// The sets and numbers every module derives from the instruction table,
// checked against each other through the modules themselves: the line check,
// the code encoder and decoder, and the scan engine's loader.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "comm/upload_decoder.h"
#include "core/instruction_set.h"
#include "core/instructions/instruction.h"
#include "core/line_check.h"
#include "core/program/typed_row.h"
#include "sim/program.h"
#include "tests/comm/encode_helpers.h"
#include "tests/support/test_session.h"

namespace rs {
namespace {

using instr::Instruction;
using instr::Kind;

// An operand word of the classes one position demands, numbered by position
// so that no two operands name the same device.
std::string sampleWord(int32_t classes, int position) {
    const std::string n = std::to_string(position);
    if (classes & ClassWord) return "D" + n;
    if (classes & ClassConstant) return "K" + std::to_string(position + 1);
    if (classes & ClassOutputBit) return "M" + n;
    if (classes & ClassPointer) return "P" + n;
    return "X" + n;
}

// An operand an engineer could enter for the instruction.
std::string sampleOperand(const Instruction& i) {
    if (i.isContact() || i.kind == Kind::Set || i.kind == Kind::Rst) return "M0";
    if (i.kind == Kind::Out) return "Y0";
    std::string text;
    for (int k = 0; k < i.operands; ++k) {
        if (k > 0) text += ' ';
        text += sampleWord(operandClassField(i.classes, k), k);
    }
    return text;
}

bool lineAccepted(const Instruction& i, bool mode2) {
    test::TestSession ts;
    ts.app.m_bMode2 = mode2;
    const std::string m(i.mnemonic);
    const std::string operand = sampleOperand(i);
    return applyLine(ts.session, operand.empty() ? m : m + " " + operand, 0);
}

TEST(InstructionTable, MnemonicsAreUniqueAndTheEditorSetsAgree) {
    for (const Instruction& i : instr::instructions()) {
        EXPECT_EQ(instr::find(i.mnemonic), &i) << i.mnemonic;
        // What an engineer may enter also switches to the ladder and downloads.
        EXPECT_EQ(i.in(instr::LineEntry), i.in(instr::ListToLadder)) << i.mnemonic;
        if (i.in(instr::LineEntry)) {
            EXPECT_TRUE(i.in(instr::Downloadable)) << i.mnemonic;
        }
        EXPECT_EQ(!i.help.type.empty(), i.in(instr::LineEntry)) << i.mnemonic;
        EXPECT_EQ(i.isSequence(), isSequenceInstruction(i.mnemonic)) << i.mnemonic;
    }
}

TEST(InstructionTable, TheLineCheckAcceptsAnEntryInExactlyTheModesThatAcceptIt) {
    for (const Instruction& i : instr::instructions()) {
        if (i.kind == Kind::Label) continue;
        for (bool mode2 : {false, true}) {
            const bool expected = i.in(instr::LineEntry) && i.acceptedIn(mode2);
            EXPECT_EQ(lineAccepted(i, mode2), expected) << i.mnemonic << " mode2=" << mode2;
        }
    }
}

TEST(InstructionTable, EveryDownloadableInstructionEncodesAndUploadsByItsOwnName) {
    for (const Instruction& i : instr::instructions()) {
        if (!i.in(instr::Downloadable) || i.kind == Kind::Label || i.kind == Kind::End) continue;
        const std::string m(i.mnemonic);
        for (bool mode2 : {false, true}) {
            if (!i.acceptedIn(mode2)) continue;
            const auto words = test::encodeRow(m, sampleOperand(i), mode2);
            ASSERT_FALSE(words.empty()) << m << " mode2=" << mode2;
            // In mode 2 an application instruction is its function word and
            // two words per operand: its step count.
            if (mode2 && i.kind == Kind::Application) {
                EXPECT_EQ(static_cast<int32_t>(words.size()), i.steps) << m;
            }
            if (mode2) continue;
            auto table = std::make_unique<InstructionTable>();
            UploadDecoder decoder;
            for (uint16_t w : words) decoder.DecodeWord(w, *table);
            EXPECT_EQ(table->m_Instruction[0], m) << "mode 1 upload";
        }
    }
}

TEST(InstructionTable, TheEngineReadsEveryInstructionByItsOperandForms) {
    for (const Instruction& i : instr::instructions()) {
        const EngineOp op = i.engineOp;
        if (!i.in(instr::InClassifier) || op == EngineOp::NoOutput || op == EngineOp::Out ||
            op == EngineOp::Rst)
            continue;
        EXPECT_EQ(static_cast<int32_t>(i.engineForms.size()), i.operands) << i.mnemonic;
    }
    for (const Instruction& i : instr::instructions()) {
        if (!i.in(instr::Downloadable) || i.kind == Kind::Label) continue;
        sim::LoadError error;
        const auto program =
            sim::loadProgram({{std::string(i.mnemonic), sampleOperand(i)}, {"END", ""}}, error);
        ASSERT_TRUE(program.has_value()) << error.message;
        EXPECT_EQ(program->rows[0].op, i.engineOp) << i.mnemonic;
    }
}

TEST(InstructionTable, ContactsMapOntoTheirCellKindsBothWays) {
    for (const Instruction& i : instr::instructions()) {
        if (!i.isContact()) continue;
        EXPECT_EQ(instr::contactOfCell(i.kind, instr::contactCellKind(i)), &i) << i.mnemonic;
        EXPECT_EQ(instr::byMode1Code(i.mode1Code), &i) << i.mnemonic;
    }
}

TEST(TypedRow, LooksTheInstructionUpOnceAndCutsTheOperandAtAnyWhiteSpace) {
    const TypedRow mov = typeRow("MOV", " K10\tD0  ");
    ASSERT_NE(mov.instruction, nullptr);
    EXPECT_EQ(mov.instruction->mnemonic, "MOV");
    EXPECT_EQ(mov.words, (std::vector<std::string>{"K10", "D0"}));
    EXPECT_EQ(mov.operand, " K10\tD0  ");
    EXPECT_TRUE(typeRow("", "P0").is(Kind::Label));
    EXPECT_EQ(typeRow("mov", "").instruction, nullptr);
    EXPECT_FALSE(typeRow("NOP", "").is(Kind::Application));
    EXPECT_TRUE(typeRow("LD", "").words.empty());

    // Each word read once as a group, a constant or a device; nothing where it names none.
    const TypedRow bmov = typeRow("BMOV", "K4M8 H1F D12 X D1x");
    ASSERT_EQ(bmov.operands.size(), 5u);
    ASSERT_TRUE(bmov.operands[0].has_value());
    EXPECT_EQ(bmov.operands[0]->kind, device::DeviceRef::Kind::Group);
    EXPECT_EQ(bmov.operands[0]->groupDigits, 4);
    EXPECT_EQ(bmov.operands[0]->letter, 'M');
    EXPECT_EQ(bmov.operands[0]->number, 8);
    ASSERT_TRUE(bmov.operands[1].has_value());
    EXPECT_EQ(bmov.operands[1]->value, 0x1F);
    ASSERT_TRUE(bmov.operands[2].has_value());
    EXPECT_EQ(bmov.operands[2]->letter, 'D');
    EXPECT_EQ(bmov.operands[2]->number, 12);
    EXPECT_FALSE(bmov.operands[3].has_value());
    EXPECT_FALSE(bmov.operands[4].has_value());
}

}  // namespace
}  // namespace rs

#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "comm/operand_pieces.h"
#include "core/instruction_store.h"
#include "core/instructions/instruction.h"
#include "core/limits.h"
#include "core/program/typed_row.h"

namespace rs {

enum class EncodeStatus {
    Ok,
    TooLarge,  // the code would not fit the code buffer
    NoEnd,     // no END word was written
};

// Turns the instruction table into controller code words, in mode 1 or mode 2.
// Every write is bounded by the code buffer: code that would not fit is
// refused as a whole.
class CodeEncoder {
  public:
    explicit CodeEncoder(bool mode2) : m_mode2(mode2) { reset(); }

    // The whole program: every row from 0 until the END row, then m_codeEnd.
    EncodeStatus encodeProgram(InstructionTable& table);

    // Appends the words of one row. Row 0 with an empty mnemonic becomes END
    // in the table itself.
    void EncodeStep(InstructionTable& table, int row);

    // Appends the words of one typed row.
    void encodeRow(const TypedRow& row);

    // The value of one mnemonic and one operand piece; values of 0xFFFF and
    // above stand for two words, high half first.
    uint32_t EncodeWord(std::string_view mnemonic, std::string_view operand) const;

    // The word of an instruction that carries no device.
    uint16_t EncodeNoOperand(std::string_view mnemonic) const;

    void reset();
    const std::array<uint16_t, kCodeWords>& code() const { return m_code; }
    int codeCount() const { return m_codeCount; }
    int codeEnd() const { return m_codeEnd; }
    // The first code word of each row encodeProgram encoded, in row order.
    const std::vector<int>& rowStarts() const { return m_rowStarts; }
    bool stopped() const { return m_stopEncoding; }
    bool mode2() const { return m_mode2; }

  private:
    void put(int index, uint32_t word);  // bounded write of one 16-bit word
    void append(uint32_t word) {
        if (m_codeCount >= kCodeWords) m_overflow = true;
        put(m_codeCount++, word);
    }
    void appendValue(uint32_t v);    // one word below 0xFFFF, else two
    void appendHighLow(uint32_t v);  // always two words
    void appendSetValue(const OperandPieces& p);
    void encodeOut(const instr::Instruction* out, const OperandPieces& p);
    void encodeOperandsMode1(const OperandPieces& p);
    void encodeOperandsMode2(const OperandPieces& p);
    // The value of one operand piece for the row's instruction `i` (nullptr:
    // not in the table) named `m`.
    uint32_t word(const instr::Instruction* i, std::string_view m, const OperandPiece& p) const;
    uint32_t wordMode1(const instr::Instruction* i, std::string_view m,
                       const OperandPiece& p) const;
    uint32_t wordMode2(const instr::Instruction* i, std::string_view m,
                       const OperandPiece& p) const;
    // The value of a piece standing as an operand of its own.
    uint32_t operandWord(const OperandPiece& p) const;
    uint16_t noOperand(const instr::Instruction* i, std::string_view m) const;

    bool m_mode2;
    std::array<uint16_t, kCodeWords> m_code{};
    int m_codeCount = 0;
    int m_codeEnd = 0;
    std::vector<int> m_rowStarts;
    bool m_stopEncoding = false;
    bool m_overflow = false;
};

// The mode-2 descriptor of a data register (RST of a register, operands).
uint32_t dataRegisterDescriptor(uint32_t n);

}  // namespace rs

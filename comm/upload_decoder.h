#pragma once

#include <cstdint>
#include <string>

#include "core/instruction_store.h"

namespace rs {

// Turns the stream of code words read from the controller back into
// instruction-list rows, one word at a time in controller order.
class UploadDecoder {
  public:
    void reset() {
        g_uploadRow = -1;
        g_lastWord = 0xFFFF;
    }
    // A word either opens the next row or adds text to the current row's
    // operand. Rows past the table are never written.
    void DecodeWord(uint16_t word, InstructionTable& table);

    int uploadRow() const { return g_uploadRow; }
    uint16_t lastWord() const { return g_lastWord; }

  private:
    void openRow(InstructionTable& table, const std::string& mnemonic, const std::string& operand);
    std::string* currentOperand(InstructionTable& table);

    int g_uploadRow = -1;
    uint16_t g_lastWord = 0xFFFF;
};

// The name of an application-instruction number (a & 0xFF), "NULL" when the
// number names none.
std::string instructionName(int number);

}  // namespace rs

#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "core/limits.h"
#include "core/records.h"

namespace rs {

// The instruction table: four parallel arrays, one entry per instruction-list
// row. A row whose mnemonic and operand are both empty is free.
struct InstructionTable {
    InstructionTable() { clear(0); }
    void clear(int32_t stepCount);  // every row empty, function number 0
    bool rowUsed(int r) const {
        return r >= 0 && r < kListRows && (!m_Instruction[r].empty() || !m_Parameter[r].empty());
    }
    // Number of rows before the first free row.
    int usedRows() const;
    // Shifts rows r.. down by one, leaving row r empty; the last row falls off.
    bool insertRow(int r);
    // Shifts rows r+1.. up by one over row r; the last row becomes empty.
    bool deleteRow(int r);
    void setRow(int r, std::string mnemonic, std::string operand, int32_t fun, int32_t step);

    std::array<std::string, kListRows> m_Instruction;
    std::array<std::string, kListRows> m_Parameter;
    std::array<int32_t, kListRows> m_FunNo;
    std::array<int32_t, kListRows> m_FunStep;
};

// What the application object keeps of the program: the table, the encoding
// mode with its two menu check marks, and the program-wide flags.
struct AppStore {
    AppStore() : table(std::make_unique<InstructionTable>()) {}
    void setMode2(bool mode2) {
        m_bMode2 = mode2;
        m_nMode2Check = mode2 ? 1 : 0;
        m_nMode1Check = mode2 ? 0 : 1;
    }

    std::unique_ptr<InstructionTable> table;
    bool m_bMode2 = true;
    int32_t m_nMode2Check = 1;
    int32_t m_nMode1Check = 0;
    bool m_bCompiled = true;
    bool m_bUploaded = false;
};

// Store operations shared by Convert, the list editor, loading and saving.
namespace store {

// Start of Convert: the four program lists emptied, every table row empty with
// function number 0 and step count 0.
void clearForConvert(InstructionTable& table, RecordLists& records);

// Writes row r and appends one record to each of the four lists. Refused (false)
// when r lies outside the table.
bool emitRow(InstructionTable& table, RecordLists& records, int r, const std::string& mnemonic,
             const std::string& operand, int32_t fun, int32_t step);

// Row r becomes "END" with an empty operand; only its CInstruction and
// CParameter1 records are appended.
bool appendEnd(InstructionTable& table, RecordLists& records, int r);

// Writes an accepted line to row r: appended records when the row was free
// before, replaced records at position r otherwise.
bool applyRow(InstructionTable& table, RecordLists& records, int r, const std::string& mnemonic,
              const std::string& operand, int32_t fun, int32_t step);

// First redraw after loading: the table takes the rows of the record lists;
// a final "END" row takes only its mnemonic.
void loadCopy(InstructionTable& table, const RecordLists& records);

// First redraw after an upload: the record lists are made anew from the rows
// the upload wrote, row 0 up to the first free row or the END row. The upload
// brings mnemonics and operands only, so each row takes the function number and
// step count of its mnemonic; the END row, as after Convert, gets its mnemonic
// and operand records only.
void uploadRebuild(InstructionTable& table, RecordLists& records, bool mode2);

// Before saving: an empty program gets its END row, and the mode list holds
// exactly one record.
void prepareForSave(RecordLists& records, bool mode2);

// Whether the four program lists describe the same number of rows (the END
// row written by Convert lacks its function-number and step records).
bool listsConsistent(const RecordLists& records);

}  // namespace store
}  // namespace rs

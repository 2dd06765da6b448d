#pragma once

#include <cstdint>
#include <string>

namespace rs::ladder {

// What one instruction-list row does when the ladder is built from the list.
enum class RowRole : uint8_t {
    Load,    // LD LDI LDP LDF: a new block
    And,     // AND ANI ANDP ANDF: a contact in series
    Or,      // OR ORI ORP ORF: a contact in parallel
    Anb,     // the two latest blocks in series
    Orb,     // the two latest blocks in parallel
    Mps,     // open a split point
    Mrd,     // back to the split point
    Mpp,     // back to the split point and close it
    Output,  // OUT, or an application instruction: stands in column 10
    Label,   // empty mnemonic, an operand: a pointer label in column 0
    End,     // END, or a free row: the list ends before it
};

struct RowInfo {
    RowRole role = RowRole::End;
    int32_t kind = 0;  // cell kind the row is drawn as (contacts, coil, box)
};

// The role of a row and the cell kind it becomes: contacts by their mnemonic,
// OUT a coil, every other mnemonic an application instruction box.
RowInfo classifyListRow(const std::string& mnemonic, const std::string& operand);

// The text the output cell of a row holds: the operand for a coil; the
// mnemonic, a blank and the operand for an instruction box (the mnemonic alone
// when it has no operand).
std::string outputCellText(const std::string& mnemonic, const std::string& operand);

}  // namespace rs::ladder

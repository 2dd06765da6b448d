#pragma once

#include <array>
#include <string>
#include <string_view>

namespace rs {

// The operand of one instruction-list row cut into pieces for the encoder:
// device texts, the letters K and H and the number that follows them, and
// marker pieces "ParameterEnd " that close each operand of an application
// instruction.
struct OperandPieces {
    static constexpr int kSlots = 15;   // room for the pieces and a late marker
    static constexpr int kMaxCut = 10;  // cutting stops after the tenth piece
    std::array<std::string, kSlots> piece;
    int count = 0;  // pieces in use (a skipped piece counts)
};

inline constexpr std::string_view kMarkerPiece = "ParameterEnd ";

// Cuts the operand of a row with this mnemonic. A marker piece is always
// written whole, blank included, so an operand cut at the tenth piece still
// ends with its marker.
OperandPieces cutOperand(std::string_view mnemonic, std::string_view operand, bool mode2);

// The leading decimal digits of a piece as a number (0 when there are none).
uint32_t leadingNumber(std::string_view piece);

}  // namespace rs

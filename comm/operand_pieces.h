#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/program/typed_row.h"

namespace rs {

// One piece of an operand as the encoder reads it, read once when the
// operand is cut: its first letter and number in the encoder's device
// reading (`device::kEncoderSyntax`), its leading decimal digits (the number
// a constant letter takes from the piece after it), and what the piece is.
struct OperandPiece {
    enum class Kind : uint8_t {
        Device,          // a device text, or whatever else the cut left
        ConstantLetter,  // exactly K or H: the next piece holds the number
        OperandEnd,      // the marker that closes an operand
        Skipped,         // the empty piece INC and DEC skip in mode 2
    };
    Kind kind = Kind::Skipped;
    char letter = '\0';
    uint32_t number = 0;
    uint32_t leading = 0;
};

// The operand of one instruction-list row cut into pieces for the encoder:
// device texts, the letters K and H and the number that follows them, and
// marker pieces "ParameterEnd " that close each operand of an application
// instruction. `piece` holds the texts as cut, `read` each read once.
struct OperandPieces {
    static constexpr int kSlots = 15;   // room for the pieces and a late marker
    static constexpr int kMaxCut = 10;  // cutting stops after the tenth piece
    std::array<std::string, kSlots> piece;
    std::array<OperandPiece, kSlots> read;
    int count = 0;  // pieces in use (a skipped piece counts)
};

inline constexpr std::string_view kMarkerPiece = "ParameterEnd ";

// Cuts the operand of a row. A marker piece is always written whole, blank
// included, so an operand cut at the tenth piece still ends with its marker.
OperandPieces cutOperand(const TypedRow& row, bool mode2);

// One piece text read as the encoder reads it (a leading blank passed over).
OperandPiece readPiece(std::string_view text);

// The leading decimal digits of a piece as a number (0 when there are none).
uint32_t leadingNumber(std::string_view piece);

}  // namespace rs

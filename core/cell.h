#pragma once

#include <cstdint>

namespace rs {

// Symbol code of a ladder cell. Kinds 1 to 10 follow the order of the symbol
// list of the symbol entry dialog.
enum CellKind : int32_t {
    Empty = 0,
    OpenContact = 1,
    CloseContact = 2,
    OpenBranch = 3,
    CloseBranch = 4,
    Coil = 5,
    AppInstruction = 6,
    RisingPulse = 7,
    FallingPulse = 8,
    RisingPulseBranch = 9,
    FallingPulseBranch = 10,
    RisingEdgeMark = 11,
    FallingEdgeMark = 12,
    InvertMark = 13,
    HorizontalLine = 14,
};
constexpr int32_t kLastCellKind = HorizontalLine;

// Wiring bits of a cell.
using CellLinks = uint16_t;
constexpr CellLinks LinkWire = 0x001;         // horizontal wire through the cell
constexpr CellLinks LinkSymbol = 0x002;       // the cell holds a symbol
constexpr CellLinks LinkLeft = 0x004;         // connected on its left side
constexpr CellLinks LinkRight = 0x008;        // connected on its right side
constexpr CellLinks LinkDown = 0x010;         // vertical wire on the left edge, down one row
constexpr CellLinks LinkBranchEnd = 0x020;    // the vertical wire closes a branch
constexpr CellLinks LinkBranchStart = 0x040;  // the vertical wire opens a branch
constexpr CellLinks LinkVisited = 0x080;      // an output branch splits the rung here
constexpr CellLinks kLinkMask = 0x3FF;        // clearing a bit is AND with kLinkMask - bit
constexpr CellLinks kVerticalBits = LinkDown | LinkBranchEnd | LinkBranchStart | LinkVisited;
constexpr CellLinks kBoxCoverLinks = LinkWire | LinkLeft | LinkRight;  // 0x00D
constexpr CellLinks kAllDefinedLinks = 0x0FF;

constexpr bool isBranchKind(int32_t k) {
    return k == OpenBranch || k == CloseBranch || k == RisingPulseBranch || k == FallingPulseBranch;
}
constexpr bool isSerialContactKind(int32_t k) {
    return k == OpenContact || k == CloseContact || k == RisingPulse || k == FallingPulse;
}
// The serial twin of a branch kind (3->1, 4->2, 9->7, 10->8); other kinds unchanged.
constexpr int32_t serialTwin(int32_t k) {
    switch (k) {
        case OpenBranch:
            return OpenContact;
        case CloseBranch:
            return CloseContact;
        case RisingPulseBranch:
            return RisingPulse;
        case FallingPulseBranch:
            return FallingPulse;
        default:
            return k;
    }
}
// The marks drawn on a wire (rising edge, falling edge, invert): no
// instruction of the list takes them.
constexpr bool isMarkKind(int32_t k) {
    return k == RisingEdgeMark || k == FallingEdgeMark || k == InvertMark;
}
constexpr bool isOutputKind(int32_t k) {
    return k == Coil || k == AppInstruction;
}

}  // namespace rs

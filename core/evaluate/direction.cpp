#include "core/evaluate/direction.h"

namespace rs::eval {

bool coveredByBox(const LadderGrid& grid, int row, int col) {
    if (grid.kind(row, kOutputCol) != AppInstruction || !grid.hasSymbol(row, kOutputCol))
        return false;
    for (int c = col; c <= 9; ++c)
        if (grid.kind(row, c) != Empty || !grid.hasWire(row, c) || grid.hasSymbol(row, c))
            return false;
    return col >= 1 && col <= 9;
}

CellPath cellPath(const LadderGrid& grid, int row, int col) {
    if (col < 1 || col > 9) return CellPath::None;
    if (grid.hasSymbol(row, col))
        return isSerialContactKind(serialTwin(grid.kind(row, col))) ? CellPath::Contact
                                                                    : CellPath::None;
    if (!grid.hasWire(row, col)) return CellPath::None;
    return coveredByBox(grid, row, col) ? CellPath::LeftToRight : CellPath::BothWays;
}

}  // namespace rs::eval

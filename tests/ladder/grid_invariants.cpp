#include "tests/ladder/grid_invariants.h"

#include "core/instruction_set.h"

namespace rs::test {

namespace {

std::string at(const char* what, int r, int c) {
    return std::string(what) + " at " + std::to_string(r) + "," + std::to_string(c);
}

constexpr CellLinks kBuilderLinks = LinkWire | LinkSymbol | LinkLeft | LinkRight | LinkDown;

std::string rowViolation(const LadderGrid& g, int r) {
    if (g.kind(r, 0) != Empty || g.links(r, 0) != 0)
        return at("column 0 holds more than a label", r, 0);
    const int32_t out = g.kind(r, kOutputCol);
    int box = 0;
    if (out == AppInstruction) {
        box = classifyInstruction(g.outputMnemonic(r), SelOperandCount, true);
        if (box < 0 || box > kOutputCol - 1) return at("box wider than the row", r, kOutputCol);
    }
    for (int c = 1; c < kGridCols; ++c) {
        const int32_t k = g.kind(r, c);
        const CellLinks l = g.links(r, c);
        if ((l & ~kBuilderLinks) != 0) return at("bit the builder never writes", r, c);
        if (k == Empty && !g.text(r, c).empty()) return at("text in an empty cell", r, c);
        if (isBranchKind(k)) return at("branch kind", r, c);
        if (k == RisingEdgeMark || k == FallingEdgeMark || k == InvertMark || k < 0 ||
            k > kLastCellKind)
            return at("kind the list never gives", r, c);
        if (isSerialContactKind(k) && c == kOutputCol) return at("contact in column 10", r, c);
        if (isOutputKind(k) && c != kOutputCol) return at("output left of column 10", r, c);
        if (k == HorizontalLine && c == kOutputCol) return at("wire in column 10", r, c);
        const bool symbol = isSerialContactKind(k) || isOutputKind(k);
        if (symbol != ((l & LinkSymbol) != 0)) return at("symbol bit disagrees", r, c);
        if (symbol && (l & LinkWire) == 0) return at("symbol without wire", r, c);
        if (symbol && g.text(r, c).empty()) return at("symbol without text", r, c);
        if (k == HorizontalLine && (l & LinkWire) == 0) return at("line without wire", r, c);
        const bool covered = c >= kOutputCol - box && c < kOutputCol;
        if (covered && (k != Empty || (l & kBoxCoverLinks) != kBoxCoverLinks))
            return at("box column not covered", r, c);
        if (!covered && c < kOutputCol && k == Empty && (l & LinkWire) != 0)
            return at("wire bit in an empty cell", r, c);
    }
    return {};
}

}  // namespace

std::string gridViolation(const LadderGrid& g, int lastRow) {
    if (lastRow >= kGridRows) return "last row outside the grid";
    for (int r = 0; r <= lastRow; ++r) {
        std::string v = rowViolation(g, r);
        if (!v.empty()) return v;
    }
    for (int c = 0; c < kGridCols; ++c) {
        int run = 0;
        for (int r = 0; r <= lastRow; ++r) {
            run = g.has(r, c, LinkDown) ? run + 1 : 0;
            if (run > kMaxVerticalChain) return at("vertical wire too long", r, c);
        }
    }
    for (int r = lastRow + 1; r < kGridRows; ++r)
        for (int c = 0; c < kGridCols; ++c)
            if (g.kind(r, c) != Empty || g.links(r, c) != 0 || !g.text(r, c).empty())
                return at("cell below the last row", r, c);
    return {};
}

}  // namespace rs::test

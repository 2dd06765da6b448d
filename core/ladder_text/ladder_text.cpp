#include "core/ladder_text/ladder_text.h"

#include <algorithm>

#include "core/cell.h"
#include "core/instruction_set.h"

namespace rs {

namespace {

constexpr int kCellWidth = 8;     // columns 1 to 9
constexpr int kOutputWidth = 16;  // column 10
constexpr int kMarginWidth = 10;  // label and step label

std::string fit(const std::string& text, size_t width) {
    std::string s = text.substr(0, width);
    s.resize(width, ' ');
    return s;
}

std::string contactGlyph(int32_t kind) {
    switch (kind) {
        case OpenContact:
            return "--| |---";
        case CloseContact:
            return "--|/|---";
        case RisingPulse:
            return "--|P|---";
        case FallingPulse:
            return "--|F|---";
        case OpenBranch:
            return "--+ +---";
        case CloseBranch:
            return "--+/+---";
        case RisingPulseBranch:
            return "--+P+---";
        case FallingPulseBranch:
            return "--+F+---";
        case RisingEdgeMark:
            return "---^----";
        case FallingEdgeMark:
            return "---v----";
        case InvertMark:
            return "---/----";
        case HorizontalLine:
            return "--------";
        default:
            return std::string(kCellWidth, ' ');
    }
}

int boxOperands(const LadderGrid& grid, int row);

// Start of a column's text within a drawn line (after the margin and the rail).
size_t columnStart(int col) {
    return kMarginWidth + 1 + static_cast<size_t>(col - 1) * kCellWidth;
}

void drawRow(const LadderGrid& grid, int r, std::string& top, std::string& bottom) {
    const size_t width = columnStart(kOutputCol) + kOutputWidth + 1;
    top.assign(width, ' ');
    bottom.assign(width, ' ');
    const std::string margin = grid.text(r, 0);
    top.replace(0, kMarginWidth, fit(margin, kMarginWidth));
    bottom.replace(0, kMarginWidth, fit(grid.rowStep(r), kMarginWidth));
    top[kMarginWidth] = '|';
    bottom[kMarginWidth] = '|';

    const int32_t outKind = grid.kind(r, kOutputCol);
    const int boxCols = outKind == AppInstruction ? boxOperands(grid, r) : 0;
    for (int c = 1; c < kOutputCol; ++c) {
        if (c >= kOutputCol - boxCols) continue;
        const size_t x = columnStart(c);
        const int32_t k = grid.kind(r, c);
        std::string glyph = contactGlyph(k);
        if (k == Empty && grid.hasWire(r, c)) glyph = std::string(kCellWidth, '-');
        bottom.replace(x, kCellWidth, glyph);
        if (k != HorizontalLine && k != Empty)
            top.replace(x + 1, kCellWidth - 1, fit(grid.text(r, c), kCellWidth - 1));
    }
    const size_t out = columnStart(kOutputCol);
    if (outKind == Coil) {
        bottom.replace(out, kOutputWidth, "--(   )---------");
        top.replace(out + 1, kOutputWidth - 1, fit(grid.text(r, kOutputCol), kOutputWidth - 1));
    } else if (outKind == AppInstruction) {
        const size_t from = columnStart(kOutputCol - boxCols);
        const size_t span = out + kOutputWidth - from;
        std::string box = "[" + grid.text(r, kOutputCol).substr(0, span - 3) + "]";
        box.resize(span, '-');
        bottom.replace(from, span, box);
    } else if (grid.hasWire(r, kOutputCol)) {
        bottom.replace(out, kOutputWidth, std::string(kOutputWidth, '-'));
    }
    top[width - 1] = '|';
    bottom[width - 1] = '|';

    // Vertical wires: on the left edge of a column, from the middle of a row
    // to the middle of the next.
    for (int c = 2; c < kGridCols; ++c) {
        const size_t x = columnStart(c);
        const bool fromAbove = grid.has(r - 1, c, LinkDown);
        const bool toBelow = grid.has(r, c, LinkDown);
        if (fromAbove) top[x] = '|';
        if (fromAbove || toBelow) bottom[x] = '+';
    }
}

int boxOperands(const LadderGrid& grid, int row) {
    const int n = classifyInstruction(grid.outputMnemonic(row), SelOperandCount, true);
    return std::clamp(n, 0, kOutputCol - 1);
}

}  // namespace

std::string drawLadderText(const LadderGrid& grid, int lastRow) {
    std::string out;
    std::string top;
    std::string bottom;
    const int last = std::min(lastRow, kGridRows - 1);
    for (int r = 0; r <= last; ++r) {
        drawRow(grid, r, top, bottom);
        out += top + "\n" + bottom + "\n";
    }
    const int endRow = last + 1;
    const size_t width = columnStart(kOutputCol) + kOutputWidth + 1;
    std::string end(width, '-');
    end.replace(0, kMarginWidth, fit(endRow < kGridRows ? grid.rowStep(endRow) : "", kMarginWidth));
    end[kMarginWidth] = '|';
    end.replace(columnStart(kOutputCol), kOutputWidth, "[ END    ]------");
    end[width - 1] = '|';
    out +=
        std::string(kMarginWidth, ' ') + "|" + std::string(width - kMarginWidth - 2, ' ') + "|\n";
    out += end + "\n";
    return out;
}

}  // namespace rs

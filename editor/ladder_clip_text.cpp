#include "editor/ladder_clip_text.h"

#include "core/char_class.h"
#include "core/limits.h"

namespace rs {

namespace {

void put(std::string& out, size_t at, size_t width, const std::string& value) {
    out.replace(at, std::min(width, value.size()), value, 0, std::min(width, value.size()));
}

// A field as the characters other than the fill letter.
std::string field(std::string_view text, size_t at, size_t width) {
    std::string out;
    for (char c : text.substr(at, width))
        if (c != kClipFill) out.push_back(c);
    return out;
}

// A decimal field: digits only, at least one.
std::optional<int> number(std::string_view text, size_t at, size_t width) {
    const std::string digits = field(text, at, width);
    if (digits.empty()) return std::nullopt;
    int value = 0;
    for (char c : digits) {
        if (!isDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

CellLinks clipLinks(int32_t kind, CellLinks links) {
    // A vertical wire on the cell's left edge is part of the drawn ladder and
    // travels with the cell; the other bits are worked out again after a paste.
    const CellLinks down = links & LinkDown;
    switch (links & (kLinkMask - LinkDown)) {
        case 0:
        case 7:
        case 8:
        case 11:
        case 13:
        case 15:
            return links;
        default:
            break;
    }
    if (isSerialContactKind(kind)) return 15 | down;
    if (kind == HorizontalLine) return 13 | down;
    return links;
}

bool fitsLadderClipText(int rows, int cols) {
    return rows >= 0 && cols >= 0 && rows <= 999 && cols <= kGridCols &&
           rows * cols <= kLadderClipRecords;
}

std::string ladderClipText(const LadderBlock& block) {
    if (!fitsLadderClipText(block.rows, block.cols)) return {};
    std::string out(kLadderClipTextSize, kClipFill);
    put(out, 0, 3, std::to_string(block.rows));
    put(out, 3, 2, std::to_string(block.cols));
    size_t at = kLadderClipHeader;
    for (const ClipCell& cell : block.cells) {
        put(out, at, 3, std::to_string(clipLinks(cell.kind, cell.links)));
        put(out, at + 3, kLadderClipCellText, cell.text);
        put(out, at + 33, 2, std::to_string(cell.kind));
        at += kLadderClipRecord;
    }
    return out;
}

std::optional<LadderBlock> readLadderClipText(std::string_view text) {
    if (text.size() < kLadderClipHeader || text.size() >= kLadderClipTextLimit) return std::nullopt;
    const auto rows = number(text, 0, 3);
    const auto cols = number(text, 3, 2);
    if (!rows || !cols || !fitsLadderClipText(*rows, *cols)) return std::nullopt;
    LadderBlock block;
    block.rows = *rows;
    block.cols = *cols;
    const size_t records = static_cast<size_t>(block.rows) * static_cast<size_t>(block.cols);
    if (text.size() < kLadderClipHeader + records * kLadderClipRecord) return std::nullopt;
    block.cells.reserve(records);
    for (size_t k = 0; k < records; ++k) {
        const size_t at = kLadderClipHeader + k * kLadderClipRecord;
        const auto links = number(text, at, 3);
        const auto kind = number(text, at + 33, 2);
        if (!links || !kind || *links > kAllDefinedLinks || *kind > kLastCellKind)
            return std::nullopt;
        block.cells.push_back(
            {*kind, field(text, at + 3, kLadderClipCellText), static_cast<CellLinks>(*links)});
    }
    return block;
}

}  // namespace rs

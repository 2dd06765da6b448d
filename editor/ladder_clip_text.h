#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/cell.h"

namespace rs {

// The clipboard text of a copied ladder block: 58000 characters, every
// position not written holding the letter a (the editor's texts are upper
// case). A 5-character header (rows in 3, columns in 2, decimal, left-aligned)
// is followed by one 35-character record per cell, column by column: links
// (3), text cut at 30 characters (30), kind (2).
constexpr size_t kLadderClipTextSize = 58000;
constexpr size_t kLadderClipTextLimit = 60000;  // longer texts are never ours
constexpr size_t kLadderClipHeader = 5;
constexpr size_t kLadderClipRecord = 35;
constexpr size_t kLadderClipCellText = 30;
// Records that fit in the text.
constexpr int kLadderClipRecords =
    static_cast<int>((kLadderClipTextSize - kLadderClipHeader) / kLadderClipRecord) + 1;
constexpr char kClipFill = 'a';

struct ClipCell {
    int32_t kind = 0;
    std::string text;
    CellLinks links = 0;
};

// A rectangle of cells; cells are held column by column (index col * rows + row).
struct LadderBlock {
    int rows = 0;
    int cols = 0;
    std::vector<ClipCell> cells;
    const ClipCell& at(int row, int col) const {
        return cells[static_cast<size_t>(col) * static_cast<size_t>(rows) +
                     static_cast<size_t>(row)];
    }
};

// Links as the clipboard carries them: a contact whose links, apart from a
// vertical wire (LinkDown), are not one of 0, 7, 8, 11, 13, 15 is written with
// 15, such a horizontal line with 13; the vertical wire is kept.
CellLinks clipLinks(int32_t kind, CellLinks links);

// Whether a block of this size fits in the text.
bool fitsLadderClipText(int rows, int cols);

// The text of a block (cell texts cut at 30 characters, links as above); empty
// when the block does not fit.
std::string ladderClipText(const LadderBlock& block);

// The block held by a clipboard text; nothing when the text is not a ladder
// text of this program or is cut short.
std::optional<LadderBlock> readLadderClipText(std::string_view text);

}  // namespace rs

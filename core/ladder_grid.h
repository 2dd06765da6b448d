#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/cell.h"
#include "core/limits.h"

namespace rs {

// The ladder the user edits: 4000 rows by 11 columns of cells, a step label
// per row and the row bookkeeping of the editor. Reads outside the grid give
// an empty cell; writes outside it are refused.
class LadderGrid {
  public:
    LadderGrid();

    static constexpr bool inside(int row, int col) {
        return row >= 0 && row < kGridRows && col >= 0 && col < kGridCols;
    }

    int32_t kind(int row, int col) const { return inside(row, col) ? m_CellKind[row][col] : Empty; }
    const std::string& text(int row, int col) const;
    CellLinks links(int row, int col) const {
        return inside(row, col) ? m_CellLinks[row][col] : CellLinks{0};
    }
    bool has(int row, int col, CellLinks bits) const { return (links(row, col) & bits) != 0; }
    bool hasSymbol(int row, int col) const { return has(row, col, LinkSymbol); }
    bool hasWire(int row, int col) const { return has(row, col, LinkWire); }

    bool setKind(int row, int col, int32_t kind);
    bool setText(int row, int col, std::string text);
    bool setLinks(int row, int col, CellLinks links);
    bool addLinks(int row, int col, CellLinks bits);
    bool removeLinks(int row, int col, CellLinks bits);
    bool setCell(int row, int col, int32_t kind, std::string text, CellLinks links);
    bool clearCell(int row, int col);  // kind 0, empty text, links 0
    void clearAll();                   // every cell and step label

    // The mnemonic of the output in column 10 of a row: the first run of letters
    // of its text, ending at a blank or the end; empty when there is none.
    std::string outputMnemonic(int row) const;

    const std::string& rowStep(int row) const;
    bool setRowStep(int row, std::string text);

    int m_nLastRow = -1;
    int m_nDrawnLastRow = -1;
    int m_nListLastRow = -1;
    int m_nCursorRow = -1;
    int m_nCursorCol = -1;

  private:
    std::array<std::array<int32_t, kGridCols>, kGridRows> m_CellKind;
    std::array<std::array<std::string, kGridCols>, kGridRows> m_CellText;
    std::array<std::array<CellLinks, kGridCols>, kGridRows> m_CellLinks;
    std::array<std::string, kGridRows> m_RowStep;
};

// Cells a paste overwrote, kept at their offset in the pasted block so that a
// refused cell can be put back.
struct PasteBackup {
    PasteBackup() { clear(); }
    void clear();
    static constexpr bool inside(int row, int col) {
        return row >= 0 && row < kClipRows && col >= 0 && col < kGridCols;
    }
    std::array<std::array<int32_t, kGridCols>, kClipRows> m_ClipKind;
    std::array<std::array<std::string, kGridCols>, kClipRows> m_ClipText;
    std::array<std::array<CellLinks, kGridCols>, kClipRows> m_ClipLinks;
};

}  // namespace rs

#include "core/ladder_grid.h"

#include "core/char_class.h"

namespace rs {

namespace {
const std::string kNoText;
}

LadderGrid::LadderGrid() {
    clearAll();
}

void LadderGrid::clearAll() {
    for (auto& row : m_CellKind) row.fill(Empty);
    for (auto& row : m_CellLinks) row.fill(0);
    for (auto& row : m_CellText)
        for (auto& t : row) t.clear();
    for (auto& s : m_RowStep) s.clear();
}

const std::string& LadderGrid::text(int row, int col) const {
    return inside(row, col) ? m_CellText[row][col] : kNoText;
}

bool LadderGrid::setKind(int row, int col, int32_t kind) {
    if (!inside(row, col)) return false;
    m_CellKind[row][col] = kind;
    return true;
}

bool LadderGrid::setText(int row, int col, std::string text) {
    if (!inside(row, col)) return false;
    m_CellText[row][col] = std::move(text);
    return true;
}

bool LadderGrid::setLinks(int row, int col, CellLinks links) {
    if (!inside(row, col)) return false;
    m_CellLinks[row][col] = links & kLinkMask;
    return true;
}

bool LadderGrid::addLinks(int row, int col, CellLinks bits) {
    return inside(row, col) && setLinks(row, col, m_CellLinks[row][col] | bits);
}

bool LadderGrid::removeLinks(int row, int col, CellLinks bits) {
    return inside(row, col) && setLinks(row, col, m_CellLinks[row][col] & (kLinkMask - bits));
}

bool LadderGrid::setCell(int row, int col, int32_t kind, std::string text, CellLinks links) {
    if (!inside(row, col)) return false;
    m_CellKind[row][col] = kind;
    m_CellText[row][col] = std::move(text);
    m_CellLinks[row][col] = links & kLinkMask;
    return true;
}

bool LadderGrid::clearCell(int row, int col) {
    return setCell(row, col, Empty, {}, 0);
}

std::string LadderGrid::outputMnemonic(int row) const {
    const std::string& t = text(row, kOutputCol);
    size_t i = 0;
    while (i < t.size() && !isLetter(t[i])) ++i;
    size_t j = i;
    while (j < t.size() && isLetter(t[j])) ++j;
    return t.substr(i, j - i);
}

const std::string& LadderGrid::rowStep(int row) const {
    return (row >= 0 && row < kGridRows) ? m_RowStep[row] : kNoText;
}

bool LadderGrid::setRowStep(int row, std::string text) {
    if (row < 0 || row >= kGridRows) return false;
    m_RowStep[row] = std::move(text);
    return true;
}

void PasteBackup::clear() {
    for (auto& row : m_ClipKind) row.fill(Empty);
    for (auto& row : m_ClipLinks) row.fill(0);
    for (auto& row : m_ClipText)
        for (auto& t : row) t.clear();
}

}  // namespace rs

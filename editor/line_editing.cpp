#include <algorithm>

#include "core/messages.h"
#include "editor/editor.h"
#include "editor/editor_messages.h"
#include "editor/list_rows.h"

namespace rs {

namespace {

// Columns 1 to 10 of a grid row; the margin (labels) and step labels stay.
void copyRow(LadderGrid& g, int from, int to) {
    for (int col = 1; col <= kOutputCol; ++col)
        g.setCell(to, col, g.kind(from, col), g.text(from, col), g.links(from, col));
}
void clearRow(LadderGrid& g, int row) {
    for (int col = 1; col <= kOutputCol; ++col) g.clearCell(row, col);
}

}  // namespace

void Editor::insertLine() {
    if (listMode())
        insertListLineAt(m_s.view.m_nListCursor);
    else
        insertLadderLine();
}

void Editor::deleteLine() {
    if (listMode())
        deleteListLineAt(m_s.view.m_nListCursor);
    else
        deleteLadderLine();
}

void Editor::insertLadderLine() {
    LadderGrid& g = grid();
    const int r = g.m_nCursorRow;
    // The rows move down by one and the END row below them must stay in the grid.
    if (r < 0 || r > g.m_nLastRow + 1 || g.m_nLastRow + 1 > kLastLadderRow) {
        refuse(msg::kExceedsEditRange);
        return;
    }
    for (int row = g.m_nLastRow; row >= r; --row) copyRow(g, row, row + 1);
    clearRow(g, r);
    // Vertical wires continue through the new row.
    if (r >= 1)
        for (int col = 2; col <= kOutputCol; ++col)
            if (g.has(r - 1, col, LinkDown)) g.addLinks(r, col, LinkDown);
    ++g.m_nLastRow;
    m_s.commit();
    markModified();
}

void Editor::deleteLadderLine() {
    LadderGrid& g = grid();
    const int r = g.m_nCursorRow;
    if (g.m_nDrawnLastRow == -1 || r == g.m_nLastRow + 1) {
        refuse(msg::kLadderEndCannotBeEdited);
        return;
    }
    // Below the END row there is nothing to delete.
    if (r < 0 || r > g.m_nLastRow + 1) return;
    // Vertical wires that passed through the deleted row now start one row higher.
    if (r >= 1)
        for (int col = 2; col <= kOutputCol; ++col)
            g.setLinks(r - 1, col,
                       static_cast<CellLinks>((g.links(r - 1, col) & 0x00F) |
                                              (g.links(r, col) & kVerticalBits)));
    clearRow(g, r);
    for (int row = r + 1; row <= g.m_nLastRow + 1; ++row) copyRow(g, row, row - 1);
    clearRow(g, g.m_nLastRow + 1);  // the END row moved up; its old place is free
    const int last = (r != 0 || g.m_nDrawnLastRow != 0) ? std::max(g.m_nLastRow - 1, -1) : -1;
    g.m_nLastRow = last;
    g.m_nDrawnLastRow = last;
    g.m_nListLastRow = last;
    m_s.commit();
    markModified();
}

bool Editor::insertBlankListLine(int l) {
    InstructionTable& t = table();
    // Every used row moves down by one: the last row of the table must be free.
    if (l < 0 || l >= kListRows || !listHasRoomFor(t, 1)) {
        refuse(msg::kExceedsEditRange);
        return false;
    }
    insertListRow(t, m_s.view.records, l, "NOP", "", 0, 1);
    return true;
}

bool Editor::insertListLineAt(int l) {
    if (!insertBlankListLine(l)) return false;
    m_s.view.m_nListCursor = l + 1;
    markModified();
    return true;
}

void Editor::deleteListLineAt(int l) {
    InstructionTable& t = table();
    if (l < 0 || l >= kListRows || !t.rowUsed(l)) return;
    // The END line stays, so the list always ends with it.
    if (t.m_Instruction[l] == "END") {
        refuse(msg::kEndCannotBeEdited);
        return;
    }
    eraseListRow(t, m_s.view.records, l);
    markModified();
}

}  // namespace rs

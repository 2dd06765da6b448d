#include <algorithm>

#include "core/messages.h"
#include "editor/editor.h"
#include "editor/list_rows.h"

namespace rs {

void Editor::deleteSelection() {
    if (listMode())
        deleteListSelection();
    else
        deleteLadderSelection();
}

void Editor::deleteLadderSelection() {
    LadderGrid& g = grid();
    ViewState& v = m_s.view;
    const int r = g.m_nCursorRow;
    const int c = g.m_nCursorCol;
    if (m_bDragged) {
        const int top = std::max(std::min(r, v.m_nSelEndRow), 0);
        const int bottom = std::min(std::max(r, v.m_nSelEndRow), kGridRows - 1);
        const int left = std::max(std::min(c, v.m_nSelEndCol), 0);
        const int right = std::min(std::max(c, v.m_nSelEndCol), static_cast<int>(kOutputCol));
        for (int row = top; row <= bottom; ++row)
            for (int col = left; col <= right; ++col) g.clearCell(row, col);
        v.m_nSelEndRow = 0;
        v.m_nSelEndCol = 0;
        // The selection is used up: a second Delete takes only the cursor cell.
        m_bDragged = false;
    } else if (insideBox(r, c)) {
        for (int col = kOutputCol - boxOperands(r); col <= kOutputCol; ++col) g.clearCell(r, col);
    } else {
        g.clearCell(r, c);
    }
    m_s.commit();
}

void Editor::deleteListSelection() {
    ViewState& v = m_s.view;
    InstructionTable& t = table();
    const auto [first, last] = selectedLines(v.m_nListCursor, v.m_nListSelExtent);
    if (first >= kListRows) return;
    if (t.m_Instruction[first] == "END") {
        refuse(msg::kEndCannotBeEdited);
        return;
    }
    // Lines up to the END line go; the END line itself stays.
    bool changed = false;
    for (int i = first; i <= last; ++i) {
        if (!t.rowUsed(first) || t.m_Instruction[first] == "END") break;
        eraseListRow(t, v.records, first);
        changed = true;
    }
    v.m_nListCursor = first;
    v.m_nListSelExtent = 0;
    if (changed) markModified();
}

}  // namespace rs

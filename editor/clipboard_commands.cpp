#include <algorithm>

#include "core/instruction_set.h"
#include "core/messages.h"
#include "editor/editor.h"
#include "editor/ladder_clip_text.h"
#include "editor/list_clip_text.h"
#include "editor/list_rows.h"

namespace rs {

void Editor::copy() {
    if (listMode())
        copyList();
    else
        copyLadder();
}

void Editor::cut() {
    // Only what reached the clipboard is deleted.
    const bool copied = listMode() ? copyList() : copyLadder();
    if (copied) deleteSelection();
}

void Editor::paste() {
    if (listMode())
        pasteList();
    else
        pasteLadder();
}

bool Editor::copyLadder() {
    const LadderGrid& g = grid();
    const ViewState& v = m_s.view;
    const int r = g.m_nCursorRow;
    const int c = g.m_nCursorCol;
    int top = r, bottom = r, left = c, right = c;
    if (m_bDragged) {
        // One row, one column or a rectangle: the cells between the cursor and
        // the end of the drag.
        top = std::min(r, v.m_nSelEndRow);
        bottom = std::max(r, v.m_nSelEndRow);
        left = std::min(c, v.m_nSelEndCol);
        right = std::max(c, v.m_nSelEndCol);
    } else if (c <= 0) {
        bottom = top - 1;  // nothing selected in the margin: an empty block
        right = left - 1;
    } else if (insideBox(r, c)) {
        left = right = kOutputCol;  // the instruction, not a covered cell
    }
    LadderBlock block;
    block.rows = bottom - top + 1;
    block.cols = right - left + 1;
    if (block.rows > kClipRows || !fitsLadderClipText(block.rows, block.cols)) {
        refuse(msg::kExceedsEditRange);
        return false;
    }
    for (int col = left; col <= right; ++col)
        for (int row = top; row <= bottom; ++row)
            block.cells.push_back({g.kind(row, col), g.text(row, col), g.links(row, col)});
    m_clipboard.setText(ladderClipText(block));
    m_nClipRows = block.rows;
    m_nClipCols = block.cols;
    return true;
}

bool Editor::copyList() {
    const InstructionTable& t = table();
    const auto [first, last] = selectedLines(m_s.view.m_nListCursor, m_s.view.m_nListSelExtent);
    std::vector<ClipLine> lines;
    for (int i = first; i <= last; ++i) lines.push_back({t.m_Instruction[i], t.m_Parameter[i]});
    const std::string text = listClipText(lines);
    // A text the paste would not take is not written.
    if (text.size() >= kListClipTextLimit) {
        refuse(msg::kExceedsEditRange);
        return false;
    }
    m_clipboard.setText(text);
    return true;
}

void Editor::pasteLadder() {
    LadderGrid& g = grid();
    const int r = g.m_nCursorRow;
    const int c = g.m_nCursorCol;
    if (c <= 0 || r < 0) {
        refuse(msg::kEditPositionIncorrect);
        return;
    }
    const std::optional<LadderBlock> block = readLadderClipText(m_clipboard.text());
    if (!block) return;  // not a ladder block of this program
    // The block must fit right of the cursor, in the backup grid and above
    // the END row's last place; nothing is written otherwise.
    if (c + block->cols > kGridCols || block->rows > kClipRows ||
        r + block->rows - 1 > kLastLadderRow) {
        refuse(msg::kExceedsEditRange);
        return;
    }
    m_nClipRows = block->rows;
    m_nClipCols = block->cols;
    m_nDeviceMsgCount = 0;
    const int n = boxOperands(r);
    if (g.kind(r, kOutputCol) == AppInstruction)
        for (int col = kOutputCol - n; col < c; ++col) g.setKind(r, col, HorizontalLine);

    PasteBackup& backup = *m_s.view.paste;
    for (int j = 0; j < block->cols; ++j) {
        bool refused = false;
        for (int i = 0; i < block->rows; ++i) {
            const int row = r + i;
            const int col = c + j;
            backup.m_ClipKind[i][j] = g.kind(row, col);
            backup.m_ClipText[i][j] = g.text(row, col);
            backup.m_ClipLinks[i][j] = g.links(row, col);
            const ClipCell& cell = block->at(i, j);
            g.setCell(row, col, cell.kind, cell.text, cell.links);
            // Contacts never go into the output column or the row's instruction box.
            if (col >= kOutputCol - n && isSerialContactKind(cell.kind)) {
                g.setCell(row, col, backup.m_ClipKind[i][j], backup.m_ClipText[i][j],
                          backup.m_ClipLinks[i][j]);
                deviceMessage();
                refused = true;
                break;
            }
        }
        if (refused) break;
    }

    // The rows pasted so far belong to the ladder, also after a refusal.
    int last = r + block->rows - 1;
    const int selRow = m_s.view.m_nSelEndRow;
    const int selCol = m_s.view.m_nSelEndCol;
    for (int col = selCol - block->rows + 1; col <= selCol; ++col)
        if (g.has(selRow, col, LinkDown)) last = r + block->rows;
    g.m_nLastRow = std::max(g.m_nLastRow, std::min(last, kLastLadderRow));
    m_s.commit();
    markModified();
}

void Editor::pasteList() {
    const auto lines = readListClipText(m_clipboard.text());
    if (!lines) return;  // not list lines of this program
    InstructionTable& t = table();
    const int l = std::max(m_s.view.m_nListCursor, 0);
    int count = 0;
    for (const ClipLine& line : *lines)
        count += line.mnemonic.empty() && line.operand.empty() ? 0 : 1;
    // The pasted lines go in before line l; the lines from l on move down.
    if (l >= kListRows || !listHasRoomFor(t, count)) {
        refuse(msg::kExceedsEditRange);
        return;
    }
    int row = l;
    for (const ClipLine& line : *lines) {
        if (line.mnemonic.empty() && line.operand.empty()) continue;
        const RowClass rc = classifyRow(line.mnemonic, m_s.mode2());
        insertListRow(t, m_s.view.records, row, line.mnemonic, line.operand, rc.functionNumber,
                      rc.stepCount);
        ++row;
    }
    markModified();
}

}  // namespace rs

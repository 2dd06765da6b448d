#include "app/model/view_input.h"

#include <algorithm>

#include "app/model/ladder_scene.h"

namespace rs::shell {

CursorMove ladderArrow(Session& s, Arrow key, const LadderGeometry& g) {
    LadderGrid& grid = s.grid();
    int& row = grid.m_nCursorRow;
    int& col = grid.m_nCursorCol;
    const int endRowIndex = grid.m_nDrawnLastRow + 1;
    CursorMove out;
    switch (key) {
        case Arrow::Left:
            if (col > 1 && col <= kOutputCol) {
                --col;
                out.moved = true;
            }
            break;
        case Arrow::Right: {
            const int n = outputOperandCount(grid, row, s.mode2());
            if (col > 0 && col < kOutputCol - n) {
                ++col;
                out.moved = true;
            }
            break;
        }
        case Arrow::Up:
            if (row > 0 && row <= endRowIndex) {
                --row;
                out = {true, row * g.H};
            }
            break;
        case Arrow::Down:
            if (row >= 0 && row < endRowIndex) {
                ++row;
                out.moved = true;
                if (row > 7) out.scrollY = row * g.H;
            }
            break;
    }
    return out;
}

CursorMove listArrow(Session& s, Arrow key) {
    int& line = s.view.m_nListCursor;
    const int lines = static_cast<int>(s.view.records.m_InstructionList.size());
    CursorMove out;
    if (key == Arrow::Up && line > 0 && line <= lines) {
        --line;
        out = {true, line * kListLineHeight};
    } else if (key == Arrow::Down && line >= 0 && line < lines) {
        ++line;
        out.moved = true;
        if (line > 26) out.scrollY = line * kListLineHeight;
    }
    return out;
}

void pressAt(Session& s, PointerState& p, Point at, const LadderGeometry& g) {
    p.dragged = false;
    InstructionTable& table = s.table();
    int& listCursor = s.view.m_nListCursor;
    listCursor = at.y / kListLineHeight;
    for (int k = 0; k < kListRows; ++k) {
        if (table.m_Instruction[k] != "END" && !table.m_Instruction[k].empty()) continue;
        if (table.m_Instruction[k].empty()) table.m_Instruction[k] = "END";
        listCursor = std::min(listCursor, k);
        break;
    }
    p.down = at;
    p.last = at;
    if (s.view.m_bListMode) return;
    LadderGrid& grid = s.grid();
    grid.m_nCursorCol = std::min(g.colAt(at.x), kOutputCol);
    grid.m_nCursorRow = g.rowAt(at.y);
}

void dragTo(Session& s, PointerState& p, Point at, const LadderGeometry& g) {
    p.dragged = true;
    if (s.view.m_bListMode) {
        s.view.m_nListSelExtent = (at.y - p.down.y) / kListLineHeight;
    } else {
        LadderGrid& grid = s.grid();
        s.view.m_nSelEndRow = g.rowAt(at.y);
        s.view.m_nSelEndCol = std::min(g.colAt(at.x), kOutputCol);
        grid.m_nCursorCol = std::clamp(grid.m_nCursorCol, 1, kOutputCol);
    }
    p.last = at;
}

bool ladderCellEditable(const LadderGrid& grid, int row, int col) {
    return col > 0 && col <= kOutputCol && row >= 0 && row <= grid.m_nDrawnLastRow + 1;
}

std::optional<Point> ladderDoubleClickCell(const LadderGrid& grid, Point at,
                                           const LadderGeometry& g) {
    const int col = g.colAt(at.x), row = g.rowAt(at.y);
    if (!ladderCellEditable(grid, row, col)) return std::nullopt;
    return Point{col, row};
}

int listEndLine(const InstructionTable& table) {
    for (int k = 0; k < kListRows; ++k)
        if (table.m_Instruction[k] == "END") return k;
    return -1;
}

}  // namespace rs::shell

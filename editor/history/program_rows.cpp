#include "editor/history/program_rows.h"

namespace rs::history {

ProgramMarks ProgramMarks::read(const Session& s) {
    const LadderGrid& g = *s.view.grid;
    ProgramMarks m;
    m.lastRow = g.m_nLastRow;
    m.drawnLastRow = g.m_nDrawnLastRow;
    m.listLastRow = g.m_nListLastRow;
    m.cursorRow = g.m_nCursorRow;
    m.cursorCol = g.m_nCursorCol;
    m.viewCompiled = s.view.m_bCompiled;
    m.appCompiled = s.app.m_bCompiled;
    m.listMode = s.view.m_bListMode;
    m.unconvertible = s.view.m_bUnconvertible;
    m.listCursor = s.view.m_nListCursor;
    m.selEndRow = s.view.m_nSelEndRow;
    m.selEndCol = s.view.m_nSelEndCol;
    m.listSelExtent = s.view.m_nListSelExtent;
    m.highlight = s.view.highlight;
    return m;
}

void ProgramMarks::write(Session& s) const {
    LadderGrid& g = *s.view.grid;
    g.m_nLastRow = lastRow;
    g.m_nDrawnLastRow = drawnLastRow;
    g.m_nListLastRow = listLastRow;
    g.m_nCursorRow = cursorRow;
    g.m_nCursorCol = cursorCol;
    s.view.m_bCompiled = viewCompiled;
    s.app.m_bCompiled = appCompiled;
    s.view.m_bListMode = listMode;
    s.view.m_bUnconvertible = unconvertible;
    s.view.m_nListCursor = listCursor;
    s.view.m_nSelEndRow = selEndRow;
    s.view.m_nSelEndCol = selEndCol;
    s.view.m_nListSelExtent = listSelExtent;
    s.view.highlight = highlight;
}

GridRow GridRows::get(int r) const {
    GridRow row;
    for (int c = 0; c < kGridCols; ++c)
        row.cells[c] = {grid.kind(r, c), grid.text(r, c), grid.links(r, c)};
    row.step = grid.rowStep(r);
    return row;
}

bool GridRows::same(int r, const GridRow& row) const {
    for (int c = 0; c < kGridCols; ++c) {
        const GridRow::Cell& cell = row.cells[c];
        if (grid.kind(r, c) != cell.kind || grid.links(r, c) != cell.links ||
            grid.text(r, c) != cell.text)
            return false;
    }
    return grid.rowStep(r) == row.step;
}

bool GridRows::blank(const GridRow& row) {
    for (const GridRow::Cell& cell : row.cells)
        if (cell.kind != Empty || cell.links != 0 || !cell.text.empty()) return false;
    return row.step.empty();
}

void writeGridRow(LadderGrid& grid, int r, const GridRow& row) {
    for (int c = 0; c < kGridCols; ++c) {
        const GridRow::Cell& cell = row.cells[c];
        grid.setCell(r, c, cell.kind, cell.text, cell.links);
    }
    grid.setRowStep(r, row.step);
}

TableRow TableRows::get(int r) const {
    return {table.m_Instruction[r], table.m_Parameter[r], table.m_FunNo[r], table.m_FunStep[r]};
}

bool TableRows::same(int r, const TableRow& row) const {
    return table.m_FunNo[r] == row.fun && table.m_FunStep[r] == row.step &&
           table.m_Instruction[r] == row.mnemonic && table.m_Parameter[r] == row.operand;
}

void writeTableRow(InstructionTable& table, int r, const TableRow& row) {
    table.m_Instruction[r] = row.mnemonic;
    table.m_Parameter[r] = row.operand;
    table.m_FunNo[r] = row.fun;
    table.m_FunStep[r] = row.step;
}

}  // namespace rs::history

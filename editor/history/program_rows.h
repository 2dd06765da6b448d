#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/cell.h"
#include "core/instruction_store.h"
#include "core/ladder_grid.h"
#include "core/limits.h"
#include "core/session.h"

namespace rs::history {

// One row of the ladder grid as the history keeps it: every cell and the
// row's step label.
struct GridRow {
    struct Cell {
        int32_t kind = Empty;
        std::string text;
        CellLinks links = 0;
        bool operator==(const Cell&) const = default;
    };
    std::array<Cell, kGridCols> cells{};
    std::string step;
    bool operator==(const GridRow&) const = default;
};

// One row of the instruction table.
struct TableRow {
    std::string mnemonic;
    std::string operand;
    int32_t fun = 0;
    int32_t step = 0;
    bool operator==(const TableRow&) const = default;
};

// Everything else an editing command may change: the grid's row bookkeeping
// and cursor, the view's flags, cursor line and selection, the application's
// compiled flag.
struct ProgramMarks {
    int lastRow = -1;
    int drawnLastRow = -1;
    int listLastRow = -1;
    int cursorRow = -1;
    int cursorCol = -1;
    bool viewCompiled = true;
    bool appCompiled = true;
    int listMode = 0;
    int unconvertible = 0;
    int listCursor = 0;
    int selEndRow = 0;
    int selEndCol = 0;
    int listSelExtent = 0;
    Highlight highlight;

    static ProgramMarks read(const Session& s);
    void write(Session& s) const;
};

// The grid and the table read row by row, as the history's diff reads them.
struct GridRows {
    const LadderGrid& grid;
    int size() const { return kGridRows; }
    GridRow get(int r) const;
    bool same(int r, const GridRow& row) const;
    static bool blank(const GridRow& row);
};
void writeGridRow(LadderGrid& grid, int r, const GridRow& row);

struct TableRows {
    const InstructionTable& table;
    int size() const { return kListRows; }
    TableRow get(int r) const;
    bool same(int r, const TableRow& row) const;
    static bool blank(const TableRow& row) { return row.mnemonic.empty() && row.operand.empty(); }
};
void writeTableRow(InstructionTable& table, int r, const TableRow& row);

// A record list read as a sequence.
template <class Record>
struct RecordRows {
    const std::vector<Record>& list;
    int size() const { return static_cast<int>(list.size()); }
    Record get(int i) const { return list[static_cast<size_t>(i)]; }
    bool same(int i, const Record& r) const { return list[static_cast<size_t>(i)] == r; }
    static bool blank(const Record&) { return false; }
};

}  // namespace rs::history

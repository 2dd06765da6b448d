// The undo history on a full program: its memory over 1,000 mixed steps, and
// the time of one undo or redo of the largest changes.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "bench/support/bench_session.h"
#include "core/convert/tidy.h"
#include "editor/editor.h"
#include "editor/history/undo_history.h"
#include "tests/editor/scripted_dialogs.h"

namespace {

using rs::EditCommand;

// Resident memory of the process, bytes.
size_t residentBytes() {
    std::ifstream statm("/proc/self/statm");
    size_t pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}

// A program that fills the grid: a contact, a closed contact and a coil on
// each of 3998 rows; and a full instruction table.
struct FullProgram {
    FullProgram() {
        rs::LadderGrid& g = b.s.grid();
        for (int r = 0; r < rs::kGridRows - 2; ++r) {
            g.setCell(r, 1, rs::OpenContact, "X" + std::to_string(r % 8), 0x00F);
            g.setCell(r, 2, rs::CloseContact, "M" + std::to_string(r), 0x00F);
            g.setCell(r, 10, rs::Coil, "Y" + std::to_string(r % 8), 0x00F);
            for (int c = 3; c < 10; ++c) g.setCell(r, c, rs::HorizontalLine, "", 0x00D);
        }
        g.m_nLastRow = rs::kGridRows - 3;
        rs::InstructionTable& t = b.s.table();
        for (int r = 0; r + 1 < rs::kListRows; ++r)
            t.setRow(r, r % 2 ? "OUT" : "LD", r % 2 ? "Y001" : "X001", 0, 1);
        t.setRow(rs::kListRows - 1, "END", "", 0, 1);
        rs::tidyGrid(b.s);
        g.m_nCursorRow = 0;
        g.m_nCursorCol = 1;
    }
    rs::bench::BenchSession b;
    rs::test::ScriptedDialogs dialogs;
    rs::test::MemoryClipboard clipboard;
    rs::Editor editor{b.s, dialogs, clipboard};
};

// One command as the window runs it: the command, the tidy steps, the step.
void step(FullProgram& p, rs::UndoHistory& h, EditCommand c) {
    h.begin(true);
    p.editor.run(c);
    rs::tidyGrid(p.b.s);
    h.commit(true);
}

// 1,000 steps of symbol entry, wires, line insertion and deletion, column
// insertion and paste, spread over the whole ladder.
void BM_ThousandStepsOnAFullProgram(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto p = std::make_unique<FullProgram>();
        const size_t residentBefore = residentBytes();
        rs::UndoHistory h(p->b.s);
        const size_t shadow = h.memoryBytes();
        rs::LadderGrid& g = p->b.s.grid();
        state.ResumeTiming();
        // Commands refused where they land (a full ladder has no room for
        // another line) record nothing; the loop runs until 1,000 steps.
        for (int i = 0; h.stepCount() < 1000 && i < 10000; ++i) {
            g.m_nCursorRow = (i * 37) % 3900;
            g.m_nCursorCol = 1 + i % 3;
            p->editor.m_bDragged = false;
            switch (i % 6) {
                case 0:
                    p->dialogs.symbol("X" + std::to_string(i % 8));
                    step(*p, h, EditCommand::OpenContact);
                    break;
                case 1:
                    p->dialogs.count(2);
                    step(*p, h, EditCommand::HorizontalLine);
                    break;
                case 2:
                    step(*p, h, EditCommand::InsertLine);
                    break;
                case 3:
                    step(*p, h, EditCommand::DeleteLine);
                    break;
                case 4:
                    p->editor.copy();
                    g.m_nCursorRow += 5;
                    step(*p, h, EditCommand::Paste);
                    break;
                default:
                    step(*p, h, EditCommand::InsertRow);
                    break;
            }
        }
        state.PauseTiming();
        state.counters["steps"] = static_cast<double>(h.stepCount());
        state.counters["history_MB"] = static_cast<double>(h.memoryBytes() - shadow) / 1e6;
        state.counters["shadow_MB"] = static_cast<double>(shadow) / 1e6;
        state.counters["resident_growth_MB"] =
            static_cast<double>(residentBytes() - residentBefore) / 1e6;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ThousandStepsOnAFullProgram)->Iterations(1)->Unit(benchmark::kMillisecond);

// A step that rewrites every row of a full ladder (the largest change a
// command can make), then one undo or one redo of it per iteration.
void undoRedoAllRows(benchmark::State& state, bool timeUndo) {
    FullProgram p;
    rs::UndoHistory h(p.b.s);
    rs::LadderGrid& g = p.b.s.grid();
    h.begin(true);
    for (int r = 0; r < rs::kGridRows - 2; ++r) {
        g.setCell(r, 1, rs::CloseContact, "X" + std::to_string(7 - r % 8), 0x00F);
        g.setCell(r, 2, rs::OpenContact, "M" + std::to_string(r + 100), 0x00F);
    }
    h.commit(true);
    for (auto _ : state) {
        if (timeUndo) {
            h.undo(true);
            state.PauseTiming();
            h.redo(true);
            state.ResumeTiming();
        } else {
            state.PauseTiming();
            h.undo(true);
            state.ResumeTiming();
            h.redo(true);
        }
    }
    state.counters["rows"] = rs::kGridRows - 2;
}
void BM_UndoOfA4000RowChange(benchmark::State& state) {
    undoRedoAllRows(state, true);
}
void BM_RedoOfA4000RowChange(benchmark::State& state) {
    undoRedoAllRows(state, false);
}
BENCHMARK(BM_UndoOfA4000RowChange)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RedoOfA4000RowChange)->Unit(benchmark::kMicrosecond);

// The largest paste the editor takes: 400 ladder rows at the top of the full
// ladder, undone and redone.
void BM_UndoRedoOfA400RowLadderPaste(benchmark::State& state) {
    FullProgram p;
    rs::UndoHistory h(p.b.s);
    rs::LadderGrid& g = p.b.s.grid();
    g.m_nCursorRow = 1000;
    g.m_nCursorCol = 1;
    p.b.view.m_nSelEndRow = 1000 + rs::kClipRows - 1;
    p.b.view.m_nSelEndCol = 2;
    p.editor.m_bDragged = true;
    p.editor.copy();
    p.editor.m_bDragged = false;
    g.m_nCursorRow = 0;
    g.m_nCursorCol = 3;
    step(p, h, EditCommand::Paste);
    for (auto _ : state) {
        h.undo(true);
        h.redo(true);
    }
    state.counters["steps"] = static_cast<double>(h.stepCount());
}
BENCHMARK(BM_UndoRedoOfA400RowLadderPaste)->Unit(benchmark::kMicrosecond);

// What the history adds to every command on a full program: the comparison
// before the command and the step after it, for a one-cell change.
void BM_HistoryCostOfOneCommand(benchmark::State& state) {
    FullProgram p;
    rs::UndoHistory h(p.b.s);
    rs::LadderGrid& g = p.b.s.grid();
    int i = 0;
    for (auto _ : state) {
        h.begin(true);
        g.setText(1000, 1, (++i % 2) ? "X007" : "X006");
        h.commit(true);
    }
    state.counters["steps"] = static_cast<double>(h.stepCount());
}
BENCHMARK(BM_HistoryCostOfOneCommand)->Unit(benchmark::kMicrosecond);

}  // namespace

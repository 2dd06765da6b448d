#include <benchmark/benchmark.h>

#include <string>

#include "bench/support/bench_session.h"
#include "core/cell_table.h"
#include "core/convert/convert.h"

namespace {

using Bench = rs::bench::BenchSession;

void cell(std::string& t, int r, int c, int kind, const char* links, const std::string& text) {
    t += std::to_string(r) + " " + std::to_string(c) + " " + std::to_string(kind) + " " + links +
         " " + text + "\n";
}
void wire(std::string& t, int r, int from, int to) {
    for (int c = from; c <= to; ++c) cell(t, r, c, 14, "0x001", "");
}
std::string dev(char letter, int n) {
    char b[8];
    std::snprintf(b, sizeof b, "%c%03o", letter, n % 256);
    return b;
}

// Four kinds of rung in turn: a series of three contacts; a block two wide at
// the rung start; a branch in the middle; a split into three outputs.
int addRung(std::string& t, int row, int kind, int& coil) {
    switch (kind % 4) {
        case 0:
            for (int c = 1; c <= 3; ++c)
                cell(t, row, c, c == 2 ? 2 : 1, "0x003", dev('X', row + c));
            wire(t, row, 4, 9);
            cell(t, row, 10, 5, "0x003", dev('Y', coil++));
            return row + 1;
        case 1:
            cell(t, row, 1, 1, "0x013", dev('X', row));
            cell(t, row, 2, 1, "0x003", dev('X', row + 1));
            cell(t, row, 3, 14, "0x011", "");
            wire(t, row, 4, 9);
            cell(t, row, 10, 5, "0x003", dev('M', coil++));
            cell(t, row + 1, 1, 2, "0x003", dev('X', row + 2));
            cell(t, row + 1, 2, 1, "0x003", dev('X', row + 3));
            return row + 2;
        case 2:
            cell(t, row, 1, 1, "0x003", dev('X', row));
            cell(t, row, 2, 1, "0x003", dev('X', row + 1));
            cell(t, row, 3, 2, "0x003", dev('X', row + 2));
            wire(t, row, 4, 9);
            cell(t, row, 10, 5, "0x003", dev('Y', coil++));
            cell(t, row + 1, 2, 3, "0x003", dev('M', row));
            return row + 2;
        default:
            cell(t, row, 1, 1, "0x003", dev('X', row));
            cell(t, row, 2, 1, "0x013", dev('X', row + 1));
            wire(t, row, 3, 9);
            cell(t, row, 10, 5, "0x003", dev('Y', coil++));
            cell(t, row + 1, 2, 1, "0x013", dev('X', row + 2));
            wire(t, row + 1, 3, 9);
            cell(t, row + 1, 10, 5, "0x003", dev('Y', coil++));
            cell(t, row + 2, 2, 2, "0x003", dev('X', row + 3));
            wire(t, row + 2, 3, 9);
            cell(t, row + 2, 10, 5, "0x003", dev('Y', coil++));
            return row + 3;
    }
}

// The largest program of these rungs that stays below 400 steps.
std::string fullProgram(Bench& b, int* rows, int* listRows) {
    std::string best;
    std::string t;
    int row = 0, coil = 0;
    for (int k = 0;; ++k) {
        std::string next = t;
        int nextRow = addRung(next, row, k, coil);
        rs::readCellTable(next, b.s.grid());
        b.s.commit();
        const rs::ConvertOutcome out = rs::convertLadder(b.s);
        if (!out.compiled) break;
        t = next;
        row = nextRow;
        *rows = row;
        *listRows = out.rows;
    }
    return t;
}

// A program close to 400 steps, already tidy (as after an earlier F4).
void BM_ConvertFullProgram(benchmark::State& state) {
    Bench b;
    int rows = 0, listRows = 0;
    const std::string cells = fullProgram(b, &rows, &listRows);
    rs::readCellTable(cells, b.s.grid());
    for (auto _ : state) {
        b.s.commit();
        benchmark::DoNotOptimize(rs::convertLadder(b.s));
    }
    state.counters["grid_rows"] = rows;
    state.counters["list_rows"] = listRows;
}
BENCHMARK(BM_ConvertFullProgram)->Unit(benchmark::kMicrosecond);

// The same program read from its cell table and converted, as the command
// line does it.
void BM_ReadAndConvertFullProgram(benchmark::State& state) {
    Bench b;
    int rows = 0, listRows = 0;
    const std::string cells = fullProgram(b, &rows, &listRows);
    for (auto _ : state) {
        rs::readCellTable(cells, b.s.grid());
        b.s.commit();
        benchmark::DoNotOptimize(rs::convertLadder(b.s));
    }
}
BENCHMARK(BM_ReadAndConvertFullProgram)->Unit(benchmark::kMicrosecond);

// All 4000 rows in use, one rung a row: every pass covers the whole grid and
// the walk stops at the step limit.
void BM_ConvertLongGrid(benchmark::State& state) {
    Bench b;
    std::string t;
    int coil = 0;
    for (int r = 0; r < rs::kGridRows; ++r) addRung(t, r, 0, coil);
    rs::readCellTable(t, b.s.grid());
    for (auto _ : state) {
        b.s.commit();
        benchmark::DoNotOptimize(rs::convertLadder(b.s));
    }
}
BENCHMARK(BM_ConvertLongGrid)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// All 4000 rows drawn with their contact in column 4 after plain wire: the
// compaction pass slides every contact to column 1, starting again after each
// slide.
void BM_ConvertLongGridToCompact(benchmark::State& state) {
    Bench b;
    std::string t;
    const int rows = static_cast<int>(state.range(0));
    for (int r = 0; r < rows; ++r) {
        wire(t, r, 1, 3);
        cell(t, r, 4, 1, "0x003", dev('X', r));
        wire(t, r, 5, 9);
        cell(t, r, 10, 5, "0x003", dev('Y', r));
    }
    for (auto _ : state) {
        state.PauseTiming();
        rs::readCellTable(t, b.s.grid());
        b.s.commit();
        state.ResumeTiming();
        benchmark::DoNotOptimize(rs::convertLadder(b.s));
    }
}
BENCHMARK(BM_ConvertLongGridToCompact)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(4000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// A program close to 400 steps of rungs that only the series-parallel
// compiler writes: a parallel block of a contact and two operands with rows
// of their own (the walk's list of it is reported and taken back first).
void BM_ConvertSeriesParallelProgram(benchmark::State& state) {
    Bench b;
    std::string t;
    int rungs = 0;
    for (int row = 0; row + 5 < rs::kGridRows && rungs < 36; row += 5, ++rungs) {
        cell(t, row, 1, 1, "0x01B", dev('X', row));
        wire(t, row, 2, 9);
        cell(t, row, 3, 14, "0x01D", "");
        cell(t, row, 10, 5, "0x007", dev('Y', rungs));
        cell(t, row + 1, 1, 1, "0x01B", dev('X', row + 1));
        cell(t, row + 1, 2, 1, "0x01F", dev('X', row + 2));
        cell(t, row + 1, 3, 0, "0x010", "");
        cell(t, row + 2, 1, 1, "0x01B", dev('X', row + 3));
        cell(t, row + 2, 3, 0, "0x010", "");
        cell(t, row + 3, 1, 1, "0x01B", dev('M', row));
        cell(t, row + 3, 2, 1, "0x01F", dev('M', row + 1));
        cell(t, row + 4, 1, 1, "0x00B", dev('M', row + 2));
    }
    rs::readCellTable(t, b.s.grid());
    b.s.commit();
    const rs::ConvertOutcome first = rs::convertLadder(b.s);
    if (!first.compiled) state.SkipWithError("the program does not convert");
    for (auto _ : state) {
        b.s.commit();
        benchmark::DoNotOptimize(rs::convertLadder(b.s));
    }
    state.counters["list_rows"] = first.rows;
}
BENCHMARK(BM_ConvertSeriesParallelProgram)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// Worst cases of F4 on grids the editor can hold. Each converts (or is
// reported) once per iteration from the drawn grid.
void runDrawn(benchmark::State& state, const std::string& t) {
    Bench b;
    for (auto _ : state) {
        state.PauseTiming();
        rs::readCellTable(t, b.s.grid());
        b.s.commit();
        state.ResumeTiming();
        benchmark::DoNotOptimize(rs::convertLadder(b.s));
    }
}

// One rung of 4000 rows: a contact in column 4 after plain wire on every row,
// all joined by a vertical wire at column 5 (a parallel block of 4000).
void BM_ConvertOneRungOf4000Rows(benchmark::State& state) {
    std::string t;
    for (int r = 0; r < rs::kGridRows; ++r) {
        wire(t, r, 1, 3);
        cell(t, r, 4, 1, "0x003", dev('X', r));
        cell(t, r, 5, 14, r + 1 < rs::kGridRows ? "0x011" : "0x001", "");
        if (r == 0) {
            wire(t, r, 6, 9);
            cell(t, r, 10, 5, "0x003", "Y000");
        }
    }
    runDrawn(state, t);
}
BENCHMARK(BM_ConvertOneRungOf4000Rows)->Unit(benchmark::kMillisecond);

// A rung of 600 rows full of branches: every row a contact, a branch contact
// under it and one more contact, the rows joined at columns 2 and 4.
void BM_ConvertRungOf600RowsOfBranches(benchmark::State& state) {
    std::string t;
    for (int r = 0; r < 600; ++r) {
        cell(t, r, 1, 1, "0x003", dev('X', r));
        cell(t, r, 2, r % 2 == 0 ? 1 : 3, r + 1 < 600 ? "0x013" : "0x003", dev('M', r));
        cell(t, r, 3, 2, "0x003", dev('X', r + 1));
        cell(t, r, 4, 14, r + 1 < 600 ? "0x011" : "0x001", "");
        if (r == 0) {
            wire(t, r, 5, 9);
            cell(t, r, 10, 5, "0x003", "Y000");
        }
    }
    runDrawn(state, t);
}
BENCHMARK(BM_ConvertRungOf600RowsOfBranches)->Unit(benchmark::kMillisecond);

// Every cell of columns 1 to 9 of all 4000 rows a plain wire with a vertical
// wire down from it, a coil on every row.
void BM_ConvertGridOfWires(benchmark::State& state) {
    std::string t;
    for (int r = 0; r < rs::kGridRows; ++r) {
        for (int c = 1; c <= 9; ++c)
            cell(t, r, c, 14, c >= 2 && r + 1 < rs::kGridRows ? "0x011" : "0x001", "");
        cell(t, r, 10, 5, "0x003", dev('Y', r));
    }
    runDrawn(state, t);
}
BENCHMARK(BM_ConvertGridOfWires)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// Plain wire in columns 1 to 4 and contacts in 5 to 9 on every row, a coil
// after them: compaction slides every contact four columns (80,000 slides,
// each followed by a new scan). With `beside`, a vertical wire on the left
// edge of column 9 runs down all 4000 rows (the editor's Insert line carries a
// vertical wire through every row it inserts) and the contact there stays.
std::string slidingRows(bool beside) {
    std::string t;
    for (int r = 0; r < rs::kGridRows; ++r) {
        wire(t, r, 1, 4);
        for (int c = 5; c <= 9; ++c)
            cell(t, r, c, 1, c == 9 && beside && r + 1 < rs::kGridRows ? "0x013" : "0x003",
                 dev('X', r + c));
        cell(t, r, 10, 5, "0x003", dev('Y', r));
    }
    return t;
}

void BM_ConvertRowsOfSlidingContacts(benchmark::State& state) {
    runDrawn(state, slidingRows(false));
}
BENCHMARK(BM_ConvertRowsOfSlidingContacts)->Unit(benchmark::kMillisecond);

void BM_ConvertSlidingContactsBesideAVerticalWireOf4000Rows(benchmark::State& state) {
    runDrawn(state, slidingRows(true));
}
BENCHMARK(BM_ConvertSlidingContactsBesideAVerticalWireOf4000Rows)->Unit(benchmark::kMillisecond);

}  // namespace

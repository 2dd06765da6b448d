// Worst cases of the exact rung check: rungs of hundreds of devices, far
// past what every combination as bit sets can try, checked by decision
// diagrams of the circuit and of the list.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/support/bench_session.h"
#include "core/cell_table.h"
#include "core/convert/convert.h"

namespace {

void cell(std::string& t, int r, int c, int kind, const char* links, const std::string& text) {
    t += std::to_string(r) + " " + std::to_string(c) + " " + std::to_string(kind) + " " + links +
         " " + text + "\n";
}

void runChecked(benchmark::State& state, const std::string& t) {
    rs::bench::BenchSession b;
    bool compiled = false;
    for (auto _ : state) {
        state.PauseTiming();
        rs::readCellTable(t, b.s.grid());
        b.s.commit();
        state.ResumeTiming();
        compiled = rs::convertLadder(b.s).compiled;
    }
    state.counters["compiled"] = compiled ? 1 : 0;
}

// 38 rows of nine contacts each, in parallel: the rows joined at column 10,
// Y000 on the first (342 devices, 380 steps). Each row's devices come one
// after the other in the diagrams' order, so they stay small.
void BM_CheckRungOfParallelRows(benchmark::State& state) {
    std::string t;
    constexpr int kRows = 38;
    for (int r = 0; r < kRows; ++r) {
        for (int c = 1; c <= 9; ++c) cell(t, r, c, 1, "0x003", "M" + std::to_string(r * 9 + c));
        if (r + 1 < kRows)
            cell(t, r, 10, r == 0 ? 5 : 0, r == 0 ? "0x013" : "0x010", r == 0 ? "Y000" : "");
    }
    runChecked(state, t);
}
BENCHMARK(BM_CheckRungOfParallelRows)->Unit(benchmark::kMillisecond);

// Nine blocks in series, each of 40 contacts in parallel (360 devices, 369
// steps): the devices of one block are spread over 40 rows, so the diagrams
// met row by row hold every state of the nine columns (the widest they get
// on a grid nine contacts wide).
void BM_CheckRungOfStackedBlocks(benchmark::State& state) {
    std::string t;
    constexpr int kRows = 40;
    for (int r = 0; r < kRows; ++r) {
        const bool down = r + 1 < kRows;
        for (int c = 1; c <= 9; ++c)
            cell(t, r, c, 1, down && c > 1 ? "0x013" : "0x003", "M" + std::to_string(c * 100 + r));
        if (r == 0) cell(t, r, 10, 5, "0x013", "Y000");
        if (r > 0 && down) cell(t, r, 10, 0, "0x010", "");
    }
    runChecked(state, t);
}
BENCHMARK(BM_CheckRungOfStackedBlocks)->Unit(benchmark::kMillisecond);

}  // namespace

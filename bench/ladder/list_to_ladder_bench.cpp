// List to ladder of full-size programs: 8000 list rows (END included).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "core/instruction_set.h"
#include "core/line_check.h"
#include "core/list_to_ladder/list_to_ladder.h"

namespace {

// Whole copies of a rung up to 7999 rows, then END; the number of rows.
int fillRepeated(rs::InstructionTable& table, const std::vector<std::string>& rung) {
    table.clear(0);
    const int copies = (rs::kListRows - 1) / static_cast<int>(rung.size());
    int r = 0;
    for (int k = 0; k < copies; ++k)
        for (const std::string& line : rung) {
            const rs::ParsedLine p = rs::parseLine(line);
            const rs::RowClass rc = rs::classifyRow(p.mnemonic, true);
            table.setRow(r++, p.mnemonic, p.operand, rc.functionNumber, rc.stepCount);
        }
    table.setRow(r++, "END", "", 0, 1);
    return r;
}

void run(benchmark::State& state, const std::vector<std::string>& rung) {
    auto table = std::make_unique<rs::InstructionTable>();
    const int rows = fillRepeated(*table, rung);
    auto grid = std::make_unique<rs::LadderGrid>();
    for (auto _ : state) {
        const rs::ladder::PlacementOutcome out = rs::ladder::placeList(*table, true, *grid);
        if (!out.ok()) state.SkipWithError("program refused");
        benchmark::DoNotOptimize(grid->m_nListLastRow);
    }
    state.counters["list_rows"] = rows;
    state.counters["grid_rows"] = grid->m_nListLastRow + 1;
}

// Eight-contact series rungs: one grid row each.
void BM_SeriesRungs(benchmark::State& state) {
    run(state,
        {"LD X000", "AND X001", "ANI X002", "ANDP X003", "AND M0", "AND M1", "ANI M2", "OUT Y000"});
}

// Blocks and split points: ORB and ANB nested, MPS, MRD and MPP, a box.
void BM_BlockAndSplitRungs(benchmark::State& state) {
    run(state, {"LD X000", "OR X001", "LD X002", "AND X003", "LD X004", "OR X005", "ANB", "ORB",
                "MPS", "AND X006", "OUT Y000", "MRD", "AND X007", "MOV K10 D0", "MPP", "OUT Y001"});
}

}  // namespace

BENCHMARK(BM_SeriesRungs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlockAndSplitRungs)->Unit(benchmark::kMillisecond);

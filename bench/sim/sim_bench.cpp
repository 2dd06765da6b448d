// One scan of a full 8000-row program, and the power flow of a 4000-row ladder
// for display after a scan.
#include <benchmark/benchmark.h>

#include "core/limits.h"
#include "sim/ladder_flow.h"

namespace {

using rs::eval::ListRow;

// Rungs of contacts, outputs, timers and MOV/ADD/CMP in turn, up to 8000 rows.
std::vector<ListRow> fullProgram() {
    std::vector<ListRow> rows;
    const auto x = [](int i) { return "X" + std::to_string(i % 8 + i / 8 % 8 * 10); };
    for (int i = 0; rows.size() + 12 < static_cast<size_t>(rs::kListRows); ++i) {
        const std::string n = std::to_string(i % 128);
        const std::string d = std::to_string(i % 100);
        rows.push_back({"LD", x(i)});
        rows.push_back({"AND", "M" + std::to_string(i % 200)});
        rows.push_back({"ORI", x(i + 1)});
        rows.push_back({"OUT", "Y" + std::to_string(i % 8 + i / 8 % 8 * 10)});
        rows.push_back({"LD", x(i + 2)});
        rows.push_back({"OUT", "T" + n + " K10"});
        rows.push_back({"LD", "T" + n});
        rows.push_back({"MOV", "K" + d + " D" + d});
        rows.push_back({"LD", "M8000"});
        rows.push_back({"ADD", "D" + d + " K1 D" + std::to_string(100 + i % 20)});
        rows.push_back({"CMP", "D" + d + " K50 M" + std::to_string(200 + i % 50 * 3)});
    }
    rows.push_back({"END", ""});
    return rows;
}

void BM_ScanOf8000Rows(benchmark::State& state) {
    rs::sim::LoadError error;
    auto program = rs::sim::loadProgram(fullProgram(), error);
    if (!program) {
        state.SkipWithError(error.message.c_str());
        return;
    }
    rs::device::DeviceMemory memory;
    rs::sim::Engine engine(memory);
    engine.load(std::move(*program));
    for (int i = 0; i < 64; i += 3) memory.setBit(4608 + static_cast<uint32_t>(i), true);
    for (auto _ : state) {
        if (!engine.scan(10)) state.SkipWithError(engine.stopped()->message.c_str());
    }
    state.counters["rows"] = static_cast<double>(engine.program().rows.size());
}
BENCHMARK(BM_ScanOf8000Rows)->Unit(benchmark::kMicrosecond);

// The same scan run by the stepping path: a breakpoint on the END row halts
// every scan once before it, so each row is checked for a pause.
void BM_ScanOf8000RowsWithABreakpoint(benchmark::State& state) {
    rs::sim::LoadError error;
    auto program = rs::sim::loadProgram(fullProgram(), error);
    if (!program) {
        state.SkipWithError(error.message.c_str());
        return;
    }
    rs::device::DeviceMemory memory;
    rs::sim::Engine engine(memory);
    engine.load(std::move(*program));
    engine.setBreakpoint(static_cast<int>(engine.program().rows.size()) - 1, true);
    for (int i = 0; i < 64; i += 3) memory.setBit(4608 + static_cast<uint32_t>(i), true);
    for (auto _ : state) {
        if (engine.step(rs::sim::StepTo::ScanEnd, 10) != rs::sim::Halt::Breakpoint ||
            engine.step(rs::sim::StepTo::ScanEnd, 10) != rs::sim::Halt::ScanEnd)
            state.SkipWithError("the scan did not halt at its breakpoint");
    }
}
BENCHMARK(BM_ScanOf8000RowsWithABreakpoint)->Unit(benchmark::kMicrosecond);

// 4000 rows: every rung two series contacts, a parallel contact below, wires
// and a coil.
void BM_PowerFlowOf4000Rows(benchmark::State& state) {
    auto grid = std::make_unique<rs::LadderGrid>();
    const rs::CellLinks contact = rs::LinkWire | rs::LinkSymbol;
    for (int r = 0; r < rs::kGridRows; r += 2) {
        const std::string x = "X" + std::to_string(r % 8 + r / 8 % 8 * 10);
        grid->setCell(r, 1, rs::OpenContact, x, contact | rs::LinkDown);
        grid->setCell(r, 2, rs::CloseContact, "M" + std::to_string(r % 256),
                      contact | rs::LinkDown);
        for (int c = 3; c <= 9; ++c) grid->setCell(r, c, rs::HorizontalLine, "", rs::LinkWire);
        grid->setCell(r, rs::kOutputCol, rs::Coil, "Y" + std::to_string(r / 2 % 8), contact);
        grid->setCell(r + 1, 1, rs::OpenBranch, "M" + std::to_string(r % 200), contact);
        grid->setCell(r + 1, 2, rs::HorizontalLine, "", rs::LinkWire);
    }
    grid->m_nLastRow = grid->m_nDrawnLastRow = rs::kGridRows - 2;
    rs::device::DeviceMemory memory;
    rs::sim::Engine engine(memory);
    rs::sim::LoadError error;
    engine.load(*rs::sim::loadProgram({{"END", ""}}, error));
    for (int i = 0; i < 64; i += 3) memory.setBit(4608 + static_cast<uint32_t>(i), true);
    engine.scan(0);
    rs::sim::LadderFlow flow;
    flow.prepare(*grid);
    for (auto _ : state) {
        flow.update(*grid, engine);
        benchmark::DoNotOptimize(flow.cell(100, rs::kOutputCol));
    }
}
BENCHMARK(BM_PowerFlowOf4000Rows)->Unit(benchmark::kMicrosecond);

}  // namespace

// Download of a full program at 9600 baud, 7 data bits, even parity, one stop
// bit (10 bits a character), against the controller stand-in over a virtual
// line. The counters give the download time on the line's clock next to the
// time the line itself needs for the bytes carried; the benchmark's own time
// is the program's processing cost of one whole download.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "comm/transfer.h"
#include "core/instruction_store.h"
#include "core/last_message_sink.h"
#include "tools/plcsim/virtual_line.h"

namespace rs {
namespace {

// Rows of mixed instructions: 400 program steps, the most a converted ladder
// holds.
void fillSteps(InstructionTable& t) {
    const std::pair<const char*, const char*> rung[] = {
        {"LD", "X000"},    {"AND", "M10"}, {"OUT", "Y001"},    {"LD", "X001"},
        {"OUT", "T0 K50"}, {"LD", "T0"},   {"MOV", "K100 D10"}};
    int row = 0;
    int steps = 0;
    while (steps < 390) {
        for (const auto& [m, p] : rung) {
            t.m_Instruction[static_cast<size_t>(row)] = m;
            t.m_Parameter[static_cast<size_t>(row)] = p;
            ++row;
        }
        steps += 1 + 1 + 1 + 1 + 3 + 1 + 5;
    }
    t.m_Instruction[static_cast<size_t>(row)] = "END";
}

// 7999 one-word rows and END: the whole code buffer.
void fillBuffer(InstructionTable& t) {
    for (int r = 0; r < kCodeWords - 1; ++r) {
        t.m_Instruction[static_cast<size_t>(r)] = "LD";
        t.m_Parameter[static_cast<size_t>(r)] = "X000";
    }
    t.m_Instruction[kCodeWords - 1] = "END";
}

void download(benchmark::State& state, bool mode2, void (*fill)(InstructionTable&),
              bool verify = true) {
    double downloadMs = 0;
    double lineMs = 0;
    double words = 0;
    for (auto _ : state) {
        plcsim::VirtualClock clock;
        plcsim::Controller controller(mode2);
        plcsim::VirtualLine line(clock, controller);
        plcsim::VirtualTimer retry(clock);
        plcsim::VirtualTimer wait(clock);
        AppStore app;
        app.setMode2(mode2);
        fill(*app.table);
        LastMessageSink sink;
        Transfer transfer(app, line, retry, wait, sink);
        transfer.download({"virtual", SerialSettings{}, {}, {}, verify});
        clock.runUntil([&] { return !transfer.running(); }, 1e9);
        if (sink.last != "Download Succeed !") state.SkipWithError(sink.last.c_str());
        downloadMs = clock.now();
        lineMs = line.lineTimeMs();
        words = transfer.encoder().codeCount();
    }
    state.counters["words"] = words;
    state.counters["download_s"] = downloadMs / 1000;
    state.counters["line_s"] = lineMs / 1000;
}

void BM_DownloadMode1_400Steps(benchmark::State& s) {
    download(s, false, fillSteps);
}
void BM_DownloadMode2_400Steps(benchmark::State& s) {
    download(s, true, fillSteps);
}
void BM_DownloadMode1_FullBuffer(benchmark::State& s) {
    download(s, false, fillBuffer);
}
void BM_DownloadMode2_FullBuffer(benchmark::State& s) {
    download(s, true, fillBuffer);
}

// Without the read-back: the difference to the above is its cost.
void BM_DownloadMode1_400Steps_NoVerify(benchmark::State& s) {
    download(s, false, fillSteps, false);
}
void BM_DownloadMode2_400Steps_NoVerify(benchmark::State& s) {
    download(s, true, fillSteps, false);
}

BENCHMARK(BM_DownloadMode1_400Steps_NoVerify)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DownloadMode2_400Steps_NoVerify)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DownloadMode1_400Steps)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DownloadMode2_400Steps)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DownloadMode1_FullBuffer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DownloadMode2_FullBuffer)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace rs

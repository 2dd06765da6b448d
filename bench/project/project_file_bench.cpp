#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "bench/support/bench_session.h"
#include "core/limits.h"
#include "core/program_dir.h"
#include "core/session.h"
#include "project/project_document.h"
#include "project/project_file.h"

namespace {

// A full program of 8000 rows: contacts, outputs, timers and moves.
rs::RecordLists fullProgram() {
    struct Row {
        const char* mnemonic;
        const char* operand;
        int32_t fun;
        int32_t steps;
    };
    const Row kinds[] = {{"LD", "X000", 0, 1},
                         {"AND", "M100", 0, 1},
                         {"OUT", "T5 K50", 0, 1},
                         {"MOV", "K100 D10", 12, 5},
                         {"OUT", "Y001", 0, 1}};
    rs::RecordLists l;
    for (int r = 0; r < rs::kListRows - 1; ++r) {
        const Row& k = kinds[r % 5];
        l.m_FunNoList.push_back({r, k.fun});
        l.m_InstructionList.push_back({r, k.mnemonic});
        l.m_ParameterList.push_back({r, k.operand});
        l.m_FunStepList.push_back({r, k.steps});
    }
    l.m_InstructionList.push_back({rs::kListRows - 1, "END"});
    l.m_ParameterList.push_back({rs::kListRows - 1, ""});
    l.m_ProtocolList = {{0, "1"}};
    return l;
}

void encode8000(benchmark::State& state) {
    const rs::RecordLists lists = fullProgram();
    for (auto _ : state) benchmark::DoNotOptimize(rs::encodeProject(lists));
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(rs::encodeProject(lists).size()));
}
BENCHMARK(encode8000)->Unit(benchmark::kMicrosecond);

void decode8000(benchmark::State& state) {
    const std::string bytes = rs::encodeProject(fullProgram());
    for (auto _ : state) benchmark::DoNotOptimize(rs::decodeProject(bytes));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(decode8000)->Unit(benchmark::kMicrosecond);

// The document's whole save: end row and mode record, encoding, the new file
// written and flushed to the disk, the rename.
void save8000(benchmark::State& state) {
    rs::bench::BenchSession b;
    b.view.records = fullProgram();
    rs::ProjectDocument doc(b.s);
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("bench-save-" + std::to_string(::getpid()) + ".epj"))
                                 .string();
    for (auto _ : state) {
        if (doc.save(path) != rs::SaveResult::Saved) state.SkipWithError("save failed");
    }
    std::filesystem::remove(path);
}
BENCHMARK(save8000)->Unit(benchmark::kMillisecond);

// The document's whole open: reading the file, decoding, the mode, and the
// take-over of the rows into the instruction table.
void open8000(benchmark::State& state) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("bench-open-" + std::to_string(::getpid()) + ".epj"))
                                 .string();
    {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        const std::string bytes = rs::encodeProject(fullProgram());
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    rs::AppStore app;
    rs::LastMessageSink sink;
    rs::RangeFile ranges(rs::defaultRangeFilePath());
    for (auto _ : state) {
        rs::ViewState view;
        rs::Session s(app, view, sink, ranges);
        rs::ProjectDocument doc(s);
        if (!doc.open(path) || !doc.takeOver()) state.SkipWithError("open failed");
    }
    std::filesystem::remove(path);
}
BENCHMARK(open8000)->Unit(benchmark::kMillisecond);

}  // namespace

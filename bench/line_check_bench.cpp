#include <benchmark/benchmark.h>

#include "core/line_check.h"
#include "core/program_dir.h"
#include "core/session.h"

namespace {

class NullSink : public rs::MessageSink {
  public:
    void inform(const std::string&, const std::string&, rs::MessageIcon) override {}
    rs::MessageAnswer ask(const std::string&, const std::string&, rs::MessageButtons,
                          rs::MessageAnswer d, rs::MessageIcon) override {
        return d;
    }
};

// Applying one typical line: parse, address completion, range checks against
// the shipped file (read from disk at every check), class check and the write.
void applyLine(benchmark::State& state, const char* line) {
    rs::AppStore app;
    rs::ViewState view;
    NullSink sink;
    rs::RangeFile ranges(rs::defaultRangeFilePath());
    rs::Session s(app, view, sink, ranges);
    s.startView();
    for (auto _ : state) {
        benchmark::DoNotOptimize(rs::applyLine(s, line, 0));
    }
}
BENCHMARK_CAPTURE(applyLine, contact, "LD X1");
BENCHMARK_CAPTURE(applyLine, timer_coil, "OUT T0 K10");
BENCHMARK_CAPTURE(applyLine, move, "MOV K10 D0");
BENCHMARK_CAPTURE(applyLine, compare, "ZCP K10 K20 D5 M0");

}  // namespace

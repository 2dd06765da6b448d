#include <benchmark/benchmark.h>

#include "bench/support/bench_session.h"
#include "core/line_check.h"

namespace {

// Applying one typical line: parse, address completion, range checks against
// the shipped file (read from disk at every check), class check and the write.
void applyLine(benchmark::State& state, const char* line) {
    rs::bench::BenchSession b;
    for (auto _ : state) {
        benchmark::DoNotOptimize(rs::applyLine(b.s, line, 0));
    }
}
BENCHMARK_CAPTURE(applyLine, contact, "LD X1");
BENCHMARK_CAPTURE(applyLine, timer_coil, "OUT T0 K10");
BENCHMARK_CAPTURE(applyLine, move, "MOV K10 D0");
BENCHMARK_CAPTURE(applyLine, compare, "ZCP K10 K20 D5 M0");

}  // namespace

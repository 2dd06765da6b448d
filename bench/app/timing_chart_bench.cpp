#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "app/model/timing_chart.h"
#include "app/qt/timing_chart_bar.h"
#include "sim/program.h"

namespace {

// 16 signals over 60 s of a scan every 10 ms, each changing in every scan:
// Y000 to Y007 flip, D0 to D7 count up (the worst a trace can hold).
struct BusyTrace {
    BusyTrace() : engine(memory) {
        std::vector<rs::eval::ListRow> rows;
        std::vector<rs::sim::Watch> watches;
        std::string problem;
        for (int i = 0; i < 8; ++i) {
            const std::string y = "Y00" + std::to_string(i), d = "D" + std::to_string(i);
            rows.push_back({"LDI", y});
            rows.push_back({"OUT", y});
            rows.push_back({"LD", "M8000"});
            rows.push_back({"INC", d});
            watches.push_back(*rs::sim::makeWatch(y, problem));
            watches.push_back(*rs::sim::makeWatch(d, problem));
        }
        rows.push_back({"END", ""});
        rs::sim::LoadError error;
        engine.load(std::move(*rs::sim::loadProgram(rows, error)));
        history.setWatches(watches);
        for (int64_t t = 0; t <= 60000; t += 10) {
            engine.scan(t == 0 ? 0 : 10);
            history.sample(t, engine);
        }
    }
    rs::device::DeviceMemory memory;
    rs::sim::Engine engine;
    rs::sim::TraceHistory history;
};

const BusyTrace& busyTrace() {
    static const BusyTrace trace;
    return trace;
}

constexpr int kWidth = 1200;

// The chart's geometry of all 60 s at 1200 pixels.
void BM_TimingChartScene16x60s(benchmark::State& state) {
    const auto& history = busyTrace().history;
    for (auto _ : state) {
        auto scene = rs::shell::timingChartScene(history, {60000, 60000, 30000, kWidth});
        benchmark::DoNotOptimize(scene);
    }
}
BENCHMARK(BM_TimingChartScene16x60s)->Unit(benchmark::kMicrosecond);

// One redraw of the chart: the geometry and its painting into an image.
void BM_TimingChartRedraw16x60s(benchmark::State& state) {
    const auto& history = busyTrace().history;
    QImage image(kWidth, rs::shell::chartHeight(history.tracedSignals().size()),
                 QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        paintTimingChart(
            painter, rs::shell::timingChartScene(history, {60000, 60000, 30000, kWidth}), kWidth);
    }
}
BENCHMARK(BM_TimingChartRedraw16x60s)->Unit(benchmark::kMicrosecond);

}  // namespace

#pragma once

#include <cstdint>
#include <optional>

#include "app/model/scene.h"
#include "sim/trace_history.h"

namespace rs::shell {

// The layout of the timing chart, in pixels: a name column on the left, one
// lane a signal, the time axis under the lanes.
constexpr int kChartNameWidth = 120;
constexpr int kChartLaneHeight = 30;
constexpr int kChartLevelInset = 5;  // a lane's high and low levels from its edges
constexpr int kChartAxisHeight = 24;
constexpr int kChartRightMargin = 8;
constexpr int kChartMinTextGap = 40;  // a word's value is written on a step at least this wide

// The spans of virtual time the chart can show, shortest first.
constexpr int64_t kChartSpansMs[] = {1000, 2000, 5000, 10000, 20000, 30000, 60000, 120000};
constexpr int64_t kChartDefaultSpanMs = 10000;

// What the chart shows: the span of virtual time ending at endMs, and the
// time cursor.
struct ChartView {
    int64_t endMs = 0;
    int64_t spanMs = kChartDefaultSpanMs;
    std::optional<int64_t> cursorMs;
    int width = 800;
};

// The chart drawn as scenes, one a colour: the frame (lane lines, axis, ticks
// and their times, the signal names with their values), the bit waveforms,
// the word waveforms with their values, and the time cursor. A bit is high
// or low across its lane; a word steps between its lowest and highest value
// in view. Several changes within one pixel column draw one vertical line.
struct ChartScene {
    Scene frame;
    Scene bits;
    Scene words;
    Scene cursor;
    int height = 0;
};
ChartScene timingChartScene(const sim::TraceHistory& history, const ChartView& view);

// The height the chart needs for a number of signals.
int chartHeight(size_t signalCount);
// The time under a pixel column of the lanes; empty left of them.
std::optional<int64_t> chartTimeAt(const ChartView& view, int x);
// The next span in or out (steps below 0 zoom in), held within kChartSpansMs.
int64_t zoomedSpan(int64_t spanMs, int steps);

// The chart's zoom, pause and cursor: while live it ends at the trace's last
// sample; paused, it keeps the end it had while the trace goes on.
class ChartControl {
  public:
    void zoom(int steps) { m_spanMs = zoomedSpan(m_spanMs, steps); }
    void setPaused(bool paused, const sim::TraceHistory& history);
    bool paused() const { return m_paused; }
    void setCursor(std::optional<int64_t> atMs) { m_cursorMs = atMs; }
    // A new run: live again, no cursor.
    void restart();
    ChartView view(const sim::TraceHistory& history, int width) const;

  private:
    int64_t m_spanMs = kChartDefaultSpanMs;
    bool m_paused = false;
    int64_t m_pausedEndMs = 0;
    std::optional<int64_t> m_cursorMs;
};

}  // namespace rs::shell

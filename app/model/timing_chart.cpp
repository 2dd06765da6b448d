#include "app/model/timing_chart.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace rs::shell {

namespace {

// Pixels of the lanes on the time axis.
struct TimeScale {
    int64_t startMs = 0;
    int64_t spanMs = 1;
    int left = 0;
    int right = 0;
    int x(int64_t t) const {
        const int64_t clamped = std::clamp<int64_t>(t - startMs, 0, spanMs);
        return left + static_cast<int>(clamped * (right - left) / spanMs);
    }
};

TimeScale scaleOf(const ChartView& view) {
    const int64_t span = std::max<int64_t>(view.spanMs, 1);
    const int right = std::max(view.width - kChartRightMargin, kChartNameWidth + 1);
    return {view.endMs - span, span, kChartNameWidth, right};
}

std::string timeText(int64_t ms, int64_t step) {
    char buf[32];
    if (step < 1000)
        std::snprintf(buf, sizeof buf, "%.1fs", static_cast<double>(ms) / 1000.0);
    else
        std::snprintf(buf, sizeof buf, "%llds", static_cast<long long>(ms / 1000));
    return buf;
}

// The tick spacing that leaves at least 80 pixels between ticks.
int64_t tickStep(const TimeScale& s) {
    constexpr int64_t kSteps[] = {100, 200, 500, 1000, 2000, 5000, 10000, 20000, 30000, 60000};
    for (int64_t step : kSteps)
        if (step * (s.right - s.left) / s.spanMs >= 80) return step;
    return 60000;
}

// One lane's waveform: horizontal runs at the level of each value, a vertical
// line where it changes, all changes within one pixel column joined into one.
class Waveform {
  public:
    Waveform(Scene& scene, int x, int y)
        : m_scene(scene), m_x(x), m_y(y), m_colX(x), m_colTop(y), m_colBottom(y) {}

    void step(int x, int y) {
        if (x > m_x) {
            flushColumn();
            m_scene.lines.push_back({{m_x, m_y}, {x, m_y}});
            m_x = x;
            m_colX = x;
            m_colTop = m_colBottom = m_y;
        }
        m_colTop = std::min({m_colTop, m_y, y});
        m_colBottom = std::max({m_colBottom, m_y, y});
        m_y = y;
    }
    void finish(int x) {
        flushColumn();
        if (x > m_x) m_scene.lines.push_back({{m_x, m_y}, {x, m_y}});
    }

  private:
    void flushColumn() {
        if (m_colTop < m_colBottom)
            m_scene.lines.push_back({{m_colX, m_colTop}, {m_colX, m_colBottom}});
        m_colTop = m_colBottom = m_y;
    }

    Scene& m_scene;
    int m_x;
    int m_y;
    int m_colX;
    int m_colTop;
    int m_colBottom;
};

struct Lane {
    int top = 0;
    int bottom = 0;
    int high() const { return top + kChartLevelInset; }
    int low() const { return bottom - kChartLevelInset; }
};

void drawSignal(ChartScene& out, const sim::TraceHistory& history, size_t i, const Lane& lane,
                const TimeScale& s) {
    const auto& changes = history.changes(i);
    const int64_t endMs = std::min(s.startMs + s.spanMs, history.lastMs());
    const size_t k = history.firstChangeAfter(i, s.startMs);
    if (k == 0 && (changes.empty() || changes.front().atMs > endMs)) return;
    const size_t first = k == 0 ? 0 : k - 1;
    const size_t last = history.firstChangeAfter(i, endMs);
    const bool bit = history.tracedSignals()[i].width == 1;
    int32_t lo = changes[first].value, hi = lo;
    if (!bit)
        for (size_t j = first; j < last; ++j) {
            lo = std::min(lo, changes[j].value);
            hi = std::max(hi, changes[j].value);
        }
    auto level = [&](int32_t v) {
        if (bit) return v ? lane.high() : lane.low();
        if (hi == lo) return (lane.high() + lane.low()) / 2;
        const int64_t range = static_cast<int64_t>(hi) - lo;
        return lane.low() - static_cast<int>((static_cast<int64_t>(v) - lo) *
                                             (lane.low() - lane.high()) / range);
    };
    Scene& scene = bit ? out.bits : out.words;
    Waveform wave(scene, s.x(changes[first].atMs), level(changes[first].value));
    // A word's value is written on each step wide enough to hold it.
    auto label = [&](size_t j, int toX) {
        const int fromX = s.x(changes[j].atMs);
        if (bit || toX - fromX < kChartMinTextGap) return;
        scene.texts.push_back({{fromX + 3, lane.top, toX - 1, lane.top + kChartLaneHeight / 2},
                               std::to_string(changes[j].value),
                               Scene::Align::LeftMiddle});
    };
    for (size_t j = first + 1; j < last; ++j) {
        const int x = s.x(changes[j].atMs);
        label(j - 1, x);
        wave.step(x, level(changes[j].value));
    }
    wave.finish(s.x(endMs));
    label(last - 1, s.x(endMs));
}

}  // namespace

int chartHeight(size_t signalCount) {
    return static_cast<int>(signalCount) * kChartLaneHeight + kChartAxisHeight;
}

std::optional<int64_t> chartTimeAt(const ChartView& view, int x) {
    const TimeScale s = scaleOf(view);
    if (x < s.left) return std::nullopt;
    const int px = std::min(x, s.right) - s.left;
    return s.startMs +
           (static_cast<int64_t>(px) * s.spanMs + (s.right - s.left) / 2) / (s.right - s.left);
}

int64_t zoomedSpan(int64_t spanMs, int steps) {
    const auto* begin = std::begin(kChartSpansMs);
    const auto* end = std::end(kChartSpansMs);
    const auto* at = std::lower_bound(begin, end, spanMs);
    const std::ptrdiff_t index =
        std::clamp<std::ptrdiff_t>((at - begin) + steps, 0, (end - begin) - 1);
    return begin[index];
}

ChartScene timingChartScene(const sim::TraceHistory& history, const ChartView& view) {
    ChartScene out;
    const TimeScale s = scaleOf(view);
    const size_t n = history.tracedSignals().size();
    const int axisTop = static_cast<int>(n) * kChartLaneHeight;
    out.height = chartHeight(n);
    const std::optional<int64_t> shownAt =
        view.cursorMs ? view.cursorMs : std::optional<int64_t>(history.lastMs());
    for (size_t i = 0; i < n; ++i) {
        const Lane lane{static_cast<int>(i) * kChartLaneHeight,
                        static_cast<int>(i + 1) * kChartLaneHeight};
        out.frame.lines.push_back({{0, lane.bottom}, {view.width, lane.bottom}});
        std::string name = history.tracedSignals()[i].name;
        if (const auto v = history.empty() ? std::nullopt : history.valueAt(i, *shownAt))
            name += " = " + std::to_string(*v);
        out.frame.texts.push_back(
            {{4, lane.top, kChartNameWidth - 2, lane.bottom}, name, Scene::Align::LeftMiddle});
        if (!history.empty()) drawSignal(out, history, i, lane, s);
    }
    out.frame.lines.push_back({{kChartNameWidth, 0}, {kChartNameWidth, out.height}});
    const int64_t step = tickStep(s);
    for (int64_t t = (std::max<int64_t>(s.startMs, 0) + step - 1) / step * step;
         t <= s.startMs + s.spanMs; t += step) {
        const int x = s.x(t);
        out.frame.lines.push_back({{x, axisTop}, {x, axisTop + 4}});
        out.frame.texts.push_back(
            {{x - 40, axisTop + 4, x + 40, out.height}, timeText(t, step), Scene::Align::Center});
    }
    if (view.cursorMs && *view.cursorMs >= s.startMs && *view.cursorMs <= s.startMs + s.spanMs) {
        const int x = s.x(*view.cursorMs);
        out.cursor.lines.push_back({{x, 0}, {x, axisTop}});
        // Its time under the names, clear of the axis's own times.
        out.cursor.texts.push_back({{4, axisTop, kChartNameWidth - 2, out.height},
                                    "cursor " + std::to_string(*view.cursorMs) + "ms",
                                    Scene::Align::LeftMiddle});
    }
    return out;
}

void ChartControl::setPaused(bool paused, const sim::TraceHistory& history) {
    if (paused && !m_paused) m_pausedEndMs = std::max<int64_t>(history.lastMs(), m_spanMs);
    m_paused = paused;
}

void ChartControl::restart() {
    m_paused = false;
    m_cursorMs.reset();
}

ChartView ChartControl::view(const sim::TraceHistory& history, int width) const {
    // Until the trace fills the span, the chart starts at 0.
    const int64_t live = std::max<int64_t>(history.lastMs(), m_spanMs);
    return {m_paused ? m_pausedEndMs : live, m_spanMs, m_cursorMs, width};
}

}  // namespace rs::shell

// The timing chart's geometry from a known trace: where each waveform's
// levels and edges fall, how many changes in one pixel column draw, the
// cursor, the axis, zoom and pause.
#include "app/model/timing_chart.h"

#include <gtest/gtest.h>

#include "tests/sim/sim_rig.h"

using namespace rs;
using namespace rs::shell;

namespace {

std::vector<sim::Watch> watches(std::initializer_list<const char*> names) {
    std::vector<sim::Watch> out;
    for (const char* n : names) {
        std::string problem;
        out.push_back(*sim::makeWatch(n, problem));
    }
    return out;
}

// A chart one pixel a millisecond: 1000 ms over the lanes.
constexpr int kWidth = kChartNameWidth + 1000 + kChartRightMargin;

// Y000 follows X000, switched on at 100 ms and off at 150 ms; D0 takes 10 at
// 300 ms and 5 at 600 ms; a scan every 10 ms up to 1000 ms.
struct KnownTrace {
    KnownTrace() : rig("LD X000\nOUT Y000\nEND"), history(watches({"Y000", "D0"})) {
        std::string problem;
        const auto x0 = *sim::makeWatch("X000", problem);
        const auto d0 = *sim::makeWatch("D0", problem);
        for (int64_t t = 0; t <= 1000; t += 10) {
            if (t == 100) rig.engine.write(x0.value, 1);
            if (t == 150) rig.engine.write(x0.value, 0);
            if (t == 300) rig.engine.write(d0.value, 10);
            if (t == 600) rig.engine.write(d0.value, 5);
            rig.scan(t == 0 ? 0 : 10);
            history.sample(t, rig.engine);
        }
    }
    sim::test::Rig rig;
    sim::TraceHistory history;
};

int x(int64_t ms) {
    return kChartNameWidth + static_cast<int>(ms);
}

TEST(TimingChart, BitsAreHighOrLowAndWordsStepBetweenTheirValues) {
    KnownTrace k;
    const ChartScene s = timingChartScene(k.history, {1000, 1000, std::nullopt, kWidth});
    EXPECT_EQ(s.height, 2 * kChartLaneHeight + kChartAxisHeight);
    // Lane 0 (Y000): low at 25, high at 5.
    const int hi = kChartLevelInset, lo = kChartLaneHeight - kChartLevelInset;
    const std::vector<Scene::Line> bits = {{{x(0), lo}, {x(100), lo}},
                                           {{x(100), hi}, {x(100), lo}},
                                           {{x(100), hi}, {x(150), hi}},
                                           {{x(150), hi}, {x(150), lo}},
                                           {{x(150), lo}, {x(1000), lo}}};
    EXPECT_EQ(s.bits.lines, bits);
    // Lane 1 (D0): 0 at its low level, 10 at its high level, 5 halfway.
    const int top = kChartLaneHeight;
    const int wHi = top + kChartLevelInset, wLo = top + kChartLaneHeight - kChartLevelInset;
    const int wMid = wLo - (wLo - wHi) / 2;
    for (const auto& line : std::vector<Scene::Line>{{{x(0), wLo}, {x(300), wLo}},
                                                     {{x(300), wHi}, {x(300), wLo}},
                                                     {{x(300), wHi}, {x(600), wHi}},
                                                     {{x(600), wHi}, {x(600), wMid}},
                                                     {{x(600), wMid}, {x(1000), wMid}}})
        EXPECT_TRUE(s.words.hasLine(line.from, line.to))
            << line.from.x << "," << line.from.y << " " << line.to.x << "," << line.to.y;
    EXPECT_EQ(s.words.lines.size(), 5u);
    // Each step wide enough holds its value; the names show the values at the end.
    for (const char* v : {"0", "10", "5"}) EXPECT_TRUE(s.words.findText(v)) << v;
    EXPECT_TRUE(s.frame.findText("Y000 = 0"));
    EXPECT_TRUE(s.frame.findText("D0 = 5"));
    EXPECT_TRUE(s.cursor.lines.empty());
}

TEST(TimingChart, TheCursorShowsTheValuesAtItsTime) {
    KnownTrace k;
    const ChartView view{1000, 1000, 120, kWidth};
    const ChartScene s = timingChartScene(k.history, view);
    EXPECT_TRUE(s.frame.findText("Y000 = 1"));
    EXPECT_TRUE(s.frame.findText("D0 = 0"));
    ASSERT_EQ(s.cursor.lines.size(), 1u);
    EXPECT_EQ(s.cursor.lines[0].from.x, x(120));
    EXPECT_TRUE(s.cursor.findText("cursor 120ms"));
    // A click's column gives the time back.
    EXPECT_EQ(chartTimeAt(view, x(120)), 120);
    EXPECT_EQ(chartTimeAt(view, x(1000) + 50), 1000) << "right of the lanes: their end";
    EXPECT_FALSE(chartTimeAt(view, kChartNameWidth - 1)) << "the name column has no time";
}

// Only the span shown is drawn: a window from 400 to 900 ms begins at the
// value in force at 400 and stops at the trace's last sample.
TEST(TimingChart, ASpanStartsAtTheValueInForceThere) {
    KnownTrace k;
    const ChartScene s = timingChartScene(k.history, {1400, 1000, std::nullopt, kWidth});
    const int wHi = kChartLaneHeight + kChartLevelInset;
    EXPECT_TRUE(s.words.hasLine({x(0), wHi}, {x(200), wHi})) << "10 from the left edge on";
    const int lo = kChartLaneHeight - kChartLevelInset;
    ASSERT_EQ(s.bits.lines.size(), 1u);
    EXPECT_EQ(s.bits.lines[0], (Scene::Line{{x(0), lo}, {x(600), lo}})) << "up to 1000 ms";
}

// Changes closer than a pixel join: a bit flipping every millisecond over a
// minute draws a bounded number of lines, and still spans its lane.
TEST(TimingChart, ChangesWithinAPixelColumnDrawOneLine) {
    sim::test::Rig rig("LDI Y000\nOUT Y000\nEND");
    sim::TraceHistory history(watches({"Y000"}));
    for (int64_t t = 0; t < 60000; ++t) {
        rig.scan(t == 0 ? 0 : 1);
        history.sample(t, rig.engine);
    }
    const ChartScene s = timingChartScene(history, {60000, 10000, std::nullopt, kWidth});
    EXPECT_LE(s.bits.lines.size(), 2u * 1000 + 2);
    EXPECT_GE(s.bits.lines.size(), 1000u);
    for (const auto& l : s.bits.lines) {
        EXPECT_GE(l.from.x, kChartNameWidth);
        EXPECT_LE(l.to.x, kWidth - kChartRightMargin);
        if (l.from.x == l.to.x) {
            EXPECT_EQ(std::min(l.from.y, l.to.y), kChartLevelInset);
            EXPECT_EQ(std::max(l.from.y, l.to.y), kChartLaneHeight - kChartLevelInset);
        }
    }
}

TEST(TimingChart, AxisTicksAreRoundTimesOfTheSpan) {
    KnownTrace k;
    const ChartScene s = timingChartScene(k.history, {1000, 1000, std::nullopt, kWidth});
    for (const char* t : {"0.0s", "0.1s", "0.5s", "1.0s"}) EXPECT_TRUE(s.frame.findText(t)) << t;
    const ChartScene wide = timingChartScene(k.history, {60000, 60000, std::nullopt, kWidth});
    for (const char* t : {"0s", "5s", "60s"}) EXPECT_TRUE(wide.frame.findText(t)) << t;
    EXPECT_FALSE(wide.frame.findText("1s")) << "ticks at least 80 pixels apart";
}

TEST(TimingChart, ZoomStaysWithinItsSpansAndPauseKeepsTheEnd) {
    EXPECT_EQ(zoomedSpan(10000, -1), 5000);
    EXPECT_EQ(zoomedSpan(10000, 1), 20000);
    EXPECT_EQ(zoomedSpan(1000, -5), 1000);
    EXPECT_EQ(zoomedSpan(120000, 3), 120000);
    EXPECT_EQ(zoomedSpan(7000, 0), 10000) << "a span between two is taken up to the next";

    KnownTrace k;
    ChartControl control;
    EXPECT_EQ(control.view(k.history, kWidth).endMs, kChartDefaultSpanMs)
        << "until the trace fills the span it starts at 0";
    control.zoom(-4);
    EXPECT_EQ(control.view(k.history, kWidth).spanMs, 1000);
    EXPECT_EQ(control.view(k.history, kWidth).endMs, 1000);
    control.setPaused(true, k.history);
    for (int64_t t = 1010; t <= 3000; t += 10) {
        k.rig.scan(10);
        k.history.sample(t, k.rig.engine);
    }
    EXPECT_EQ(control.view(k.history, kWidth).endMs, 1000) << "paused";
    control.setCursor(500);
    control.setPaused(false, k.history);
    EXPECT_EQ(control.view(k.history, kWidth).endMs, 3000) << "live again";
    EXPECT_EQ(control.view(k.history, kWidth).cursorMs, 500);
    control.setPaused(true, k.history);
    control.restart();
    EXPECT_FALSE(control.paused());
    EXPECT_FALSE(control.view(k.history, kWidth).cursorMs);
}

TEST(TimingChart, AnEmptyTraceDrawsNamesAndAxisOnly) {
    const sim::TraceHistory history(watches({"Y000", "T0"}));
    const ChartScene s = timingChartScene(history, {10000, 10000, 50, kWidth});
    EXPECT_TRUE(s.bits.lines.empty());
    EXPECT_TRUE(s.words.lines.empty());
    EXPECT_TRUE(s.frame.findText("T0_on"));
    EXPECT_EQ(s.height, chartHeight(3));
}

}  // namespace

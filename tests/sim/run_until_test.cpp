// A debugging run: halts at breakpoints and at the end of the first scan after
// which a run-until condition holds, at the same scan the scripted run of the
// command line ends at.
#include "sim/debug_run.h"
#include "sim/trace.h"
#include "tests/sim/sim_rig.h"

namespace rs::sim::test {
namespace {

// A latch started by X000 and stopped by X001, a timer on the latch that
// restarts itself, a counter of the timer's closings and a word that grows
// every scan.
const char* const kLatch =
    "LD X000\nOR Y000\nANI X001\nOUT Y000\nLD Y000\nANI T0\nOUT T0 K5\nLD T0\nOUT C0 K3\n"
    "LD Y000\nINC D0\nEND";

Condition condition(const std::string& text) {
    std::string problem;
    const auto c = parseCondition(text, problem);
    EXPECT_TRUE(c) << text << ": " << problem;
    return c.value_or(Condition{});
}

// Scans of 10 ms from 0 until the condition holds; the time of the scan at
// whose end it first held, or -1 within maxScans.
int64_t runUntil(Engine& engine, const Condition& until, int maxScans) {
    for (int k = 0; k < maxScans; ++k) {
        const RunHalt h = runScan(engine, k == 0 ? 0 : 10, until);
        EXPECT_NE(h, RunHalt::Stopped);
        EXPECT_NE(h, RunHalt::Breakpoint);
        if (h == RunHalt::ConditionHeld) return engine.clockMs();
    }
    return -1;
}

TEST(SimRunUntil, HaltsAtTheScanTheCommandLinesRunEndsAt) {
    const char* const conditions[] = {"Y000 = 1",  "T0 on",  "T0 >= 3", "C0 >= 2", "C0 on",
                                      "D0 >= 100", "D0 = 7", "M0 on",   "Y000 off"};
    for (const char* text : conditions) {
        const Condition until = condition(text);
        Rig window(kLatch), line(kLatch);
        window.set("X000", true);
        line.set("X000", true);
        TraceOptions options;
        options.forMs = 3000;
        options.until = until;
        bool met = false;
        int64_t lineAt = -1;
        ASSERT_TRUE(runOnClock(
            line.engine, options, [&](int64_t t) { lineAt = t; }, &met));
        const int64_t windowAt = runUntil(window.engine, until, 301);
        EXPECT_EQ(windowAt, met ? lineAt : -1) << text;
    }
}

TEST(SimRunUntil, KnownTimes) {
    struct Case {
        const char* condition;
        int64_t atMs;
    };
    // T0 counts 500 ms from the scan after its coil closed, opens its coil for
    // a scan and starts again a scan later: it closes at 500, 1020 and 1540 ms.
    const Case cases[] = {{"Y000 = 1", 0}, {"T0 on", 500},     {"C0 >= 2", 1020},
                          {"C0 on", 1540}, {"D0 >= 100", 990}, {"T0 >= 3", 300}};
    for (const Case& c : cases) {
        Rig rig(kLatch);
        rig.set("X000", true);
        EXPECT_EQ(runUntil(rig.engine, condition(c.condition), 400), c.atMs) << c.condition;
    }
}

TEST(SimRunUntil, ABreakpointHaltsFirstAndTheRunGoesOnFromThere) {
    Rig rig(kLatch);
    rig.set("X000", true);
    rig.engine.setBreakpoint(6, true);  // OUT T0 K5
    const Condition until = condition("T0 on");
    EXPECT_EQ(runScan(rig.engine, 0, until), RunHalt::Breakpoint);
    EXPECT_EQ(rig.engine.currentRow(), 6);
    EXPECT_TRUE(rig.bit("Y000")) << "the rows before the breakpoint ran";
    EXPECT_EQ(rig.engine.rungLogic().top(), true);
    int breaks = 1;
    RunHalt h = RunHalt::Breakpoint;
    for (int k = 0; k < 200 && h != RunHalt::ConditionHeld; ++k) {
        h = runScan(rig.engine, 10, until);
        if (h == RunHalt::Breakpoint) ++breaks;
        ASSERT_NE(h, RunHalt::Stopped);
    }
    EXPECT_EQ(h, RunHalt::ConditionHeld);
    EXPECT_EQ(rig.engine.clockMs(), 500);
    EXPECT_EQ(breaks, 51) << "one halt in each of the 51 scans";
}

TEST(SimRunUntil, AStopIsReported) {
    Rig rig("LD X000\nMPS\nOUT Y000\nEND");
    EXPECT_EQ(runScan(rig.engine, 0, std::nullopt), RunHalt::Stopped);
    Rig plain("LD X000\nOUT Y000\nEND");
    EXPECT_EQ(runScan(plain.engine, 0, std::nullopt), RunHalt::ScanDone);
}

}  // namespace
}  // namespace rs::sim::test

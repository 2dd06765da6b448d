// The trace of a run: every signal's changes kept in order, bounded in time
// and count, and the value change dump written from it byte for byte as an
// independent writer of the same samples writes it.
#include "sim/trace_history.h"

#include <algorithm>
#include <map>
#include <sstream>

#include "sim/trace.h"
#include "sim/vcd.h"
#include "tests/sim/sim_rig.h"

namespace rs::sim::test {
namespace {

// A latch with a timer, a counter on the 100 ms clock (32 bits) and a word
// counting while the timer's contact is closed.
const char* const kProgram =
    "LD X000\nOR Y000\nANI X001\nOUT Y000\nLD Y000\nOUT T0 K10\nLD M8012\nOUT C200 K5\n"
    "LD T0\nINC D0\nEND";

std::vector<Watch> watches(std::initializer_list<const char*> names) {
    std::vector<Watch> out;
    for (const char* n : names) {
        std::string problem;
        out.push_back(*makeWatch(n, problem));
    }
    return out;
}

TraceOptions latchRun(const std::vector<Watch>& w) {
    TraceOptions run;
    run.forMs = 4000;
    run.sets = {{100, w[0], 1}, {150, w[0], 0}, {2000, w[1], 1}, {2100, w[1], 0}, {2500, w[0], 1}};
    return run;
}

// What each signal shows, read by the address rule straight from the image.
std::vector<int32_t> readDirectly(const Rig& rig) {
    const auto dword = [&](const char* d) {
        return static_cast<int32_t>(
            rig.memory.dword(*device::deviceAddress(d, device::AccessKind::Loop)));
    };
    return {rig.bit("X000"), rig.bit("X001"), rig.bit("Y000"), rig.word("T0"),
            rig.bit("T0"),   rig.word("D0"),  dword("C200"),   rig.bit("C200")};
}

TEST(SimTraceHistory, SignalsOfTheWatchesInOrderWithTheirWidths) {
    const auto signals = traceSignals(watches({"X000", "X001", "Y000", "T0", "D0", "C200"}));
    std::vector<std::pair<std::string, int>> seen;
    for (const auto& s : signals) seen.emplace_back(s.name, s.width);
    EXPECT_EQ(seen, (std::vector<std::pair<std::string, int>>{{"X000", 1},
                                                              {"X001", 1},
                                                              {"Y000", 1},
                                                              {"T0", 16},
                                                              {"T0_on", 1},
                                                              {"D0", 16},
                                                              {"C200", 32},
                                                              {"C200_on", 1}}));
}

// After every scan of a run, the value the history gives for that time is the
// one the image held; the changes alternate and their times increase.
TEST(SimTraceHistory, AgreesWithTheImageAfterEveryScan) {
    Rig rig(kProgram);
    const auto w = watches({"X000", "X001", "Y000", "T0", "D0", "C200"});
    TraceHistory history(w);
    std::map<int64_t, std::vector<int32_t>> expected;
    ASSERT_TRUE(runOnClock(rig.engine, latchRun(w), [&](int64_t t) {
        history.sample(t, rig.engine);
        expected[t] = readDirectly(rig);
    }));
    ASSERT_EQ(history.tracedSignals().size(), 8u);
    EXPECT_EQ(history.lastMs(), 4000);
    for (const auto& [t, values] : expected)
        for (size_t i = 0; i < values.size(); ++i)
            ASSERT_EQ(history.valueAt(i, t), values[i])
                << history.tracedSignals()[i].name << " at " << t;
    for (size_t i = 0; i < history.tracedSignals().size(); ++i) {
        size_t transitions = 0;
        std::optional<int32_t> last;
        for (const auto& [t, values] : expected) {
            transitions += !last || *last != values[i];
            last = values[i];
        }
        const auto& changes = history.changes(i);
        EXPECT_EQ(changes.size(), transitions) << history.tracedSignals()[i].name;
        for (size_t k = 1; k < changes.size(); ++k) {
            EXPECT_LT(changes[k - 1].atMs, changes[k].atMs);
            EXPECT_NE(changes[k - 1].value, changes[k].value);
        }
    }
    EXPECT_FALSE(history.valueAt(0, -1)) << "nothing before the first sample";
    const auto& t0 = history.changes(3);
    EXPECT_NE(std::find(t0.begin(), t0.end(), TraceChange{1100, 10}), t0.end())
        << "T0 reaches its set value a second after the start";
    EXPECT_EQ(t0.back(), (TraceChange{3500, 10})) << "and again after the second start";
}

TEST(SimTraceHistory, KeepsTheLastSpanAndABoundedNumberOfChanges) {
    // Y000 flips in every scan: on after scan 0, off after scan 1, ...
    Rig rig("LDI Y000\nOUT Y000\nEND");
    TraceHistory span(watches({"Y000"}), 1000);  // sampled every 10 ms
    TraceHistory count(watches({"Y000"}));       // sampled every 1 ms
    for (int64_t k = 0; k < 20000; ++k) {
        rig.scan(k == 0 ? 0 : 1);
        count.sample(k, rig.engine);
        span.sample(k * 10, rig.engine);
    }
    EXPECT_EQ(count.changes(0).size(), static_cast<size_t>(kMaxTraceChanges));
    EXPECT_EQ(count.changes(0).back().atMs, 19999);
    EXPECT_EQ(count.changes(0).front().atMs, 20000 - kMaxTraceChanges);

    const auto& kept = span.changes(0);
    ASSERT_EQ(kept.size(), 101u) << "the last second and the change in force at its start";
    EXPECT_EQ(kept.front().atMs, 199990 - 1000);
    EXPECT_EQ(kept.back().atMs, 199990);
    // Y000 is on after the even scans.
    EXPECT_EQ(span.valueAt(0, 199000), 1);
    EXPECT_EQ(span.valueAt(0, 198995), 0);
    EXPECT_FALSE(span.valueAt(0, 198980)) << "before the span nothing is kept";
}

TEST(SimTraceHistory, OtherWatchesKeepTheSignalsThatStay) {
    Rig rig(kProgram);
    TraceHistory history(watches({"X000", "Y000"}));
    rig.set("X000", true);
    rig.scan(0);
    history.sample(0, rig.engine);
    history.setWatches(watches({"Y000", "T0"}));
    ASSERT_EQ(history.tracedSignals().size(), 3u);
    EXPECT_EQ(history.changes(0).size(), 1u) << "Y000 keeps its change";
    EXPECT_TRUE(history.changes(1).empty()) << "T0 starts at the next sample";
    rig.scan(100);
    history.sample(100, rig.engine);
    EXPECT_EQ(history.valueAt(1, 100), 1);
    EXPECT_FALSE(history.valueAt(1, 0));
    EXPECT_EQ(history.lastChanged(), (std::vector<size_t>{1, 2})) << "T0 and its contact are new";

    // A time before the last sample's is a new run.
    rig.engine.load(rig.engine.program());
    rig.scan(0);
    history.sample(0, rig.engine);
    EXPECT_EQ(history.changes(0).size(), 1u);
    EXPECT_EQ(history.lastMs(), 0);
}

// The dump of a run, written here from the samples by the rules of the file,
// is the dump the writer makes from the trace history.
TEST(SimTraceHistory, TheValueChangeDumpIsWrittenFromTheSamples) {
    const auto w = watches({"X000", "X001", "Y000", "T0", "D0", "C200"});
    Rig rig(kProgram);
    std::ostringstream fromHistory;
    VcdWriter writer(fromHistory, w);
    std::ostringstream expected;
    expected << "$version rungsmith-cli simulate $end\n$timescale 1ms $end\n"
                "$scope module plc $end\n";
    const char* const names[] = {"X000", "X001", "Y000", "T0", "T0_on", "D0", "C200", "C200_on"};
    const int widths[] = {1, 1, 1, 16, 1, 16, 32, 1};
    for (int i = 0; i < 8; ++i)
        expected << "$var " << (widths[i] == 1 ? "wire" : "reg") << ' ' << widths[i] << ' '
                 << static_cast<char>('!' + i) << ' ' << names[i] << " $end\n";
    expected << "$upscope $end\n$enddefinitions $end\n";
    std::vector<int64_t> last(8, -1);
    ASSERT_TRUE(runOnClock(rig.engine, latchRun(w), [&](int64_t t) {
        writer.sample(t, rig.engine);
        const auto now = readDirectly(rig);
        std::string lines;
        for (int i = 0; i < 8; ++i) {
            if (now[i] == last[i]) continue;
            last[i] = now[i];
            if (widths[i] == 1) {
                lines += std::to_string(now[i]) + static_cast<char>('!' + i) + "\n";
                continue;
            }
            std::string bits;
            for (uint32_t v = static_cast<uint32_t>(now[i]); v; v >>= 1)
                bits.insert(0, 1, '0' + (v & 1));
            lines += "b" + (bits.empty() ? "0" : bits) + " " + static_cast<char>('!' + i) + "\n";
        }
        if (lines.empty()) return;
        expected << '#' << t << '\n' << (t == 0 ? "$dumpvars\n" + lines + "$end\n" : lines);
    }));
    EXPECT_EQ(fromHistory.str(), expected.str());
}

}  // namespace
}  // namespace rs::sim::test

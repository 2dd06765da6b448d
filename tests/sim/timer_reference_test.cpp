// Timers against a small reference model: generated programs where the coil of
// T0 runs zero, one or several times a scan (two OUT rows, inside FOR, a
// subroutine called more than once, jumped over), random inputs and scan times.
#include <random>

#include "tests/sim/sim_rig.h"

namespace rs::sim::test {
namespace {

// A 100 ms timer as the controller describes it: while the coil is on it
// counts the time of every scan in which the coil ran, from the scan after the
// one that switched it on, once per scan however often the coil ran; a scan in
// which the coil did not run is not counted (the timer holds). The value stops
// at the set value (at 0 for a set value of 0 or below); the contact closes
// from the set value on; coil off clears both.
struct ReferenceTimer {
    int set = 0;
    bool timing = false;
    int64_t countedMs = 0;

    void scan(int64_t elapsedMs, int coilRuns, bool coilOn) {
        if (coilRuns == 0) return;
        if (!coilOn) {
            timing = false;
            countedMs = 0;
            return;
        }
        if (timing) countedMs += elapsedMs;
        timing = true;
    }
    int value() const {
        if (!timing) return 0;
        return static_cast<int>(std::min<int64_t>(countedMs / 100, std::max(set, 0)));
    }
    bool contact() const { return timing && value() >= set; }
};

// The coil of T0 run `runs` times a scan by one of four shapes; X001 on jumps
// over all of them.
std::string timerProgram(int shape, int runs, const std::string& set) {
    const std::string coil = "LD X000\nOUT T0 " + set + "\n";
    std::string body;
    switch (shape) {
        case 0:  // repeated OUT rows
            for (int i = 0; i < runs; ++i) body += coil;
            return "LD X001\nCJ P1\n" + body + "P1:\nEND";
        case 1:  // inside FOR
            return "LD X001\nCJ P1\nFOR K" + std::to_string(runs) + "\n" + coil + "NEXT\nP1:\nEND";
        case 2:  // a subroutine called `runs` times
            for (int i = 0; i < runs; ++i) body += "LD M8000\nCALL P0\n";
            return "LD X001\nCJ P1\n" + body + "P1:\nFEND\nP0:\n" + coil + "SRET\nEND";
        default:  // the coil row and a contact of T0 between coil runs
            for (int i = 0; i < runs; ++i) body += coil + "LD T0\nOUT Y000\n";
            return "LD X001\nCJ P1\n" + body + "P1:\nEND";
    }
}

TEST(SimTimerReference, GeneratedProgramsCountTimeNotCoilRuns) {
    std::mt19937 random(22);
    const int sets[] = {0, 1, 3, 10, -4};
    for (int program = 0; program < 240; ++program) {
        const int shape = program % 4;
        const int runs = 1 + program / 4 % 3;
        const int set = sets[program / 12 % 5];
        // A negative set value comes from a D word; the others are K constants.
        const std::string setText = set < 0 ? "D7" : "K" + std::to_string(set);
        const std::string text = timerProgram(shape, runs, setText);
        Rig rig(text);
        if (set < 0) rig.setWord("D7", set);
        ReferenceTimer model{set};
        bool x0 = false, x1 = false;
        for (int scan = 0; scan < 120; ++scan) {
            if (random() % 9 == 0) x0 = !x0;
            if (random() % 13 == 0) x1 = !x1;
            rig.set("X000", x0);
            rig.set("X001", x1);
            const int64_t elapsed = scan == 0 ? 0 : static_cast<int64_t>(random() % 160);
            ASSERT_TRUE(rig.scan(elapsed)) << text << rig.stopMessage();
            model.scan(elapsed, x1 ? 0 : runs, x0);
            ASSERT_EQ(rig.word("T0"), model.value()) << text << "\nscan " << scan;
            ASSERT_EQ(rig.bit("T0"), model.contact()) << text << "\nscan " << scan;
        }
    }
}

TEST(SimTimerReference, TwoCoilRowsCloseAtTheSetTimeNotHalfOfIt) {
    Rig rig("LD X000\nOUT T0 K10\nLD X000\nOUT T0 K10\nEND");
    rig.set("X000", true);
    rig.scan(0);
    for (int t = 10; t < 1000; t += 10) {
        rig.scan(10);
        ASSERT_FALSE(rig.bit("T0")) << t << " ms";
    }
    rig.scan(10);
    EXPECT_TRUE(rig.bit("T0")) << "closes at 1000 ms";
    EXPECT_EQ(rig.word("T0"), 10);
}

TEST(SimTimerReference, SetValueZeroOrBelowStaysAtZeroWithTheContactClosed) {
    for (const char* set : {"K0", "D0"}) {
        Rig rig(std::string("LD X000\nOUT T3 ") + set + "\nEND");
        rig.setWord("D0", -20);
        rig.set("X000", true);
        for (int i = 0; i < 50; ++i) rig.scan(1000);
        EXPECT_EQ(rig.word("T3"), 0) << set;
        EXPECT_TRUE(rig.bit("T3")) << set;
        rig.set("X000", false);
        rig.scan(10);
        EXPECT_FALSE(rig.bit("T3")) << set;
    }
}

}  // namespace
}  // namespace rs::sim::test

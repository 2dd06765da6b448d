// Stepping within a scan: a scan run row by row, rung by rung, or halted at
// breakpoints leaves exactly the device image a whole scan leaves. Generated
// programs hold timer coils that run twice, FOR loops, subroutines called
// once or twice, jumps, the point stack and an END with rows after it; three
// engines run each program side by side: whole scans, a stepped run of
// changing kinds, and a row-by-row run that counts how often each row ran.
#include <array>
#include <map>
#include <random>

#include "tests/sim/sim_rig.h"

namespace rs::sim::test {
namespace {

std::string x(int i) {
    return "X00" + std::to_string(i % 8);
}

// One program from the generator: a main part of random pieces, FEND, two
// subroutines, END, and now and then rows after END that never run.
std::string generateProgram(std::mt19937& random) {
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    int label = 0;
    auto simpleRung = [&] {
        std::string r = (pick(2) ? "LD " : "LDI ") + x(pick(8)) + "\n";
        static const char* const kSeries[] = {"AND ", "ANI ", "OR ", "ORI "};
        for (int k = pick(3); k > 0; --k) r += kSeries[pick(4)] + x(pick(8)) + "\n";
        return r + "OUT " + (pick(2) ? "Y00" : "M") + std::to_string(pick(8)) + "\n";
    };
    auto piece = [&](bool topLevel) -> std::string {
        switch (pick(topLevel ? 11 : 5)) {
            case 0:
                return simpleRung();
            case 1:
                return "LD " + x(pick(8)) + "\nMPS\nAND " + x(pick(8)) + "\nOUT Y010\nMRD\nANI " +
                       x(pick(8)) + "\nOUT M20\nMPP\nOUT Y011\n";
            case 2: {  // a timer whose coil runs twice a scan
                const std::string t = "T" + std::to_string(pick(3));
                const std::string c = "LD " + x(pick(8)) + "\nOUT " + t + " K3\n";
                return c + c;
            }
            case 3:
                return "LD T" + std::to_string(pick(3)) + "\nOUT Y00" + std::to_string(pick(8)) +
                       "\n";
            case 4:
                return "LD " + x(pick(8)) + "\nLD " + x(pick(8)) + "\nOR " + x(pick(8)) +
                       "\nANB\nOUT M" + std::to_string(30 + pick(8)) + "\n";
            case 5:
                return "FOR K" + std::to_string(1 + pick(3)) + "\nLD " + x(pick(8)) +
                       "\nINC D0\nLD " + x(pick(8)) + "\nOUT T3 K2\nNEXT\n";
            case 6: {
                const std::string p = "P" + std::to_string(label++);
                return "LD " + x(pick(8)) + "\nCJ " + p + "\n" + simpleRung() + p + ":\n";
            }
            case 7:
                return "LD " + x(pick(8)) + "\nCALL P5" + std::to_string(pick(2)) + "\n";
            case 8:
                return "LD M8000\nADD D0 K1 D1\nLD M8000\nCMP D1 K50 M100\n";
            case 9:
                return "LDP " + x(pick(8)) + "\nOUT C" + std::to_string(pick(2)) +
                       " K3\nLD C0\nOUT Y017\n";
            default:
                return "LD M8002\nMOV K7 D5\nLDF " + x(pick(8)) + "\nINC D6\n";
        }
    };
    std::string text;
    for (int k = 2 + pick(10); k > 0; --k) text += piece(true);
    text += "FEND\nP50:\n";
    for (int k = 1 + pick(3); k > 0; --k) text += piece(false);
    if (pick(2)) text += "LD " + x(pick(8)) + "\nCALL P51\n";
    text += "SRET\nP51:\n" + piece(false) + "LD X001\nOUT T2 K4\nSRET\nEND\n";
    if (pick(3) == 0) text += simpleRung() + "END\n";
    return text;
}

std::array<uint8_t, device::kDeviceMemoryBytes> image(const Rig& rig) {
    std::array<uint8_t, device::kDeviceMemoryBytes> bytes{};
    rig.memory.read(0, bytes);
    return bytes;
}

// Runs the scan in progress (or the next one) to its end by steps of
// changing kinds, as a user might; false when the engine stopped.
bool steppedScan(Engine& engine, std::mt19937& random, int64_t elapsed, int strategy) {
    for (int guard = 0; guard < 100000; ++guard) {
        StepTo to = StepTo::Row;
        if (strategy == 1) to = StepTo::Rung;
        if (strategy == 2) to = StepTo::ScanEnd;
        if (strategy == 3) to = static_cast<StepTo>(random() % 3);
        if (strategy == 4 && engine.midScan() && random() % 4 == 0) return engine.scan(elapsed);
        const bool between = !engine.midScan();
        const Halt halt = engine.step(to, elapsed);
        if (halt == Halt::Stopped) return false;
        if (halt == Halt::ScanEnd) return true;
        EXPECT_TRUE(engine.midScan());
        const int row = engine.currentRow();
        EXPECT_GE(row, 0);
        EXPECT_LT(row, static_cast<int>(engine.program().rows.size()));
        if (between && to != StepTo::ScanEnd) {
            EXPECT_EQ(row, 0) << "a step into a scan pauses before its first row";
        }
        if (halt == Halt::Breakpoint) {
            EXPECT_TRUE(engine.breakpoint(row));
        }
        if (halt == Halt::Row && !between && to == StepTo::Rung) {
            EXPECT_TRUE(startsRung(engine.program(), row)) << rowName(engine.program(), row);
        }
    }
    ADD_FAILURE() << "a stepped scan did not end";
    return false;
}

TEST(SimStepping, SteppedScansLeaveTheImageOfWholeScans) {
    std::mt19937 random(2206);
    int stops = 0, halts = 0;
    for (int program = 0; program < 160; ++program) {
        const std::string text = generateProgram(random);
        Rig whole(text), stepped(text), counted(text);
        std::vector<int> breaks;
        for (int k = 0; k < 3; ++k) {
            const int row = static_cast<int>(random() % stepped.engine.program().rows.size());
            stepped.engine.setBreakpoint(row, true);
            breaks.push_back(row);
        }
        for (int scan = 0; scan < 40; ++scan) {
            for (int i = 0; i < 8; ++i) {
                const bool on = random() % 3 == 0;
                whole.set(x(i), on);
                stepped.set(x(i), on);
                counted.set(x(i), on);
            }
            const int64_t elapsed = scan == 0 ? 0 : static_cast<int64_t>(random() % 150);
            const int strategy = (program + scan) % 5;
            const bool ranWhole = whole.engine.scan(elapsed);
            // The stepped engine, halting at its breakpoints, counts its halts at each
            // row; the counting engine steps row by row and counts each row's runs.
            std::map<int, int> hits, runs;
            bool ranStepped = true;
            if (strategy == 2) {
                for (Halt h = stepped.engine.step(StepTo::ScanEnd, elapsed); h != Halt::ScanEnd;
                     h = stepped.engine.step(StepTo::ScanEnd, elapsed)) {
                    if (h == Halt::Stopped) {
                        ranStepped = false;
                        break;
                    }
                    ++hits[stepped.engine.currentRow()];
                }
            } else {
                ranStepped = steppedScan(stepped.engine, random, elapsed, strategy);
            }
            for (Halt h = counted.engine.step(StepTo::Row, elapsed); h == Halt::Row;
                 h = counted.engine.step(StepTo::Row, elapsed))
                ++runs[counted.engine.currentRow()];
            ASSERT_EQ(ranWhole, ranStepped) << text << "scan " << scan << whole.stopMessage();
            ASSERT_EQ(whole.stopMessage(), stepped.stopMessage()) << text;
            ASSERT_EQ(whole.stopMessage(), counted.stopMessage()) << text;
            if (!ranWhole) {
                ++stops;
                break;
            }
            ASSERT_FALSE(stepped.engine.midScan());
            ASSERT_TRUE(image(whole) == image(stepped)) << text << "scan " << scan;
            ASSERT_TRUE(image(whole) == image(counted)) << text << "scan " << scan;
            ASSERT_EQ(whole.engine.rowResults(), stepped.engine.rowResults()) << text;
            ASSERT_EQ(whole.engine.clockMs(), stepped.engine.clockMs());
            ASSERT_EQ(whole.engine.scans(), stepped.engine.scans());
            if (strategy != 2) continue;
            for (const int row : breaks) {
                ASSERT_EQ(hits[row], runs[row]) << text << "breakpoint at row " << row;
                halts += hits[row];
            }
        }
    }
    EXPECT_GT(halts, 100) << "breakpoints were reached";
    EXPECT_LT(stops, 80) << "most programs run to the end";
}

// The stacks seen before each row of a rung with a nested block and points.
TEST(SimStepping, EachStepShowsTheStacksBeforeTheNextRow) {
    Rig rig("LD X000\nLD X001\nOR X002\nANB\nMPS\nAND X003\nOUT Y000\nMPP\nOUT Y001\nEND");
    rig.set("X000", true);
    rig.set("X002", true);
    struct Expected {
        int row, depth, top, points;
    };
    // Before row 1: X000 loaded; before 2: X000, X001=0; before 3: X001 OR X002;
    // before 4: joined; before 5: pushed; before 6: AND X003 (off).
    const Expected steps[] = {{1, 1, 1, 0}, {2, 2, 0, 0}, {3, 2, 1, 0}, {4, 1, 1, 0},
                              {5, 1, 1, 1}, {6, 1, 0, 1}, {7, 1, 0, 1}, {8, 1, 1, 0}};
    ASSERT_EQ(rig.engine.step(StepTo::Row, 0), Halt::Row);
    EXPECT_EQ(rig.engine.currentRow(), 0);
    EXPECT_EQ(rig.engine.rungLogic().depth(), 0);
    for (const Expected& e : steps) {
        ASSERT_EQ(rig.engine.step(StepTo::Row, 0), Halt::Row);
        const RungLogic& s = rig.engine.rungLogic();
        EXPECT_EQ(rig.engine.currentRow(), e.row);
        EXPECT_EQ(s.depth(), e.depth) << "before row " << e.row;
        EXPECT_EQ(s.top(), e.top != 0) << "before row " << e.row;
        EXPECT_EQ(s.pointDepth(), e.points) << "before row " << e.row;
        if (e.points > 0) {
            EXPECT_TRUE(s.point(0));
        }
    }
    EXPECT_EQ(rig.engine.rungLogic().block(0), true);
    EXPECT_FALSE(rig.bit("Y001")) << "not run yet";
    EXPECT_EQ(rig.engine.step(StepTo::Row, 0), Halt::Row);
    EXPECT_TRUE(rig.bit("Y001"));
    EXPECT_EQ(rig.engine.step(StepTo::Row, 0), Halt::ScanEnd);
    EXPECT_EQ(rig.engine.currentRow(), -1);
    EXPECT_EQ(rig.engine.scans(), 1);
}

TEST(SimStepping, StepRungPausesAtEachRungsFirstRow) {
    Rig rig("LD X000\nOUT Y000\nLD X001\nAND X002\nOUT Y001\nP0:\nLDI X003\nOUT M0\nEND");
    std::vector<int> rows;
    for (Halt h = rig.engine.step(StepTo::Rung, 0); h == Halt::Row;
         h = rig.engine.step(StepTo::Rung, 0))
        rows.push_back(rig.engine.currentRow());
    EXPECT_EQ(rows, (std::vector<int>{0, 2, 5, 6, 8}));
}

TEST(SimStepping, BreakpointsHaltInEveryScanAndEveryRunOfTheirRow) {
    // The coil in FOR runs three times, the subroutine twice; the jumped-over
    // row never runs.
    Rig rig(
        "FOR K3\nLD X000\nOUT Y000\nNEXT\nLD M8000\nCALL P1\nLD M8000\nCALL P1\nLD M8000\nCJ "
        "P0\nLD X001\nOUT Y002\nP0:\nFEND\nP1:\nLD X002\nOUT Y001\nSRET\nEND");
    for (int row : {1, 15, 10}) rig.engine.setBreakpoint(row, true);
    EXPECT_EQ(rig.engine.breakpoints(), (std::vector<int>{1, 10, 15}));
    for (int scan = 0; scan < 3; ++scan) {
        std::vector<int> halts;
        for (Halt h = rig.engine.step(StepTo::ScanEnd, 10); h != Halt::ScanEnd;
             h = rig.engine.step(StepTo::ScanEnd, 10)) {
            ASSERT_EQ(h, Halt::Breakpoint);
            halts.push_back(rig.engine.currentRow());
        }
        EXPECT_EQ(halts, (std::vector<int>{1, 1, 1, 15, 15})) << "scan " << scan;
        EXPECT_EQ(rig.engine.callDepth(), 0);
    }
    // Inside the subroutine the call is one deep and the caller's rung is put aside.
    ASSERT_EQ(rig.engine.step(StepTo::ScanEnd, 10), Halt::Breakpoint);
    ASSERT_EQ(rig.engine.loopDepth(), 1);
    ASSERT_EQ(rig.engine.step(StepTo::ScanEnd, 10), Halt::Breakpoint);
    ASSERT_EQ(rig.engine.step(StepTo::ScanEnd, 10), Halt::Breakpoint);
    ASSERT_EQ(rig.engine.step(StepTo::ScanEnd, 10), Halt::Breakpoint);
    EXPECT_EQ(rig.engine.currentRow(), 15);
    EXPECT_EQ(rig.engine.callDepth(), 1);
    EXPECT_EQ(rig.engine.rungLogic().depth(), 0);
    // scan() passes over breakpoints and finishes the paused scan.
    EXPECT_TRUE(rig.engine.scan(10));
    EXPECT_FALSE(rig.engine.midScan());
    EXPECT_EQ(rig.engine.scans(), 4);
    rig.engine.setBreakpoint(15, false);
    rig.engine.setBreakpoint(1, false);
    rig.engine.setBreakpoint(0, true);
    rig.engine.setBreakpoint(99, true);  // no such row: ignored
    EXPECT_EQ(rig.engine.breakpoints(), (std::vector<int>{0, 10}));
    EXPECT_EQ(rig.engine.step(StepTo::ScanEnd, 10), Halt::Breakpoint) << "before row 0";
    EXPECT_EQ(rig.engine.currentRow(), 0);
    EXPECT_EQ(rig.engine.step(StepTo::ScanEnd, 10), Halt::ScanEnd);
    rig.engine.setBreakpoint(0, false);
    rig.engine.setBreakpoint(10, false);
    EXPECT_TRUE(rig.engine.breakpoints().empty());
    EXPECT_EQ(rig.engine.step(StepTo::ScanEnd, 10), Halt::ScanEnd);
}

TEST(SimStepping, AStopWhileSteppingEndsTheScanWithTheWholeScansMessage) {
    const std::string text = "LD X000\nMPS\nOUT Y000\nLD X001\nOUT Y001\nEND";
    Rig whole(text), stepped(text);
    EXPECT_FALSE(whole.scan(0));
    Halt h = Halt::Row;
    while (h == Halt::Row) h = stepped.engine.step(StepTo::Row, 0);
    EXPECT_EQ(h, Halt::Stopped);
    EXPECT_EQ(stepped.stopMessage(), whole.stopMessage());
    EXPECT_FALSE(stepped.engine.midScan());
    EXPECT_EQ(stepped.engine.step(StepTo::Row, 0), Halt::Stopped);
}

}  // namespace
}  // namespace rs::sim::test

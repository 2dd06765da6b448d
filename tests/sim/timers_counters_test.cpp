// Timers on the virtual clock, counters across their set value, special relays.
#include "tests/sim/sim_rig.h"

namespace rs::sim::test {
namespace {

TEST(SimTimers, ContactClosesAtTheSetValueNotOneTickBefore) {
    Rig rig("LD X000\nOUT T0 K10\nLD T0\nOUT Y000\nEND");
    rig.scan(0);
    rig.set("X000", true);
    rig.scan(10);  // the coil comes on: time counts from this scan
    for (int counted = 0; counted < 1000; counted += 10) {
        EXPECT_EQ(rig.word("T0"), counted / 100) << counted;
        EXPECT_FALSE(rig.bit("T0")) << counted;
        rig.scan(10);
    }
    EXPECT_EQ(rig.engine.clockMs(), 1010);
    EXPECT_EQ(rig.word("T0"), 10);
    EXPECT_TRUE(rig.bit("T0"));
    EXPECT_TRUE(rig.bit("Y000"));
    rig.scan(500);
    EXPECT_EQ(rig.word("T0"), 10) << "the value stops at the set value";
    rig.set("X000", false);
    rig.scan(10);
    EXPECT_EQ(rig.word("T0"), 0);
    EXPECT_FALSE(rig.bit("T0"));
    EXPECT_FALSE(rig.bit("Y000"));
}

TEST(SimTimers, SetValueFromAWordAndLongScansCountWholeTicks) {
    Rig rig("LD X000\nOUT T5 D10\nEND");
    rig.setWord("D10", 3);
    rig.set("X000", true);
    rig.scan(0);
    rig.scan(250);
    EXPECT_EQ(rig.word("T5"), 2);
    rig.scan(40);  // 290 ms
    EXPECT_FALSE(rig.bit("T5"));
    rig.scan(10);  // 300 ms
    EXPECT_TRUE(rig.bit("T5"));
}

TEST(SimTimers, ResetStopsARunningTimer) {
    Rig rig("LD X000\nOUT T1 K5\nLD X001\nRST T1\nEND");
    rig.set("X000", true);
    rig.scan(0);
    rig.scan(300);
    EXPECT_EQ(rig.word("T1"), 3);
    rig.set("X001", true);
    rig.scan(10);
    EXPECT_EQ(rig.word("T1"), 0);
    rig.set("X001", false);
    rig.scan(10);  // counting starts again from this scan
    rig.scan(100);
    EXPECT_EQ(rig.word("T1"), 1);
}

TEST(SimCounters, CountRisingEdgesUpToTheSetValueAndReset) {
    Rig rig("LD X000\nOUT C0 K3\nLD C0\nOUT Y000\nLD X001\nRST C0\nEND");
    auto pulse = [&] {
        rig.set("X000", true);
        rig.scan();
        rig.scan();  // held on: no second count
        rig.set("X000", false);
        rig.scan();
    };
    const struct {
        int value;
        bool contact;
    } trace[] = {{1, false}, {2, false}, {3, true}, {3, true}};
    for (const auto& step : trace) {
        pulse();
        EXPECT_EQ(rig.word("C0"), step.value);
        EXPECT_EQ(rig.bit("C0"), step.contact);
        EXPECT_EQ(rig.bit("Y000"), step.contact);
    }
    rig.set("X001", true);
    rig.scan();
    EXPECT_EQ(rig.word("C0"), 0);
    EXPECT_FALSE(rig.bit("C0"));
    EXPECT_TRUE(rig.bit("Y000")) << "Y000 ran before RST in that scan";
    rig.scan();
    EXPECT_FALSE(rig.bit("Y000"));
}

TEST(SimCounters, WideCountersKeepCountingPastTheSetValue) {
    Rig rig("LD X000\nOUT C200 K2\nEND");
    for (int i = 0; i < 4; ++i) {
        rig.set("X000", true);
        rig.scan();
        rig.set("X000", false);
        rig.scan();
    }
    EXPECT_EQ(rig.memory.dword(*device::deviceAddress("C200", device::AccessKind::Loop)), 4u);
    EXPECT_TRUE(rig.bit("C200"));
}

TEST(SimSpecialRelays, RunningFirstScanAndClocks) {
    Rig rig("LD M8002\nOUT Y000\nLD M8000\nOUT Y001\nLD M8013\nOUT Y002\nEND");
    rig.scan(0);
    EXPECT_TRUE(rig.bit("Y000"));
    EXPECT_TRUE(rig.bit("Y001"));
    EXPECT_TRUE(rig.bit("Y002"));  // the 1 s clock is on for its first half
    EXPECT_TRUE(rig.bit("M8003") == false);
    rig.scan(10);
    EXPECT_FALSE(rig.bit("Y000"));
    EXPECT_TRUE(rig.bit("M8003"));
    rig.scan(490);  // 500 ms
    EXPECT_FALSE(rig.bit("Y002"));
    rig.scan(499);  // 999 ms
    EXPECT_FALSE(rig.bit("Y002"));
    rig.scan(1);
    EXPECT_TRUE(rig.bit("Y002"));
    for (const auto& [device, period] :
         {std::pair{"M8011", 10}, {"M8012", 100}, {"M8013", 1000}, {"M8014", 60000}}) {
        Rig clock("LD M8000\nOUT Y000\nEND");
        clock.scan(period / 2 - 1);
        EXPECT_TRUE(clock.bit(device)) << device;
        clock.scan(1);
        EXPECT_FALSE(clock.bit(device)) << device;
        clock.scan(period / 2);
        EXPECT_TRUE(clock.bit(device)) << device;
    }
}

}  // namespace
}  // namespace rs::sim::test

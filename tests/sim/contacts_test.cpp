// Contacts, blocks, the point stack, pulses and bit outputs, with known traces.
#include "core/evaluate/list_eval.h"
#include "tests/sim/sim_rig.h"

namespace rs::sim::test {
namespace {

TEST(SimContacts, StartStopLatchHoldsAndDrops) {
    Rig rig("LD X000\nOR Y000\nANI X001\nOUT Y000\nEND");
    // X000, X001 -> Y000 after the scan
    const struct {
        bool start, stop, y;
    } trace[] = {{false, false, false}, {true, false, true},   {false, false, true},
                 {false, true, false},  {false, false, false}, {true, true, false}};
    for (const auto& step : trace) {
        rig.set("X000", step.start);
        rig.set("X001", step.stop);
        ASSERT_TRUE(rig.scan());
        EXPECT_EQ(rig.bit("Y000"), step.y) << step.start << step.stop;
    }
}

TEST(SimContacts, SetAndResetLatchUntilTheOther) {
    Rig rig("LD X000\nSET M0\nLD X001\nRST M0\nLD M0\nOUT Y001\nEND");
    rig.set("X000", true);
    rig.scan();
    rig.set("X000", false);
    rig.scan();
    EXPECT_TRUE(rig.bit("Y001"));
    rig.set("X001", true);
    rig.scan();
    EXPECT_FALSE(rig.bit("M0"));
    EXPECT_FALSE(rig.bit("Y001"));
}

// Blocks and the point stack give what the list evaluator gives, for every
// assignment of the inputs.
TEST(SimContacts, BlocksAndPointsAgreeWithTheListEvaluator) {
    const char* lists[] = {
        "LD X000\nAND X001\nLD X002\nANI X003\nORB\nOUT Y000\nEND",
        "LD X000\nOR X001\nLD X002\nOR X003\nANB\nOUT Y000\nEND",
        "LDI X000\nMPS\nAND X001\nOUT Y000\nMRD\nANI X002\nOUT Y001\nMPP\nAND X003\nOUT "
        "Y002\nEND",
        "LD X000\nOUT Y000\nAND X001\nOUT Y001\nLD X002\nOR X003\nANB\nOUT Y002\nEND",
        "LD X000\nLD X001\nLD X002\nORB\nANB\nORI X003\nOUT Y000\nLD X001\nOUT Y001\nEND",
    };
    for (const char* text : lists) {
        for (int bits = 0; bits < 16; ++bits) {
            Rig rig(text);
            for (int i = 0; i < 4; ++i) rig.set("X00" + std::to_string(i), (bits >> i) & 1);
            ASSERT_TRUE(rig.scan()) << rig.stopMessage();
            const auto expected =
                eval::runList(listing(text), [&](const std::string& d) { return rig.bit(d); });
            ASSERT_TRUE(expected.ok);
            for (const auto& out : expected.outputs)
                EXPECT_EQ(rig.bit(out.name), out.on) << text << " inputs " << bits;
        }
    }
}

TEST(SimContacts, PulsesAreOnForOneScanAfterTheEdge) {
    Rig rig("LDP X000\nOUT Y000\nLDF X000\nOUT Y001\nLD X001\nANDP X000\nOUT Y002\nEND");
    rig.set("X001", true);
    const struct {
        bool x0, rise, fall;
    } trace[] = {{false, false, false}, {true, true, false},  {true, false, false},
                 {true, false, false},  {false, false, true}, {false, false, false},
                 {true, true, false}};
    for (const auto& step : trace) {
        rig.set("X000", step.x0);
        rig.scan();
        EXPECT_EQ(rig.bit("Y000"), step.rise);
        EXPECT_EQ(rig.bit("Y002"), step.rise);
        EXPECT_EQ(rig.bit("Y001"), step.fall);
    }
}

TEST(SimContacts, EachPulseInstructionJudgesItsOwnPreviousScan) {
    // Two LDP of one device: the second runs only while M0 is on.
    Rig rig("LDP X000\nOUT Y000\nLD M0\nCJ P0\nLDP X000\nOUT Y001\nP0:\nEND");
    rig.set("M0", true);
    rig.set("X000", true);
    rig.scan();  // the second LDP is skipped
    EXPECT_TRUE(rig.bit("Y000"));
    rig.set("M0", false);
    rig.scan();  // the second LDP sees X000 rise for the first time
    EXPECT_FALSE(rig.bit("Y000"));
    EXPECT_TRUE(rig.bit("Y001"));
}

TEST(SimContacts, RowResultsMarkWhatWasOn) {
    Rig rig("LD X000\nOUT Y000\nLDI X000\nOUT Y001\nEND");
    rig.set("X000", true);
    rig.scan();
    const std::vector<int8_t> expected{1, 1, 0, 0, -1};
    EXPECT_EQ(rig.engine.rowResults(), expected);
}

TEST(SimStacks, OverflowAndUnderflowStopTheRunNamingTheRow) {
    std::string twelve = "LD X000\n";
    for (int i = 0; i < 12; ++i) twelve += "MPS\n";
    const struct {
        std::string text;
        int row;
        const char* words;
    } cases[] = {
        {twelve + "OUT Y000\nEND", 12, "point stack already holds 11"},
        {"LD X000\nMPP\nOUT Y000\nEND", 1, "point stack is empty"},
        {"LD X000\nMRD\nOUT Y000\nEND", 1, "point stack is empty"},
        {"LD X000\nORB\nOUT Y000\nEND", 1, "fewer than two blocks"},
        {"LD X000\nLD X001\nOUT Y000\nEND", 2, "block left open"},
        {"AND X000\nOUT Y000\nEND", 0, "AND without a block"},
        {"OUT Y000\nEND", 0, "without a condition"},
        {"LD X000\nMPS\nOUT Y000\nEND", 3, "MPS without MPP"},
        {"LD X000\nEND", 1, "without an output"},
        {"LD X000\nLD X000\nLD X000\nLD X000\nLD X000\nLD X000\nLD X000\nLD X000\nLD X000\nLD "
         "X000\nLD X000\nLD X000\nEND",
         11, "block stack already holds 11"},
    };
    for (const auto& c : cases) {
        Rig rig(c.text);
        EXPECT_FALSE(rig.scan()) << c.text;
        ASSERT_TRUE(rig.engine.stopped());
        EXPECT_EQ(rig.engine.stopped()->row, c.row) << c.text;
        EXPECT_NE(rig.stopMessage().find("row " + std::to_string(c.row) + " ("), std::string::npos)
            << rig.stopMessage();
        EXPECT_NE(rig.stopMessage().find(c.words), std::string::npos) << rig.stopMessage();
        EXPECT_FALSE(rig.scan()) << "a stopped engine stays stopped";
    }
}

}  // namespace
}  // namespace rs::sim::test

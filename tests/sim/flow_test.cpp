// Program flow (CJ, CALL/SRET, FOR/NEXT, FEND) and what stops a run or a load.
#include "tests/sim/sim_rig.h"

namespace rs::sim::test {
namespace {

TEST(SimFlow, ConditionalJumpSkipsTheRowsUpToItsLabel) {
    Rig rig("LD X000\nCJ P1\nLD M8000\nOUT Y000\nP1:\nLD M8000\nOUT Y001\nEND");
    rig.scan();
    EXPECT_TRUE(rig.bit("Y000"));
    EXPECT_TRUE(rig.bit("Y001"));
    rig.set("X000", true);
    rig.set("Y000", false);
    rig.scan();
    EXPECT_FALSE(rig.bit("Y000")) << "the skipped OUT keeps its device as it was";
    EXPECT_TRUE(rig.bit("Y001"));
    EXPECT_EQ(rig.engine.rowResults()[3], -1) << "skipped rows have no result";
}

TEST(SimFlow, CallRunsTheSubroutineAfterFendAndReturns) {
    Rig rig("LD X000\nCALL P3\nOUT Y001\nLD M8000\nINC D0\nFEND\nP3:\nLD M8000\nINC D1\nSRET\nEND");
    rig.scan();
    EXPECT_EQ(rig.word("D0"), 1);
    EXPECT_EQ(rig.word("D1"), 0);
    EXPECT_FALSE(rig.bit("Y001"));
    rig.set("X000", true);
    rig.scan();
    EXPECT_EQ(rig.word("D0"), 2);
    EXPECT_EQ(rig.word("D1"), 1);
    EXPECT_TRUE(rig.bit("Y001")) << "the rung goes on after SRET with its result";
}

TEST(SimFlow, ForNextRepeatsItsBody) {
    Rig rig("FOR K3\nFOR D5\nLD M8000\nINC D0\nNEXT\nLD M8000\nINC D1\nNEXT\nEND");
    rig.setWord("D5", 4);
    rig.scan();
    EXPECT_EQ(rig.word("D0"), 12);
    EXPECT_EQ(rig.word("D1"), 3);
}

TEST(SimFlow, NestingAndPairingFaultsStopTheRun) {
    const struct {
        const char* text;
        int row;
        const char* words;
    } cases[] = {
        {"LD M8000\nCALL P0\nFEND\nP0:\nLD M8000\nCALL P0\nSRET\nEND", 5, "deeper than 5"},
        {"SRET\nEND", 0, "SRET without a CALL"},
        {"NEXT\nEND", 0, "NEXT without a FOR"},
        {"FOR K2\nEND", 1, "has no NEXT"},
        {"LD M8000\nCALL P0\nFEND\nP0:\nLD M8000\nOUT Y000\nEND", 6, "has no SRET"},
        {"FOR K1\nFOR K1\nFOR K1\nFOR K1\nFOR K1\nFOR K1\nEND", 5, "deeper than 5"},
        {"P0:\nLD M8000\nCJ P0\nEND", 2, "never ends"},
    };
    for (const auto& c : cases) {
        Rig rig(c.text);
        EXPECT_FALSE(rig.scan()) << c.text;
        ASSERT_TRUE(rig.engine.stopped()) << c.text;
        EXPECT_EQ(rig.engine.stopped()->row, c.row) << c.text << ": " << rig.stopMessage();
        EXPECT_NE(rig.stopMessage().find(c.words), std::string::npos) << rig.stopMessage();
    }
}

TEST(SimFlow, DoNothingRowsRunWithOrWithoutACondition) {
    Rig rig("EI\nLD X000\nWDT\nDI\nLD M8000\nRS D0 K1 D1 K1\nOUT Y000\nIRET\nEND");
    ASSERT_TRUE(rig.scan()) << rig.stopMessage();
    EXPECT_TRUE(rig.bit("Y000"));
}

TEST(SimLoad, RefusesWhatItCannotRunNamingTheRow) {
    const struct {
        const char* text;
        int row;
        const char* words;
    } cases[] = {
        {"LD X000\nDMOV K1 D0\nEND", 1, "DMOV is not simulated"},
        {"LD X000\nCJ P9\nEND", 1, "no label P9"},
        {"P1:\nP1:\nEND", 1, "given twice"},
        {"LD X000\nOUT T300 K1\nEND", 1, "T0 to T255"},
        {"LD X000\nMOV K1\nEND", 1, "takes 2 operands"},
        {"LD D0\nOUT Y000\nEND", 0, "not a bit device"},
        {"LD X000\nMOV K1 K2\nEND", 1, "does not fit"},
        {"LD X000\nMOV K99999 D0\nEND", 1, "no 16-bit constant"},
        {"LD X000\nMOV K1 K8M0\nEND", 1, "groups K1 to K4"},
        {"LD X000\nZRST D5 D1\nEND", 1, "in order"},
        {"LD X000\nRST X001\nEND", -1, ""},
    };
    for (const auto& c : cases) {
        LoadError error;
        const auto program = loadProgram(listing(c.text), error);
        if (c.row < 0) {
            EXPECT_TRUE(program) << c.text << ": " << error.message;
            continue;
        }
        EXPECT_FALSE(program) << c.text;
        EXPECT_EQ(error.row, c.row) << c.text;
        EXPECT_NE(error.message.find(c.words), std::string::npos) << error.message;
        EXPECT_EQ(error.message.rfind("row " + std::to_string(c.row) + " (", 0), 0u)
            << error.message;
    }
}

TEST(SimLoad, OperandsFromAnUploadKeepTheirLeadingBlank) {
    LoadError error;
    auto program = loadProgram({{"LD", "M8000"}, {"MOV", " K5 D0"}, {"END", ""}}, error);
    ASSERT_TRUE(program) << error.message;
    device::DeviceMemory memory;
    Engine engine(memory);
    engine.load(std::move(*program));
    engine.scan(0);
    EXPECT_EQ(memory.word(16384), 5);
}

}  // namespace
}  // namespace rs::sim::test

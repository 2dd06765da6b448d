// Application instructions: each one's effect on its operands, table-driven.
#include "tests/sim/sim_rig.h"

namespace rs::sim::test {
namespace {

struct WordCase {
    const char* row;                               // the instruction, run under M8000
    std::vector<std::pair<const char*, int>> in;   // words set before the scan
    std::vector<std::pair<const char*, int>> out;  // words expected after it
};

TEST(SimApplication, WordInstructions) {
    const WordCase cases[] = {
        {"MOV K123 D0", {}, {{"D0", 123}}},
        {"MOV H7FFF D1", {}, {{"D1", 32767}}},
        {"MOV D5 T3", {{"D5", 9}}, {{"T3", 9}}},
        {"CML K0 D0", {}, {{"D0", -1}}},
        {"BMOV D0 D10 K3", {{"D0", 1}, {"D1", 2}, {"D2", 3}}, {{"D10", 1}, {"D11", 2}, {"D12", 3}}},
        {"BMOV D0 D1 K3", {{"D0", 1}, {"D1", 2}, {"D2", 3}}, {{"D1", 1}, {"D2", 2}, {"D3", 3}}},
        {"BMOV D1 D0 K3", {{"D1", 1}, {"D2", 2}, {"D3", 3}}, {{"D0", 1}, {"D1", 2}, {"D2", 3}}},
        {"FMOV K7 D20 K4", {}, {{"D20", 7}, {"D23", 7}, {"D24", 0}}},
        {"XCH D0 D1", {{"D0", 1}, {"D1", 2}}, {{"D0", 2}, {"D1", 1}}},
        {"BCD K1234 D0", {}, {{"D0", 0x1234}}},
        {"BIN D0 D1", {{"D0", 0x0987}}, {{"D1", 987}}},
        {"ADD D0 K5 D1", {{"D0", -7}}, {{"D1", -2}}},
        {"ADD K32767 K1 D1", {}, {{"D1", -32768}}},
        {"SUB K5 D0 D1", {{"D0", 7}}, {{"D1", -2}}},
        {"MUL K300 K300 D0", {}, {{"D0", 90000 & 0xFFFF}, {"D1", 1}}},
        {"MUL K-2 K3 D0", {}, {{"D0", -6}, {"D1", -1}}},
        {"DIV K17 K5 D0", {}, {{"D0", 3}, {"D1", 2}}},
        {"DIV K-17 K5 D0", {}, {{"D0", -3}, {"D1", -2}}},
        {"INC D0", {{"D0", 32767}}, {{"D0", -32768}}},
        {"DEC D0", {{"D0", 0}}, {{"D0", -1}}},
        {"WAND H0FF0 H00FF D0", {}, {{"D0", 0x00F0}}},
        {"WOR H0F00 H00F0 D0", {}, {{"D0", 0x0FF0}}},
        {"WXOR H0FF0 H00FF D0", {}, {{"D0", 0x0F0F}}},
        {"NEG D0", {{"D0", 5}}, {{"D0", -5}}},
        {"ROR D0 K4", {{"D0", 0x1234}}, {{"D0", 0x4123}}},
        {"ROL D0 K4", {{"D0", 0x1234}}, {{"D0", 0x2341}}},
        {"ROL D0 K16", {{"D0", 0x1234}}, {{"D0", 0x1234}}},
        {"ZRST D1 D3",
         {{"D0", 1}, {"D1", 1}, {"D3", 1}, {"D4", 1}},
         {{"D0", 1}, {"D1", 0}, {"D3", 0}, {"D4", 1}}},
        {"SMOV D0 K4 K2 D1 K3", {{"D0", 1234}, {"D1", 5678}}, {{"D1", 5128}}},
        {"SMOV D0 K1 K1 D1 K4", {{"D0", 9}, {"D1", 0}}, {{"D1", 9000}}},
    };
    for (const auto& c : cases) {
        Rig rig(std::string("LD M8000\n") + c.row + "\nEND");
        for (const auto& [d, v] : c.in) rig.setWord(d, v);
        ASSERT_TRUE(rig.scan()) << c.row << ": " << rig.stopMessage();
        for (const auto& [d, v] : c.out)
            EXPECT_EQ(rig.word(d), static_cast<int16_t>(v)) << c.row << " " << d;
        EXPECT_FALSE(rig.bit("M8067")) << c.row;
    }
}

TEST(SimApplication, NothingRunsWhileTheRungIsOff) {
    Rig rig("LD X000\nMOV K5 D0\nINC D1\nEND");
    rig.scan();
    EXPECT_EQ(rig.word("D0"), 0);
    rig.set("X000", true);
    rig.scan();
    rig.scan();
    EXPECT_EQ(rig.word("D0"), 5);
    EXPECT_EQ(rig.word("D1"), 2) << "INC runs in every scan its rung is on";
}

TEST(SimApplication, PulseFormRunsOncePerRisingCondition) {
    Rig rig("LD X000\nINCP D1\nEND");
    rig.set("X000", true);
    for (int i = 0; i < 3; ++i) rig.scan();
    EXPECT_EQ(rig.word("D1"), 1);
}

TEST(SimApplication, GroupsReadAndWriteFourBitsADigit) {
    Rig rig("LD M8000\nMOV K2X000 K2Y000\nMOV H0F K1M0\nMOV K1M0 D0\nEND");
    rig.set("X000", true);
    rig.set("X007", true);
    rig.set("X010", true);  // not in K2X000
    rig.scan();
    EXPECT_TRUE(rig.bit("Y000"));
    EXPECT_TRUE(rig.bit("Y007"));
    EXPECT_FALSE(rig.bit("Y010"));
    EXPECT_EQ(rig.word("D0"), 15);
}

TEST(SimApplication, CompareAndZoneSetOneOfThreeBits) {
    const struct {
        int value;
        bool above, equal, below;
    } cmp[] = {{9, true, false, false}, {10, false, true, false}, {11, false, false, true}};
    for (const auto& c : cmp) {
        Rig rig("LD M8000\nCMP K10 D0 M10\nEND");
        rig.setWord("D0", c.value);
        rig.scan();
        EXPECT_EQ(rig.bit("M10"), c.above) << c.value;
        EXPECT_EQ(rig.bit("M11"), c.equal) << c.value;
        EXPECT_EQ(rig.bit("M12"), c.below) << c.value;
    }
    const struct {
        int value;
        bool below, inside, above;
    } zcp[] = {{-1, true, false, false},
               {0, false, true, false},
               {50, false, true, false},
               {100, false, true, false},
               {101, false, false, true}};
    for (const auto& z : zcp) {
        Rig rig("LD M8000\nZCP K0 K100 D0 Y010\nEND");
        rig.setWord("D0", z.value);
        rig.scan();
        EXPECT_EQ(rig.bit("Y010"), z.below) << z.value;
        EXPECT_EQ(rig.bit("Y011"), z.inside) << z.value;
        EXPECT_EQ(rig.bit("Y012"), z.above) << z.value;
    }
}

TEST(SimApplication, DivisionByZeroChangesNothingAndSetsTheErrorRelay) {
    Rig rig("LD M8000\nDIV K10 D5 D0\nEND");
    rig.setWord("D0", 77);
    rig.setWord("D1", 88);
    ASSERT_TRUE(rig.scan());
    EXPECT_EQ(rig.word("D0"), 77);
    EXPECT_EQ(rig.word("D1"), 88);
    EXPECT_TRUE(rig.bit("M8067"));
    rig.setWord("D5", 3);
    rig.scan();
    EXPECT_EQ(rig.word("D0"), 3);
    EXPECT_TRUE(rig.bit("M8067")) << "the error relay stays on until reset";
}

TEST(SimApplication, OutOfRangeConversionsSetTheErrorRelay) {
    for (const char* row : {"BCD K10000 D0", "BIN H00A0 D0", "SMOV K10000 K1 K1 D0 K1"}) {
        Rig rig(std::string("LD M8000\n") + row + "\nEND");
        rig.setWord("D0", 5);
        ASSERT_TRUE(rig.scan());
        EXPECT_EQ(rig.word("D0"), 5) << row;
        EXPECT_TRUE(rig.bit("M8067")) << row;
    }
}

TEST(SimApplication, ResetsClearWordsTimersAndBitRanges) {
    Rig rig("LD X000\nOUT T0 K100\nLD X001\nRST D0\nRST T0\nZRST M0 M3\nZRST C0 C1\nEND");
    rig.set("X000", true);
    rig.scan(0);
    rig.scan(300);
    rig.setWord("D0", 5);
    for (const char* m : {"M0", "M3", "M4"}) rig.set(m, true);
    rig.memory.setWord(*device::deviceAddress("C1", device::AccessKind::Loop), 4);
    rig.set("C1", true);
    rig.set("X001", true);
    rig.scan(10);
    EXPECT_EQ(rig.word("D0"), 0);
    EXPECT_EQ(rig.word("T0"), 0);
    EXPECT_FALSE(rig.bit("M0"));
    EXPECT_FALSE(rig.bit("M3"));
    EXPECT_TRUE(rig.bit("M4"));
    EXPECT_EQ(rig.word("C1"), 0);
    EXPECT_FALSE(rig.bit("C1"));
}

}  // namespace
}  // namespace rs::sim::test

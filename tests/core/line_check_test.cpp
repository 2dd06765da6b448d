#include "core/line_check.h"

#include <gtest/gtest.h>

#include "core/messages.h"
#include "tests/support/test_session.h"

namespace rs {
namespace {

using test::TestSession;

class LineCheckTest : public ::testing::Test {
  protected:
    TestSession ts;
    Session& s = ts.session;

    bool apply(const std::string& line, int row = 0) { return applyLine(s, line, row); }
    // The only message shown since the last call, or "" when none.
    std::string lastMessage() {
        std::string text = ts.sink.shown.empty() ? "" : ts.sink.shown.back().text;
        ts.sink.clear();
        return text;
    }
};

TEST_F(LineCheckTest, ParsingSplitsMnemonicAndOperand) {
    EXPECT_EQ(parseLine("LD X1").mnemonic, "LD");
    EXPECT_EQ(parseLine("LD X1").operand, "X1");
    EXPECT_EQ(parseLine("  MOV K10 D0\r").operand, "K10 D0");
    EXPECT_EQ(parseLine("12ORB").mnemonic, "ORB");
    EXPECT_EQ(parseLine("P0:").mnemonic, "");
    EXPECT_EQ(parseLine("P0:").operand, "P0");
    EXPECT_EQ(parseLine("END").operand, "");
}

TEST_F(LineCheckTest, XAndYAddressesAreCompletedToThreeDigits) {
    ASSERT_TRUE(apply("LD X1"));
    EXPECT_EQ(s.table().m_Parameter[0], "X001");
    ASSERT_TRUE(apply("OUT Y12", 1));
    EXPECT_EQ(s.table().m_Parameter[1], "Y012");
    ASSERT_TRUE(apply("LD X017", 2));
    EXPECT_EQ(s.table().m_Parameter[2], "X017");
    ASSERT_TRUE(apply("CMP K1 K2 Y3", 3));
    EXPECT_EQ(s.table().m_Parameter[3], "K1 K2 Y003");
}

TEST_F(LineCheckTest, AcceptedLinesWriteTheRowAndItsRecords) {
    ASSERT_TRUE(apply("MOV K10 D0"));
    EXPECT_EQ(s.table().m_Instruction[0], "MOV");
    EXPECT_EQ(s.table().m_FunNo[0], 10240);
    EXPECT_EQ(s.table().m_FunStep[0], 5);
    ASSERT_EQ(s.view.records.m_FunNoList.size(), 1u);
    EXPECT_EQ(s.view.records.m_FunNoList[0].m_nValue, 10240);
    ASSERT_TRUE(apply("OUT T0 K10", 1));
    EXPECT_EQ(s.table().m_FunNo[1], 0);
    EXPECT_EQ(s.table().m_FunStep[1], 1);
    EXPECT_TRUE(ts.sink.shown.empty());
}

TEST_F(LineCheckTest, ContactsTakeOneBitDevice) {
    EXPECT_FALSE(apply("LD D0"));
    EXPECT_EQ(lastMessage(), "Device setting is wrong!");
    EXPECT_FALSE(apply("OUT X001"));
    EXPECT_EQ(lastMessage(), "Device setting is wrong!");
    EXPECT_FALSE(apply("LD X0 X1"));
    EXPECT_FALSE(apply("LD X0A"));
    EXPECT_FALSE(apply("LD"));
    EXPECT_TRUE(apply("LDI M10"));
    EXPECT_TRUE(apply("AND T3"));
    EXPECT_FALSE(apply("AND X8"));  // not an octal digit
    EXPECT_TRUE(s.view.records.m_InstructionList.size() == 1);
}

TEST_F(LineCheckTest, TimerAndCounterCoilsNeedExactlyASetValue) {
    EXPECT_TRUE(apply("OUT T0 K10"));
    EXPECT_TRUE(apply("OUT C5 D10", 1));
    EXPECT_TRUE(apply("OUT T1 H10", 2));
    EXPECT_FALSE(apply("OUT T0"));
    EXPECT_FALSE(apply("OUT T0 K10 K2"));
    EXPECT_FALSE(apply("OUT T0 M1"));
    EXPECT_FALSE(apply("OUT T999 K1"));
    EXPECT_EQ(lastMessage(), "Device setting is wrong!");
}

TEST_F(LineCheckTest, SetAndResetDevices) {
    EXPECT_FALSE(apply("SET T0"));
    EXPECT_TRUE(apply("RST T0"));
    EXPECT_TRUE(apply("SET M0", 1));
    EXPECT_TRUE(apply("RST D10", 2));
    s.app.setMode2(false);
    EXPECT_FALSE(apply("RST D10", 3));
    EXPECT_EQ(lastMessage(), "Device setting is wrong!");
    EXPECT_FALSE(apply("SET M0 M1"));
}

TEST_F(LineCheckTest, StackAndBlockRowsTakeNoOperand) {
    for (const char* ok : {"ORB", "ANB", "MPS", "MRD", "MPP", "END"}) EXPECT_TRUE(apply(ok)) << ok;
    EXPECT_FALSE(apply("ORB X0"));
}

TEST_F(LineCheckTest, UnsupportedMnemonicsAreReportedOncePerRun) {
    EXPECT_FALSE(apply("FMOV K0 D0 K10"));
    ASSERT_EQ(ts.sink.shown.size(), 1u);
    EXPECT_EQ(ts.sink.shown[0].text, "FMOV instruction is not supported .");
    EXPECT_EQ(ts.sink.shown[0].caption, "CV-Rungsmith");
    EXPECT_EQ(ts.sink.shown[0].icon, MessageIcon::Information);
    EXPECT_TRUE(s.view.highlight.active);
    EXPECT_TRUE(s.view.highlight.inList);
    EXPECT_FALSE(apply("CJ P0"));
    EXPECT_EQ(ts.sink.shown.size(), 1u);
    s.view.m_nUnsupportedErrors = 0;
    EXPECT_FALSE(apply("PRW D0 D1"));
    EXPECT_EQ(lastMessage(), "Mode 2 does not support PRW instruction!");
    EXPECT_FALSE(apply("NOP"));
    EXPECT_FALSE(apply("mov K1 D0"));
}

TEST_F(LineCheckTest, PrrAndPrwAreAllowedInModeOne) {
    s.app.setMode2(false);
    EXPECT_TRUE(apply("PRW D0 D1"));
    EXPECT_TRUE(apply("PRR K1 D2", 1));
}

TEST_F(LineCheckTest, ModeOneDataRegistersNeedNoFile) {
    s.app.setMode2(false);
    EXPECT_TRUE(apply("MOV K10 D0"));
    EXPECT_FALSE(apply("MOV K10 D100", 1));
    EXPECT_EQ(lastMessage(), "Device setting is wrong!");
}

TEST_F(LineCheckTest, OperandClassesAreChecked) {
    EXPECT_FALSE(apply("INC K1"));
    EXPECT_EQ(lastMessage(), "Device setting is wrong!");
    EXPECT_TRUE(apply("INC D1"));
    EXPECT_FALSE(apply("MOV K1 K2"));
    EXPECT_FALSE(apply("MOV K1"));  // the destination is missing
    EXPECT_FALSE(apply("CMP K1 K2 D0"));
    EXPECT_TRUE(apply("CMP K1 D2 M0", 1));
    EXPECT_TRUE(apply("ZCP K10 K20 K30 Y000", 2));
    EXPECT_FALSE(apply("ROR D0 D1"));
    EXPECT_TRUE(apply("ROR D0 K1", 3));
    EXPECT_FALSE(apply("MOV K1 D0 D1"));  // words beyond the operands
}

TEST_F(LineCheckTest, BlockMoveRefusesATimerOrCounterCount) {
    EXPECT_TRUE(apply("BMOV D0 D10 K5"));
    EXPECT_FALSE(apply("BMOV D0 D10 T5"));
    EXPECT_FALSE(apply("BMOV D0 D10 C5"));
}

TEST_F(LineCheckTest, DigitDesignatedGroups) {
    EXPECT_FALSE(apply("MOV K4M0 D0"));
    EXPECT_EQ(lastMessage(), "Device setting is wrong!");
    EXPECT_FALSE(apply("MOV K4X000 D0"));
    EXPECT_FALSE(apply("MOV K9D0 D0"));
    EXPECT_EQ(lastMessage(), "Device setting is wrong!");
    EXPECT_FALSE(apply("MOV KKKK D0"));
}

TEST_F(LineCheckTest, LabelsArePointerNamesInRange) {
    EXPECT_TRUE(apply("P0:"));
    EXPECT_EQ(s.table().m_Instruction[0], "");
    EXPECT_EQ(s.table().m_Parameter[0], "P0");
    EXPECT_EQ(s.table().m_FunNo[0], 255);
    EXPECT_FALSE(apply("M0:", 1));
    EXPECT_FALSE(apply("P64:", 1));
    EXPECT_EQ(lastMessage(), "Device setting is wrong!");
}

TEST_F(LineCheckTest, OverlongWordsAreRefusedWithTheMessage) {
    EXPECT_FALSE(apply("LD D1234567"));
    EXPECT_EQ(lastMessage(), "Device setting is wrong!");
    EXPECT_FALSE(apply("MOV K1 D" + std::string(5000, '1')));
    EXPECT_EQ(lastMessage(), "Device setting is wrong!");
    EXPECT_FALSE(apply(std::string(5000, 'A') + " K1"));
    EXPECT_EQ(lastMessage(), "Device setting is wrong!");
    EXPECT_FALSE(apply("MOV K1 D0 D1 D2 D3 D4"));
}

TEST_F(LineCheckTest, ARefusedLineLeavesAnExistingRowUntouched) {
    ASSERT_TRUE(apply("MOV K10 D0"));
    EXPECT_FALSE(apply("CMP K1 K2 D0"));
    EXPECT_EQ(s.table().m_Instruction[0], "MOV");
    EXPECT_EQ(s.table().m_FunNo[0], 10240);
    EXPECT_EQ(s.table().m_FunStep[0], 5);
    EXPECT_EQ(s.view.records.m_InstructionList.size(), 1u);
}

TEST_F(LineCheckTest, RowsOutsideTheTableAreRefused) {
    EXPECT_FALSE(apply("LD X0", kListRows));
    EXPECT_FALSE(apply("LD X0", -1));
}

TEST(LineCheckWithoutRangeFile, EveryFileCheckRefuses) {
    TestSession ts(test::writeTempRangeFile("empty-range.txt", ""));
    EXPECT_FALSE(applyLine(ts.session, "LD X0", 0));
    EXPECT_EQ(ts.sink.shown.back().text, "Device setting is wrong!");
}

}  // namespace
}  // namespace rs

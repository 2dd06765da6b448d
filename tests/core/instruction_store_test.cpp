#include "core/instruction_store.h"

#include <gtest/gtest.h>

namespace rs {
namespace {

class StoreTest : public ::testing::Test {
  protected:
    AppStore app;
    InstructionTable& t = *app.table;
    RecordLists lists;
};

TEST_F(StoreTest, EmitAppendsOneRecordToEachListAndEndOnlyTwo) {
    int r = 0;
    ASSERT_TRUE(store::emitRow(t, lists, r++, "LD", "X000", 0, 1));
    ASSERT_TRUE(store::emitRow(t, lists, r++, "OUT", "Y000", 0, 1));
    ASSERT_TRUE(store::appendEnd(t, lists, r));
    EXPECT_EQ(lists.m_InstructionList.size(), 3u);
    EXPECT_EQ(lists.m_ParameterList.size(), 3u);
    EXPECT_EQ(lists.m_FunNoList.size(), 2u);
    EXPECT_EQ(lists.m_FunStepList.size(), 2u);
    EXPECT_EQ(t.m_Instruction[2], "END");
    EXPECT_EQ(lists.m_InstructionList[1].m_nRow, 1);
    EXPECT_TRUE(store::listsConsistent(lists));
    EXPECT_EQ(t.usedRows(), 3);
}

TEST_F(StoreTest, EmitOutsideTheTableIsRefused) {
    EXPECT_FALSE(store::emitRow(t, lists, kListRows, "LD", "X000", 0, 1));
    EXPECT_FALSE(store::emitRow(t, lists, -1, "LD", "X000", 0, 1));
    EXPECT_FALSE(store::appendEnd(t, lists, kListRows));
    EXPECT_TRUE(lists.m_InstructionList.empty());
}

TEST_F(StoreTest, ClearForConvertEmptiesEveryRowWithStepCountZero) {
    store::emitRow(t, lists, 0, "MOV", "K10 D0", 10240, 5);
    store::clearForConvert(t, lists);
    EXPECT_TRUE(lists.m_InstructionList.empty());
    EXPECT_TRUE(lists.m_FunStepList.empty());
    EXPECT_EQ(t.m_Instruction[0], "");
    EXPECT_EQ(t.m_FunNo[0], 0);
    EXPECT_EQ(t.m_FunStep[7999], 0);
}

TEST_F(StoreTest, ApplyingToAFreeRowAppendsAndToAUsedRowReplacesInPlace) {
    store::applyRow(t, lists, 0, "LD", "X000", 0, 1);
    store::applyRow(t, lists, 1, "OUT", "Y000", 0, 1);
    store::applyRow(t, lists, 0, "LDI", "X001", 0, 1);
    ASSERT_EQ(lists.m_InstructionList.size(), 2u);
    EXPECT_EQ(lists.m_InstructionList[0].m_strText, "LDI");
    EXPECT_EQ(lists.m_ParameterList[0].m_strText, "X001");
    EXPECT_EQ(lists.m_InstructionList[1].m_strText, "OUT");
    EXPECT_EQ(t.m_Instruction[0], "LDI");
}

TEST_F(StoreTest, InsertAndDeleteShiftAllFourColumns) {
    store::applyRow(t, lists, 0, "LD", "X000", 0, 1);
    store::applyRow(t, lists, 1, "MOV", "K1 D0", 10240, 5);
    ASSERT_TRUE(t.insertRow(1));
    EXPECT_EQ(t.m_Instruction[1], "");
    EXPECT_EQ(t.m_Instruction[2], "MOV");
    EXPECT_EQ(t.m_Parameter[2], "K1 D0");
    EXPECT_EQ(t.m_FunNo[2], 10240);
    EXPECT_EQ(t.m_FunStep[2], 5);
    ASSERT_TRUE(t.deleteRow(1));
    EXPECT_EQ(t.m_Instruction[1], "MOV");
    EXPECT_EQ(t.m_FunNo[1], 10240);
    EXPECT_FALSE(t.insertRow(kListRows));
    EXPECT_FALSE(t.deleteRow(-1));
}

TEST_F(StoreTest, InsertAtTheLastRowDropsOnlyThatRow) {
    t.setRow(kListRows - 1, "LD", "X000", 0, 1);
    ASSERT_TRUE(t.insertRow(kListRows - 1));
    EXPECT_EQ(t.m_Instruction[kListRows - 1], "");
}

TEST_F(StoreTest, LoadCopySkipsTheOperandAndNumbersOfAFinalEndRow) {
    lists.m_InstructionList = {{0, "LD"}, {1, "OUT"}, {2, "END"}};
    lists.m_ParameterList = {{0, "X000"}, {1, "Y000"}, {2, "junk"}};
    lists.m_FunNoList = {{0, 0}, {1, 0}, {2, 77}};
    lists.m_FunStepList = {{0, 1}, {1, 1}, {2, 99}};
    t.clear(1);
    store::loadCopy(t, lists);
    EXPECT_EQ(t.m_Instruction[2], "END");
    EXPECT_EQ(t.m_Parameter[2], "");
    EXPECT_EQ(t.m_FunNo[2], 0);
    EXPECT_EQ(t.m_FunStep[2], 1);
    EXPECT_EQ(t.m_Parameter[1], "Y000");
    EXPECT_EQ(t.usedRows(), 3);
}

TEST_F(StoreTest, LoadCopyWithShortListsReadsNothingPastThem) {
    lists.m_InstructionList = {{0, "LD"}, {1, "OUT"}};
    lists.m_ParameterList = {{0, "X000"}};
    store::loadCopy(t, lists);
    EXPECT_EQ(t.m_Instruction[1], "OUT");
    EXPECT_EQ(t.m_Parameter[1], "");
    EXPECT_FALSE(store::listsConsistent(lists));
}

TEST_F(StoreTest, SavingAnEmptyProgramAddsOneEndRowAndTheModeRecord) {
    store::prepareForSave(lists, true);
    ASSERT_EQ(lists.m_InstructionList.size(), 1u);
    EXPECT_EQ(lists.m_InstructionList[0], (CInstruction{0, "END"}));
    EXPECT_EQ(lists.m_ParameterList[0], (CParameter1{0, ""}));
    EXPECT_EQ(lists.m_FunNoList[0], (CFunNo{-1, 0}));
    EXPECT_EQ(lists.m_FunStepList[0], (CFunStep{-1, 1}));
    ASSERT_EQ(lists.m_ProtocolList.size(), 1u);
    EXPECT_EQ(lists.m_ProtocolList[0], (CProtocol{0, "1"}));
    store::prepareForSave(lists, false);
    ASSERT_EQ(lists.m_ProtocolList.size(), 1u);
    EXPECT_EQ(lists.m_ProtocolList[0].m_strText, "0");
    EXPECT_EQ(lists.m_InstructionList.size(), 1u);
}

TEST_F(StoreTest, UploadRebuildMakesRecordsUpToTheFirstFreeRowFromRowZero) {
    lists.m_InstructionList = {{0, "stale"}};
    t.clear(1);
    t.setRow(0, "LD", "X000", 77, 77);
    t.setRow(1, "OUT", "Y000", 0, 1);
    t.setRow(3, "LD", "X001", 0, 1);
    store::uploadRebuild(t, lists, true);
    ASSERT_EQ(lists.m_InstructionList.size(), 2u);
    EXPECT_EQ(lists.m_InstructionList[0].m_strText, "LD");
    EXPECT_EQ(lists.m_InstructionList[1].m_strText, "OUT");
    // The upload brings no function numbers: each row takes its mnemonic's.
    EXPECT_EQ(lists.m_FunNoList[0].m_nValue, 0);
    EXPECT_EQ(lists.m_FunStepList[0].m_nValue, 1);
    EXPECT_EQ(t.m_FunNo[0], 0);
}

TEST_F(StoreTest, UploadRebuildEndsAtTheEndRowAsConvertDoes) {
    t.clear(1);
    t.setRow(0, "LD", "X000", 0, 1);
    t.setRow(1, "MOV", "K10 D0", 0, 0);
    t.setRow(2, "END", "", 0, 0);
    t.setRow(3, "LD", "X009", 0, 0);
    store::uploadRebuild(t, lists, false);
    ASSERT_EQ(lists.m_InstructionList.size(), 3u);
    EXPECT_EQ(lists.m_FunNoList.size(), 2u);
    EXPECT_EQ(lists.m_FunNoList[1].m_nValue, 12);
    EXPECT_EQ(lists.m_FunStepList[1].m_nValue, 5);
    EXPECT_TRUE(store::listsConsistent(lists));
}

TEST(AppStoreMode, CheckMarksAlwaysFollowTheMode) {
    AppStore a;
    EXPECT_TRUE(a.m_bMode2);
    EXPECT_EQ(a.m_nMode2Check, 1);
    EXPECT_EQ(a.m_nMode1Check, 0);
    a.setMode2(false);
    EXPECT_EQ(a.m_nMode2Check, 0);
    EXPECT_EQ(a.m_nMode1Check, 1);
}

}  // namespace
}  // namespace rs

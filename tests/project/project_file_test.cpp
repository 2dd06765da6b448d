#include "project/project_file.h"

#include <gtest/gtest.h>

#include "core/instruction_store.h"
#include "tests/project/bytes.h"
#include "tests/project/converted_program.h"

namespace rs {
namespace {

using test::convertedProgram;
using test::hex;

TEST(ProjectFileTest, EmptyProgramPreparedForSaveGivesThe121ByteFileInBothModes) {
    for (const bool mode2 : {true, false}) {
        RecordLists lists;
        store::prepareForSave(lists, mode2);
        std::string expected = test::emptyProjectMode2();
        ASSERT_EQ(expected.size(), 121u);
        if (!mode2) expected.back() = 0x30;
        EXPECT_EQ(encodeProject(lists), expected) << "mode2 " << mode2;
    }
}

TEST(ProjectFileTest, SeveralRowsUseKnownClassTagsWithTheCounterSharedByClassesAndObjects) {
    // Counter: CFunNo class 1, objects 2-3; CInstruction class 4 (A + 2), objects
    // 5-7; CParameter1 class 8 (A + B + 3), objects 9-11; CFunStep class 12,
    // objects 13-14; CProtocol class 15.
    const std::string expected =
        hex("02 00 FFFF 0100 0600") + "CFunNo" + hex("00000000 00000000") +
        hex("0180 01000000 00000000") + hex("03 00 FFFF 0100 0C00") + "CInstruction" +
        hex("00000000 02") + "LD" + hex("0480 01000000 03") + "OUT" + hex("0480 02000000 03") +
        "END" + hex("03 00 FFFF 0100 0B00") + "CParameter1" + hex("00000000 04") + "X000" +
        hex("0880 01000000 04") + "Y000" + hex("0880 02000000 00") + hex("02 00 FFFF 0100 0800") +
        "CFunStep" + hex("00000000 01000000") + hex("0C80 01000000 01000000") +
        hex("01 00 FFFF 0100 0900") + "CProtocol" + hex("00000000 01") + "1";
    EXPECT_EQ(encodeProject(convertedProgram()), expected);
}

TEST(ProjectFileTest, EmptyTableWritesOnlyItsCountAndMovesNoClassIndex) {
    RecordLists l;
    l.m_ProtocolList = {{0, "0"}};
    // Four empty tables, then CProtocol as class 1 of the file.
    EXPECT_EQ(encodeProject(l),
              hex("0000 0000 0000 0000 0100 FFFF 0100 0900") + "CProtocol" + hex("00000000 01 30"));
}

TEST(ProjectFileTest, NegativeValuesAndLongTextsAreWrittenAsGiven) {
    RecordLists l;
    l.m_FunNoList = {{-1, -2}};
    l.m_InstructionList = {{7, std::string(300, 'M')}};
    l.m_ParameterList = {{-5, std::string(254, 'P')}};
    l.m_FunStepList = {{0, 0x01020304}};
    l.m_ProtocolList = {{0, "1"}};
    const std::string expected =
        hex("0100 FFFF 0100 0600") + "CFunNo" + hex("FFFFFFFF FEFFFFFF") +
        hex("0100 FFFF 0100 0C00") + "CInstruction" + hex("07000000 FF 2C01") +
        std::string(300, 'M') + hex("0100 FFFF 0100 0B00") + "CParameter1" + hex("FBFFFFFF FE") +
        std::string(254, 'P') + hex("0100 FFFF 0100 0800") + "CFunStep" + hex("00000000 04030201") +
        hex("0100 FFFF 0100 0900") + "CProtocol" + hex("00000000 01 31");
    EXPECT_EQ(encodeProject(l), expected);
}

// Lists of every shape the program makes, written and read back.
TEST(ProjectFileTest, EveryRecordListReadsBackEqual) {
    std::vector<RecordLists> cases;
    cases.push_back(convertedProgram());
    RecordLists empty;
    store::prepareForSave(empty, false);
    cases.push_back(empty);
    RecordLists full;
    for (int r = 0; r < kListRows; ++r) {
        const std::string text =
            r % 3 == 0 ? std::string(300 + r % 7, 'K') : "D" + std::to_string(r);
        full.m_FunNoList.push_back({r, r * 1000 - 7});
        full.m_InstructionList.push_back({r, r % 5 == 0 ? "" : "MOV"});
        full.m_ParameterList.push_back({r, text});
        full.m_FunStepList.push_back({-r, r % 9});
    }
    full.m_ProtocolList = {{0, "7"}};
    cases.push_back(full);
    for (const RecordLists& lists : cases) {
        const auto back = decodeProject(encodeProject(lists));
        ASSERT_TRUE(back.has_value());
        EXPECT_TRUE(back->hasModeTable);
        EXPECT_EQ(back->records, lists);
    }
}

TEST(ProjectFileTest, FileEndingAfterTheStepCountTableHasNoModeTable) {
    const std::string file = test::emptyProjectMode2();
    const auto back = decodeProject(file.substr(0, 121 - 23));
    ASSERT_TRUE(back.has_value());
    EXPECT_FALSE(back->hasModeTable);
    EXPECT_TRUE(back->records.m_ProtocolList.empty());
    EXPECT_EQ(back->records.m_InstructionList, (std::vector<CInstruction>{{0, "END"}}));
    EXPECT_EQ(back->records.m_FunStepList, (std::vector<CFunStep>{{-1, 1}}));
}

TEST(ProjectFileTest, ModeTextIsReadAsAnInteger) {
    EXPECT_TRUE(modeTextIsMode2("1"));
    EXPECT_TRUE(modeTextIsMode2("7"));
    EXPECT_TRUE(modeTextIsMode2("  -3x"));
    EXPECT_TRUE(modeTextIsMode2("+0010"));
    EXPECT_TRUE(modeTextIsMode2("99999999999999999999"));
    EXPECT_FALSE(modeTextIsMode2("0"));
    EXPECT_FALSE(modeTextIsMode2("-0"));
    EXPECT_FALSE(modeTextIsMode2(""));
    EXPECT_FALSE(modeTextIsMode2("abc"));
    EXPECT_FALSE(modeTextIsMode2("x1"));
    EXPECT_FALSE(modeTextIsMode2("- 1"));
}

}  // namespace
}  // namespace rs

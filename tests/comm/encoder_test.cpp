#include <gtest/gtest.h>

#include "comm/code_encoder.h"
#include "comm/download_check.h"
#include "tests/comm/encode_helpers.h"

namespace rs {
namespace {

using test::encode;
using test::encodeRow;
using W = std::vector<uint16_t>;

constexpr bool kMode1 = false;
constexpr bool kMode2 = true;

TEST(EncoderMode1, WorkedExamples) {
    EXPECT_EQ(encodeRow("LD", "X000", kMode1), W{0x0000});
    EXPECT_EQ(encodeRow("OUT", "Y001", kMode1), W{0xC021});
    EXPECT_EQ(encodeRow("OUT", "T0 K10", kMode1), (W{0xC130, 0xF0FC, 0x000A, 0xF0FE}));
    EXPECT_EQ(encodeRow("SET", "Y000", kMode1), (W{0xF1F7, 0xD020}));
    EXPECT_EQ(encodeRow("INC", "D0", kMode1), (W{0xF018, 0xE000, 0xF0FE}));
    EXPECT_EQ(encode({{"END", ""}}, kMode1), W{0xF0FF});
    EXPECT_EQ(encodeRow("MOV", "K10 D0", kMode1),
              (W{0xF00C, 0xF0FC, 0x000A, 0xF0FE, 0xE000, 0xF0FE}));
}

TEST(EncoderMode1, SequenceInstructionsTakeTheirOperationCode) {
    const std::pair<const char*, uint16_t> ops[] = {
        {"LD", 0x0001},   {"LDI", 0x1001},  {"AND", 0x2001}, {"ANI", 0x3001},
        {"OR", 0x4001},   {"ORI", 0x5001},  {"LDF", 0x6001}, {"LDP", 0x7001},
        {"ANDF", 0x8001}, {"ANDP", 0x9001}, {"ORF", 0xA001}, {"ORP", 0xB001}};
    for (const auto& [m, word] : ops) EXPECT_EQ(encodeRow(m, "X001", kMode1), W{word}) << m;
    EXPECT_EQ(encodeRow("ORB", "", kMode1), W{0xF0F7});
    EXPECT_EQ(encodeRow("ANB", "", kMode1), W{0xF0F8});
    EXPECT_EQ(encodeRow("MPS", "", kMode1), W{0xF0F9});
    EXPECT_EQ(encodeRow("MRD", "", kMode1), W{0xF0FA});
    EXPECT_EQ(encodeRow("MPP", "", kMode1), W{0xF0FB});
}

TEST(EncoderMode1, DeviceAddresses) {
    EXPECT_EQ(encodeRow("LD", "X017", kMode1), W{0x000F});  // octal 17 = 15
    EXPECT_EQ(encodeRow("LD", "X377", kMode1), W{0x00FF});
    EXPECT_EQ(encodeRow("OUT", "Y017", kMode1), W{0xC02F});
    EXPECT_EQ(encodeRow("LD", "M0", kMode1), W{0x0040});
    EXPECT_EQ(encodeRow("LD", "M8000", kMode1), W{0x0150});  // special range from 336
    EXPECT_EQ(encodeRow("OUT", "M8002", kMode1), W{0xC152});
    EXPECT_EQ(encodeRow("LD", "T3", kMode1), W{0x0133});
    EXPECT_EQ(encodeRow("LD", "C3", kMode1), W{0x0143});
    EXPECT_EQ(encodeRow("OUT", "S3", kMode1), W{0xC003});
    EXPECT_EQ(encodeRow("SET", "M8000", kMode1), (W{0xF1F7, 0xD150}));
    EXPECT_EQ(encodeRow("MOV", "D8000 D1", kMode1), (W{0xF00C, 0xE030, 0xF0FE, 0xE001, 0xF0FE}));
}

TEST(EncoderMode1, SetValuesOfTimersAndCounters) {
    EXPECT_EQ(encodeRow("OUT", "T0 H10", kMode1), (W{0xC130, 0xF0FD, 0x000A, 0xF0FE}));
    EXPECT_EQ(encodeRow("OUT", "C5 K100", kMode1), (W{0xC145, 0xF0FC, 0x0064, 0xF0FE}));
    EXPECT_EQ(encodeRow("OUT", "T1 D5", kMode1), (W{0xC131, 0xE005}));
    EXPECT_EQ(encodeRow("RST", "T0", kMode1), (W{0xF1F8, 0xD130}));
    EXPECT_EQ(encodeRow("RST", "Y000", kMode1), (W{0xF1F8, 0xD020}));
}

TEST(EncoderMode1, ApplicationInstructions) {
    EXPECT_EQ(encodeRow("CMP", "K10 D0 M0", kMode1),
              (W{0xF00A, 0xF0FC, 0x000A, 0xF0FE, 0xE000, 0xF0FE, 0xD040, 0xF0FE}));
    EXPECT_EQ(encodeRow("ADD", "D0 D1 D2", kMode1),
              (W{0xF014, 0xE000, 0xF0FE, 0xE001, 0xF0FE, 0xE002, 0xF0FE}));
    EXPECT_EQ(encodeRow("ROR", "D0 K4", kMode1),
              (W{0xF01E, 0xE000, 0xF0FE, 0xF0FC, 0x0004, 0xF0FE}));
    EXPECT_EQ(encodeRow("BMOV", "D0 D1 H8", kMode1),
              (W{0xF00F, 0xE000, 0xF0FE, 0xE001, 0xF0FE, 0xF0FD, 0x0008, 0xF0FE}));
    EXPECT_EQ(encodeRow("PRR", "K10 D0", kMode1),
              (W{0xF3F7, 0xF0FC, 0x000A, 0xF0FE, 0xE000, 0xF0FE}));
    EXPECT_EQ(encodeRow("PRW", "D0 K1", kMode1),
              (W{0xF3F8, 0xE000, 0xF0FE, 0xF0FC, 0x0001, 0xF0FE}));
    const std::pair<const char*, uint16_t> words[] = {
        {"ZCP", 0xF00B}, {"BMOV", 0xF00F}, {"SUB", 0xF015}, {"MUL", 0xF016},
        {"DIV", 0xF017}, {"DEC", 0xF019},  {"ROL", 0xF01F}};
    for (const auto& [m, word] : words) EXPECT_EQ(encodeRow(m, "D0", kMode1).front(), word) << m;
}

// Eleven pieces: the last operand's marker lies past the tenth piece and
// still closes the operand.
TEST(EncoderMode1, EveryOperandEndsWithItsMarkerEvenPastTheTenthPiece) {
    EXPECT_EQ(encodeRow("ZCP", "K10 K20 K30 Y000", kMode1),
              (W{0xF00B, 0xF0FC, 0x000A, 0xF0FE, 0xF0FC, 0x0014, 0xF0FE, 0xF0FC, 0x001E, 0xF0FE,
                 0xD020, 0xF0FE}));
    EXPECT_EQ(encodeRow("ZCP", "H1 K2 H3 M8000", kMode1),
              (W{0xF00B, 0xF0FD, 1, 0xF0FE, 0xF0FC, 2, 0xF0FE, 0xF0FD, 3, 0xF0FE, 0xD150, 0xF0FE}));
}

TEST(EncoderMode2, WorkedExamples) {
    EXPECT_EQ(encodeRow("MOV", "K10 D0", kMode2), (W{0x2800, 0x0A80, 0x0080, 0x0086, 0x0086}));
    EXPECT_EQ(encodeRow("MOV", "D0 D1", kMode2), (W{0x2800, 0x0086, 0x0086, 0x0286, 0x0086}));
    EXPECT_EQ(encodeRow("ADD", "D0 D1 D2", kMode2),
              (W{0x3800, 0x0086, 0x0086, 0x0286, 0x0086, 0x0486, 0x0086}));
    EXPECT_EQ(encode({{"END", ""}}, kMode2), W{0x0F00});
}

TEST(EncoderMode2, SequenceInstructions) {
    EXPECT_EQ(encodeRow("LD", "X000", kMode2), W{0x0024});
    EXPECT_EQ(encodeRow("LDI", "X001", kMode2), W{0x0134});
    EXPECT_EQ(encodeRow("AND", "X000", kMode2), W{0x0044});
    EXPECT_EQ(encodeRow("ANI", "X000", kMode2), W{0x0054});
    EXPECT_EQ(encodeRow("OR", "X000", kMode2), W{0x0064});
    EXPECT_EQ(encodeRow("ORI", "X017", kMode2), W{0x0F74});  // X017 = 15
    EXPECT_EQ(encodeRow("LDP", "X000", kMode2), (W{0xCA01, 0x0084}));
    EXPECT_EQ(encodeRow("LDF", "X001", kMode2), (W{0xCB01, 0x0184}));
    EXPECT_EQ(encodeRow("ANDP", "X000", kMode2), (W{0xCC01, 0x0084}));
    EXPECT_EQ(encodeRow("ANDF", "X000", kMode2), (W{0xCD01, 0x0084}));
    EXPECT_EQ(encodeRow("ORP", "X000", kMode2), (W{0xCE01, 0x0084}));
    EXPECT_EQ(encodeRow("ORF", "M8000", kMode2), (W{0xCF01, 0x008F}));
    EXPECT_EQ(encodeRow("ORB", "", kMode2), W{0xF9FF});
    EXPECT_EQ(encodeRow("ANB", "", kMode2), W{0xF8FF});
    EXPECT_EQ(encodeRow("MPS", "", kMode2), W{0xFAFF});
    EXPECT_EQ(encodeRow("MRD", "", kMode2), W{0xFBFF});
    EXPECT_EQ(encodeRow("MPP", "", kMode2), W{0xFCFF});
}

TEST(EncoderMode2, OutputsSetAndReset) {
    EXPECT_EQ(encodeRow("OUT", "Y001", kMode2), W{0x01C5});
    EXPECT_EQ(encodeRow("OUT", "M0", kMode2), W{0x00C8});
    EXPECT_EQ(encodeRow("OUT", "M8000", kMode2), (W{0x0200, 0x008F}));
    EXPECT_EQ(encodeRow("SET", "Y000", kMode2), W{0x00D5});
    EXPECT_EQ(encodeRow("SET", "M8001", kMode2), (W{0x0300, 0x018F}));
    EXPECT_EQ(encodeRow("RST", "Y000", kMode2), W{0x00E5});
    EXPECT_EQ(encodeRow("RST", "M8000", kMode2), (W{0x0400, 0x008F}));
    EXPECT_EQ(encodeRow("RST", "T0", kMode2), (W{0x0C00, 0x0086}));
    EXPECT_EQ(encodeRow("RST", "C3", kMode2), (W{0x0C00, 0x038E}));
    EXPECT_EQ(encodeRow("RST", "D0", kMode2), (W{0x0D00, 0x0086, 0x0086}));
    EXPECT_EQ(encodeRow("RST", "D1000", kMode2), (W{0x0D00, 0x0086, 0x0088}));
    EXPECT_EQ(encodeRow("RST", "D8000", kMode2), (W{0x0D00, 0x0086, 0x0080}));
    EXPECT_EQ(encodeRow("OUT", "T0 K10", kMode2), (W{0x0006, 0x0A80, 0x0080}));
    EXPECT_EQ(encodeRow("OUT", "T0 H10", kMode2), (W{0x0006, 0x0A82, 0x0080}));
    EXPECT_EQ(encodeRow("OUT", "C1 K300", kMode2), (W{0x010E, 0x2C80, 0x0180}));
    EXPECT_EQ(encodeRow("OUT", "T2 D10", kMode2), (W{0x0206, 0x1486, 0x0086}));
}

TEST(EncoderMode2, ApplicationInstructions) {
    EXPECT_EQ(encodeRow("INC", "D0", kMode2), (W{0x4000, 0x0086, 0x0086}));
    EXPECT_EQ(encodeRow("DEC", "D3", kMode2), (W{0x4200, 0x0686, 0x0086}));
    EXPECT_EQ(encodeRow("CMP", "K10 D0 M0", kMode2),
              (W{0x2400, 0x0A80, 0x0080, 0x0086, 0x0086, 0x0084, 0x0880}));
    EXPECT_EQ(encodeRow("CMP", "D0 K5 Y001", kMode2),
              (W{0x2400, 0x0086, 0x0086, 0x0580, 0x0080, 0x0184, 0x0580}));
    EXPECT_EQ(encodeRow("CMP", "K1 K2 M8000", kMode2),
              (W{0x2400, 0x0180, 0x0080, 0x0280, 0x0080, 0x0084, 0x0F80}));
    EXPECT_EQ(encodeRow("BMOV", "D0 D1 K10", kMode2),
              (W{0x2E00, 0x0086, 0x0086, 0x0286, 0x0086, 0x0A80, 0x0080}));
    EXPECT_EQ(encodeRow("ROR", "D0 K4", kMode2), (W{0x4C00, 0x0086, 0x0086, 0x0480, 0x0080}));
    EXPECT_EQ(encodeRow("ROL", "D0 K4", kMode2).front(), 0x4E00);
    EXPECT_EQ(encodeRow("SUB", "D0 D1 D2", kMode2).front(), 0x3A00);
    EXPECT_EQ(encodeRow("MUL", "D0 D1 D2", kMode2).front(), 0x3C00);
    EXPECT_EQ(encodeRow("DIV", "D0 D1 D2", kMode2).front(), 0x3E00);
    EXPECT_EQ(encodeRow("ZCP", "D0 D1 D2 M0", kMode2).front(), 0x2600);
    EXPECT_EQ(encodeRow("MOV", "T1 C2", kMode2), (W{0x2800, 0x0286, 0x0082, 0x0486, 0x0084}));
    EXPECT_EQ(encodeRow("MOV", "K1000 D1200", kMode2), (W{0x2800, 0xE880, 0x0380, 0x9086, 0x0188}));
    EXPECT_EQ(encodeRow("MOV", "H10 D8000", kMode2), (W{0x2800, 0x0A82, 0x0080, 0x0086, 0x0080}));
}

TEST(EncoderMode2, ConstantAfterARegisterLeavesNoGap) {
    const W words = encodeRow("ZCP", "K10 D0 K20 Y000", kMode2);
    EXPECT_EQ(words, (W{0x2600, 0x0A80, 0x0080, 0x0086, 0x0086, 0x1480, 0x0080, 0x0084, 0x0580}));
}

TEST(Encoder, FreeRowsEmptyProgramAndEnd) {
    // Row 0 empty: the program is END alone, and the table row says so.
    auto t = test::tableOf({});
    CodeEncoder e(kMode1);
    ASSERT_EQ(e.encodeProgram(*t), EncodeStatus::Ok);
    EXPECT_EQ(t->m_Instruction[0], "END");
    EXPECT_EQ(e.codeCount(), 1);
    EXPECT_EQ(e.code()[0], 0xF0FF);
    EXPECT_EQ(e.code()[1], 0xFFFF);

    // A free row in the middle is one word; rows after END are not encoded.
    EXPECT_EQ(encode({{"LD", "X000"}, {"", ""}, {"END", ""}, {"LD", "X001"}}, kMode1),
              (W{0x0000, 0xD000, 0xF0FF}));
    EXPECT_EQ(encode({{"LD", "X000"}, {"", "L1"}, {"END", ""}}, kMode2),
              (W{0x0024, 0x0000, 0x0F00}));
    auto after = test::tableOf({{"END", ""}, {"MOV", "K1 D0"}});
    CodeEncoder e2(kMode2);
    ASSERT_EQ(e2.encodeProgram(*after), EncodeStatus::Ok);
    EXPECT_EQ(e2.codeCount(), 1);
    EXPECT_EQ(e2.codeEnd(), 0);
}

TEST(Encoder, CodeThatWouldNotFitIsRefusedAndNeverWrittenPastTheBuffer) {
    // 1333 rows of six words and END: 7999 words fit; one more row does not.
    test::Rows rows(1333, {"MOV", "K10 D0"});
    rows.push_back({"END", ""});
    auto fits = test::tableOf(rows);
    CodeEncoder e(kMode1);
    EXPECT_EQ(e.encodeProgram(*fits), EncodeStatus::Ok);
    EXPECT_EQ(e.codeCount(), 7999);
    EXPECT_EQ(e.codeEnd(), 7998);

    rows.insert(rows.begin(), {"LD", "X000"});
    rows.insert(rows.begin(), {"LD", "X000"});
    auto tooLarge = test::tableOf(rows);
    CodeEncoder e2(kMode1);
    EXPECT_EQ(e2.encodeProgram(*tooLarge), EncodeStatus::TooLarge);

    // A full table of application instructions without END.
    auto full = std::make_unique<InstructionTable>();
    for (int r = 0; r < kListRows; ++r) {
        full->m_Instruction[static_cast<size_t>(r)] = "ZCP";
        full->m_Parameter[static_cast<size_t>(r)] = "K10 K20 K30 Y000";
    }
    CodeEncoder e3(kMode2);
    EXPECT_EQ(e3.encodeProgram(*full), EncodeStatus::TooLarge);
}

TEST(Encoder, ProgramWithoutEndIsRefused) {
    auto t = std::make_unique<InstructionTable>();
    for (int r = 0; r < kListRows; ++r) t->m_Instruction[static_cast<size_t>(r)] = "LD";
    CodeEncoder e(kMode1);
    EXPECT_EQ(e.encodeProgram(*t), EncodeStatus::NoEnd);
}

TEST(DownloadCheck, RefusesTheFirstRowThatCannotBeDownloaded) {
    using test::tableOf;
    EXPECT_FALSE(downloadRefusal(*tableOf({{"LD", "X000"}, {"END", ""}}), kMode2));
    EXPECT_EQ(downloadRefusal(*tableOf({{"NOP", ""}, {"PRR", "K1 D0"}}), kMode2),
              "NOP instruction is not supported .");
    EXPECT_EQ(downloadRefusal(*tableOf({{"PRR", "K1 D0"}}), kMode2),
              "PRR instruction is not supported .");
    EXPECT_EQ(downloadRefusal(*tableOf({{"PRW", "K1 D0"}}), kMode2),
              "PRW instruction is not supported .");
    EXPECT_FALSE(downloadRefusal(*tableOf({{"PRR", "K1 D0"}, {"PRW", "D0 K1"}}), kMode1));
    EXPECT_EQ(downloadRefusal(*tableOf({{"RST", "D0"}}), kMode1), "Device setting is wrong!");
    EXPECT_FALSE(downloadRefusal(*tableOf({{"RST", "D0"}}), kMode2));
    EXPECT_EQ(downloadRefusal(*tableOf({{"LD", "X0"}, {"FMOV", "K0 D0 K4"}}), kMode1),
              "FMOV instruction is not supported .");
    // Rows after END are checked as well.
    EXPECT_EQ(downloadRefusal(*tableOf({{"END", ""}, {"CJ", "P0"}}), kMode1),
              "CJ instruction is not supported .");
}

// Whether RST resets a data register is one rule: the operands the mode-1
// download refuses with "Device setting is wrong!" are exactly those that
// mode 2 resets with the register word 0x0D00 first. A constant or a group of
// bits written with a D is no register.
TEST(DownloadCheck, ResetOfADataRegisterIsOneRuleInBothModes) {
    using test::tableOf;
    const struct {
        const char* operand;
        bool dataRegister;
    } cases[] = {{"D0", true},     {"D1000", true}, {"D8000", true}, {"Y000", false},
                 {"M8000", false}, {"T0", false},   {"C3", false},   {"HD", false},
                 {"KD", false},    {"K1D0", true},  {"XD", false},   {"", false}};
    for (const auto& c : cases) {
        const auto refusal = downloadRefusal(*tableOf({{"RST", c.operand}}), kMode1);
        EXPECT_EQ(refusal == std::optional<std::string>("Device setting is wrong!"), c.dataRegister)
            << c.operand;
        const W words = encodeRow("RST", c.operand, kMode2);
        ASSERT_FALSE(words.empty()) << c.operand;
        EXPECT_EQ(words.front() == 0x0D00, c.dataRegister) << c.operand;
    }
}

}  // namespace
}  // namespace rs

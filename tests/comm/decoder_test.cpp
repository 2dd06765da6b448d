#include <gtest/gtest.h>

#include <memory>

#include "comm/upload_decoder.h"
#include "tests/comm/encode_helpers.h"

namespace rs {
namespace {

struct Decoded {
    std::unique_ptr<InstructionTable> table = std::make_unique<InstructionTable>();
    UploadDecoder decoder;
    Decoded& operator<<(uint16_t word) {
        decoder.DecodeWord(word, *table);
        return *this;
    }
    std::string row(int r) const {
        return table->m_Instruction[static_cast<size_t>(r)] + "|" +
               table->m_Parameter[static_cast<size_t>(r)];
    }
};

TEST(UploadDecoder, SequenceWordsOpenRowsWithTheirDevice) {
    Decoded d;
    d << 0xC102;  // OUT, w = 258
    EXPECT_EQ(d.row(0), "OUT|Y2");
    d << 0x0000 << 0x1080 << 0x2180 << 0x3480 << 0x4500 << 0x5580 << 0x6700 << 0x7700;
    EXPECT_EQ(d.row(1), "LD|S0");
    EXPECT_EQ(d.row(2), "LDI|X0");
    EXPECT_EQ(d.row(3), "AND|M0");
    EXPECT_EQ(d.row(4), "ANI|T0");
    EXPECT_EQ(d.row(5), "OR|C0");
    EXPECT_EQ(d.row(6), "ORI|M384");
    EXPECT_EQ(d.row(7), "LDF|");  // w above 1663: no device text
    EXPECT_EQ(d.row(8), "LDP|");
    d << 0x80FF << 0x9000 << 0xA000 << 0xB000;
    EXPECT_EQ(d.row(9), "ANDF|X127");
    EXPECT_EQ(d.row(12), "ORP|S0");
    EXPECT_EQ(d.decoder.uploadRow(), 12);
}

TEST(UploadDecoder, InstructionWordsMarkersAndConstants) {
    Decoded d;
    d << 0xF10C << 0xF20C << 0xF30C << 0xF1F7 << 0xF1F8 << 0xF3F7 << 0xF3F8 << 0xF057 << 0xF0E1;
    EXPECT_EQ(d.row(0), "MOVP|");
    EXPECT_EQ(d.row(1), "DMOV|");
    EXPECT_EQ(d.row(2), "DMOVP|");
    EXPECT_EQ(d.row(3), "SET|");
    EXPECT_EQ(d.row(4), "RST|");
    EXPECT_EQ(d.row(5), "PRR|");
    EXPECT_EQ(d.row(6), "PRW|");
    EXPECT_EQ(d.row(7), "NULL|");  // 87
    EXPECT_EQ(d.row(8), "LD>|");
    d << 0xF0FC << 0x000A << 0xF0FE << 0xE005 << 0xF0FD << 0x1388;
    EXPECT_EQ(d.row(8), "LD>|K10 D5 H5000");  // a constant of 4096 and more comes back whole
    d << 0xF0FF;
    EXPECT_EQ(d.row(9), "END|");
}

TEST(UploadDecoder, ContinuationsJoinAfterKnWithoutABlank) {
    Decoded d;
    d << 0xF00C << 0xF513 << 0xD102 << 0xD103;
    EXPECT_EQ(d.row(0), "MOV|K4Y2 Y3");
    d << 0xF000 << 0xF405 << 0xF010 << 0xF48A << 0xF503;
    EXPECT_EQ(d.row(1), "CJ|P5");
    EXPECT_EQ(d.row(2), "FMOV|N10V3");
}

TEST(UploadDecoder, WordsAboveTheTablesChangeNothingButTheLastWord) {
    Decoded d;
    d << 0x0000;
    for (uint32_t w = 0xF514; w <= 0xFFFF; ++w) {
        d << static_cast<uint16_t>(w);
        ASSERT_EQ(d.decoder.lastWord(), w);
    }
    EXPECT_EQ(d.row(0), "LD|S0");
    EXPECT_EQ(d.decoder.uploadRow(), 0);
}

TEST(UploadDecoder, NeverWritesOutsideTheTable) {
    Decoded d;
    d << 0xD102 << 0xE001 << 0xF0FC << 0x0001;  // continuations before the first row
    EXPECT_EQ(d.decoder.uploadRow(), -1);
    for (int i = 0; i < kListRows + 10; ++i) d << 0x0000;
    EXPECT_EQ(d.decoder.uploadRow(), kListRows - 1);
    d << 0xD102;
    EXPECT_EQ(d.row(kListRows - 1), "LD|S0 Y2");
}

// A mode-1 program read back encodes to the words that were read: every
// instruction of the download set with every layout of devices, registers and
// constants among its operands (ZCP with a device last). Devices are S devices, the one kind that
// both address maps place alike; constants K1 to K99 before a device are left out, as the decoder
// joins them to it (K4Y0).
TEST(UploadDecoder, AnUploadedProgramEncodesToTheWordsRead) {
    const std::vector<std::string> operands = {"S5", "D12", "K100", "H7"};
    const std::vector<std::pair<std::string, size_t>> instructions = {
        {"CMP", 3}, {"ZCP", 4}, {"MOV", 2}, {"BMOV", 3}, {"ADD", 3}, {"SUB", 3},
        {"MUL", 3}, {"DIV", 3}, {"INC", 1}, {"DEC", 1},  {"ROR", 2}, {"ROL", 2},
        {"SET", 1}, {"RST", 1}, {"PRR", 2}, {"PRW", 2}};
    test::Rows rows = {{"LD", "S5"}, {"ANI", "S0"}, {"MPS", ""},    {"ORP", "S127"}, {"ANB", ""},
                       {"ORB", ""},  {"MRD", ""},   {"OUT", "S33"}, {"MPP", ""},     {"LDF", "S1"}};
    for (const auto& [name, count] : instructions) {
        // ZCP compares into a device: its last operand is always one.
        const size_t free = name == "ZCP" ? count - 1 : count;
        size_t layouts = 1;
        for (size_t i = 0; i < free; ++i) layouts *= operands.size();
        for (size_t pick = 0; pick < layouts; ++pick) {
            std::string operand;
            for (size_t i = 0, k = pick; i < free; ++i, k /= operands.size())
                operand += (i ? " " : "") + operands[k % operands.size()];
            rows.push_back({name, free < count ? operand + " S5" : operand});
        }
    }
    rows.push_back({"END", ""});
    ASSERT_LT(rows.size(), static_cast<size_t>(kListRows));

    const std::vector<uint16_t> words = test::encode(rows, false);
    ASSERT_FALSE(words.empty());
    Decoded d;
    for (uint16_t w : words) d << w;
    test::Rows read;
    for (int r = 0; r <= d.decoder.uploadRow(); ++r)
        read.push_back({d.table->m_Instruction[static_cast<size_t>(r)],
                        d.table->m_Parameter[static_cast<size_t>(r)]});
    for (size_t r = 0; r < std::min(rows.size(), read.size()); ++r)
        ASSERT_EQ(read[r], rows[r]) << "row " << r;
    ASSERT_EQ(read.size(), rows.size());
    EXPECT_EQ(test::encode(read, false), words);
}

TEST(UploadDecoder, NamesByNumber) {
    EXPECT_EQ(instructionName(0), "CJ");
    EXPECT_EQ(instructionName(89), "NULL");
    EXPECT_EQ(instructionName(88), "PID");
    EXPECT_EQ(instructionName(100), "NULL");
    EXPECT_EQ(instructionName(147), "SWAP");
    EXPECT_EQ(instructionName(238), "AND>=");
    EXPECT_EQ(instructionName(246), "OR>=");
    EXPECT_EQ(instructionName(251), "MPP");
    EXPECT_EQ(instructionName(255), "END");
}

}  // namespace
}  // namespace rs

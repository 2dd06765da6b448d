// The stand-in reads program code with its own rules: words written out by
// hand from the code layout decode to their rows, and whatever the encoder
// writes for every device and row form decodes back to the row it encoded.
#include <gtest/gtest.h>

#include "comm/code_encoder.h"
#include "core/device/device_ref.h"
#include "tools/plcsim/program_decoder.h"

namespace rs::plcsim {
namespace {

std::string rowsText(const std::vector<eval::ListRow>& rows) {
    std::string out;
    for (const auto& r : rows)
        out += r.mnemonic + (r.operand.empty() ? "" : " " + r.operand) + "\n";
    return out;
}

std::string decoded(bool mode2, const std::vector<uint16_t>& words) {
    std::string problem;
    const auto rows = ProgramDecoder(mode2).decode(words, problem);
    return problem.empty() ? rowsText(rows) : problem;
}

TEST(PlcsimCodeRules, WordsWrittenByHandDecode) {
    // Mode 1: LD X000, AND M8000, OUT Y000, OUT T1 K10, MOV K10 D0.
    EXPECT_EQ(decoded(false, {0x0000, 0x2000 + 336, 0xC020, 0xC000 + 305, 0xF0FC, 10, 0xF0FE,
                              0xF00C, 0xF0FC, 10, 0xF0FE, 0xE000, 0xF0FE, 0xF0FF}),
              "LD X000\nAND M8000\nOUT Y000\nOUT T1 K10\nMOV K10 D0\nEND\n");
    // Mode 2: LD X001, LDP X000 (two words), OUT Y001, SET M8000 (two words),
    // MOV K10 D0, ADD D0 D1 D2, RST D1000.
    EXPECT_EQ(decoded(true, {0x0124, 0xCA01, 0x0084, 0x01C5, 0x0300, 0x008F, 0x2800, 0x0A80,
                             0x0080, 0x0086, 0x0086, 0x3800, 0x0086, 0x0086, 0x0286, 0x0086,
                             0x0486, 0x0086, 0x0D00, 0x0086, 0x0088, 0x0F00}),
              "LD X001\nLDP X000\nOUT Y001\nSET M8000\nMOV K10 D0\nADD D0 D1 D2\nRST "
              "D1000\nEND\n");
}

TEST(PlcsimCodeRules, EveryDeviceAndRowFormTheEncoderWritesDecodesBack) {
    for (const bool mode2 : {false, true}) {
        SCOPED_TRACE(mode2 ? "mode 2" : "mode 1");
        std::vector<std::string> bits;
        const int xy = mode2 ? 256 : 32;
        for (int v = 0; v < xy; v += 7) {
            bits.push_back(device::deviceText('X', device::octalDigits(v)));
            bits.push_back(device::deviceText('Y', device::octalDigits(v)));
        }
        for (int n : {0, 17, mode2 ? 255 : 239, 8000, 8255})
            bits.push_back("M" + std::to_string(n));
        std::vector<eval::ListRow> rows;
        for (const std::string& d : bits) {
            for (const char* m : {"LD", "LDI", "AND", "ANI", "OR", "ORI", "LDP", "LDF", "ANDP",
                                  "ANDF", "ORP", "ORF"})
                rows.push_back({m, d});
            if (d[0] == 'X') continue;
            rows.push_back({"OUT", d});
            rows.push_back({"SET", d});
            rows.push_back({"RST", d});
        }
        for (int n : {0, 9, 15}) {
            rows.push_back({"OUT", "T" + std::to_string(n) + " K" + std::to_string(10 + n)});
            rows.push_back({"OUT", "C" + std::to_string(n) + " D" + std::to_string(n)});
            rows.push_back({"LD", "T" + std::to_string(n)});
        }
        rows.push_back({"MOV", "K5 D10"});
        rows.push_back({"ADD", "D1 D2 D3"});
        rows.push_back({"CMP", "D0 K7 M0"});
        rows.push_back({"INC", "D5"});
        rows.push_back({"ORB", ""});
        rows.push_back({"MPP", ""});
        rows.push_back({"END", ""});
        InstructionTable table;
        for (size_t i = 0; i < rows.size(); ++i)
            table.setRow(static_cast<int>(i), rows[i].mnemonic, rows[i].operand, 0, 1);
        CodeEncoder encoder(mode2);
        ASSERT_EQ(encoder.encodeProgram(table), EncodeStatus::Ok);
        const std::vector<uint16_t> words(encoder.code().begin(),
                                          encoder.code().begin() + encoder.codeEnd() + 1);
        EXPECT_EQ(decoded(mode2, words), rowsText(rows));
    }
}

}  // namespace
}  // namespace rs::plcsim

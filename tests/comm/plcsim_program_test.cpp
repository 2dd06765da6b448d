// The stand-in runs what it is given: the words of a download decode back to
// the rows that were encoded, and the scan engine runs them over the
// stand-in's device memory.
#include <gtest/gtest.h>

#include "comm/code_encoder.h"
#include "core/device/device_address.h"
#include "tools/plcsim/controller.h"
#include "tools/plcsim/program_runner.h"

namespace rs::plcsim {
namespace {

std::vector<uint16_t> encode(const std::vector<eval::ListRow>& rows, bool mode2) {
    InstructionTable table;
    for (size_t i = 0; i < rows.size(); ++i)
        table.setRow(static_cast<int>(i), rows[i].mnemonic, rows[i].operand, 0, 1);
    CodeEncoder encoder(mode2);
    EXPECT_EQ(encoder.encodeProgram(table), EncodeStatus::Ok);
    return {encoder.code().begin(), encoder.code().begin() + encoder.codeEnd() + 1};
}

const std::vector<eval::ListRow> kProgram = {
    {"LD", "X000"},
    {"OR", "Y000"},
    {"ANI", "X001"},
    {"OUT", "Y000"},
    {"LD", "Y000"},
    {"OUT", "T0 K10"},
    {"LDP", "X017"},
    {"OUT", "C5 K3"},
    {"LD", "T0"},
    {"MPS", ""},
    {"AND", "M8000"},
    {"OUT", "Y001"},
    {"MPP", ""},
    {"ANDF", "C5"},
    {"SET", "M10"},
    {"LD", "X002"},
    {"LD", "X003"},
    {"ORI", "M200"},
    {"ANB", ""},
    {"RST", "M10"},
    {"LD", "M8000"},
    {"MOV", "K123 D10"},
    {"ADD", "D10 K5 D11"},
    {"CMP", "K10 D10 M20"},
    {"ZCP", "K0 K100 T0 Y010"},
    {"INC", "D12"},
    {"MOV", "K7 C5"},
    {"END", ""},
};

TEST(PlcsimProgram, DownloadedWordsDecodeToTheRowsInBothModes) {
    for (bool mode2 : {false, true}) {
        std::vector<eval::ListRow> rows = kProgram;
        if (!mode2) {
            // Mode 1 reaches D0 to D47 only.
            for (auto& r : rows)
                for (auto [from, to] : {std::pair{"D10", "D1"}, {"D11", "D2"}, {"D12", "D3"}}) {
                    const size_t at = r.operand.find(from);
                    if (at != std::string::npos) r.operand.replace(at, 3, to);
                }
        }
        std::string problem;
        const auto decoded = ProgramDecoder(mode2).decode(encode(rows, mode2), problem);
        EXPECT_EQ(problem, "") << "mode " << (mode2 ? 2 : 1);
        ASSERT_EQ(decoded.size(), rows.size()) << "mode " << (mode2 ? 2 : 1);
        for (size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(decoded[i].mnemonic, rows[i].mnemonic) << i;
            EXPECT_EQ(decoded[i].operand, rows[i].operand) << i << " mode " << (mode2 ? 2 : 1);
        }
    }
}

TEST(PlcsimProgram, ForcingX0MakesY0FollowAndTheTimerRun) {
    Controller controller(true);
    controller.loadProgram(encode(kProgram, true));
    ProgramRunner runner(true, controller.devices());
    std::string message;
    runner.update(controller.programWords(), message);
    ASSERT_TRUE(runner.running()) << message;
    auto bit = [&](const char* d) {
        return controller.devices().bit(*device::deviceAddress(d, device::AccessKind::Bit));
    };
    ASSERT_TRUE(runner.scan(10, message)) << message;
    EXPECT_FALSE(bit("Y000"));
    EXPECT_EQ(controller.devices().word(*device::deviceAddress("D10", device::AccessKind::Word)),
              123);
    controller.devices().setBit(*device::deviceAddress("X000", device::AccessKind::Bit), true);
    for (int t = 0; t <= 1000; t += 10) ASSERT_TRUE(runner.scan(10, message)) << message;
    EXPECT_TRUE(bit("Y000"));
    EXPECT_TRUE(bit("T0"));
    EXPECT_TRUE(bit("Y001"));
}

TEST(PlcsimProgram, AnIncompleteOrRefusedProgramIsNotRun) {
    device::DeviceMemory memory;
    ProgramRunner runner(true, memory);
    std::string message;
    std::vector<uint16_t> words = encode(kProgram, true);
    words.pop_back();  // no END yet: the download is still going
    runner.update(words, message);
    EXPECT_FALSE(runner.running());
    EXPECT_NE(message.find("no END"), std::string::npos) << message;
    runner.update(encode({{"LD", "X000"}, {"MPS", ""}, {"OUT", "Y000"}, {"END", ""}}, true),
                  message);
    ASSERT_TRUE(runner.running()) << message;
    EXPECT_FALSE(runner.scan(10, message));
    EXPECT_NE(message.find("MPS without MPP"), std::string::npos) << message;
    EXPECT_TRUE(runner.scan(10, message)) << "a stopped program stays stopped, quietly";
}

}  // namespace
}  // namespace rs::plcsim

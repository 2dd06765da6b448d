// Whole transfers between the transfer state machine and the controller
// stand-in, over a virtual 9600-baud line: the stored program must equal the
// encoder's code, with and without injected faults.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "comm/transfer.h"
#include "tests/comm/encode_helpers.h"
#include "tests/support/recording_sink.h"
#include "tools/plcsim/virtual_line.h"

namespace rs {
namespace {

test::Rows sampleProgram() {
    return {{"LD", "X000"},
            {"OR", "Y001"},
            {"ANI", "X017"},
            {"OUT", "Y001"},
            {"LDP", "X001"},
            {"SET", "M8000"},
            {"LD", "M10"},
            {"OUT", "T0 K50"},
            {"LD", "T0"},
            {"OUT", "C1 K5000"},
            {"LD", "C1"},
            {"MOV", "K4660 D10"},
            {"ADD", "D10 K1 D11"},
            {"CMP", "D11 K100 M20"},
            {"ZCP", "K10 D0 K20 Y000"},
            {"LD", "M8002"},
            {"BMOV", "D0 D100 K8"},
            {"INC", "D0"},
            {"END", ""}};
}

struct VirtualRig {
    VirtualRig(bool mode2, const test::Rows& rows, plcsim::FaultPlan faults = {})
        : controller(mode2, faults), line(clock, controller), retry(clock), wait(clock) {
        app.setMode2(mode2);
        for (size_t i = 0; i < rows.size(); ++i) {
            app.table->m_Instruction[i] = rows[i].first;
            app.table->m_Parameter[i] = rows[i].second;
        }
        transfer = std::make_unique<Transfer>(app, line, retry, wait, sink);
    }
    bool run() {
        return clock.runUntil([&] { return !transfer->running(); }, 3600e3);
    }
    std::vector<uint16_t> encoded() const {
        const auto& e = transfer->encoder();
        return std::vector<uint16_t>(e.code().begin(), e.code().begin() + e.codeEnd() + 1);
    }

    plcsim::VirtualClock clock;
    plcsim::Controller controller;
    plcsim::VirtualLine line;
    plcsim::VirtualTimer retry;
    plcsim::VirtualTimer wait;
    AppStore app;
    test::RecordingSink sink;
    std::unique_ptr<Transfer> transfer;
};

TEST(VirtualTransfer, DownloadStoresTheEncodedProgramInBothModes) {
    for (bool mode2 : {false, true}) {
        VirtualRig rig(mode2, sampleProgram());
        rig.transfer->download({"sim", {}, {}, {}});
        ASSERT_TRUE(rig.run());
        EXPECT_EQ(rig.sink.texts(), std::vector<std::string>{"Download Succeed !"}) << mode2;
        EXPECT_EQ(rig.controller.programWords(), rig.encoded()) << mode2;
    }
}

TEST(VirtualTransfer, FaultsEndInSuccessOrInOneRightMessage) {
    const std::set<std::string> errors = {"Packet Receive Packet Error!",
                                          "Communication connection timeout!",
                                          "Communication interruption!"};
    int succeeded = 0;
    for (bool mode2 : {false, true}) {
        for (uint32_t seed = 1; seed <= 12; ++seed) {
            plcsim::FaultPlan f;
            f.drop = 0.05;
            f.corrupt = 0.05;
            f.seed = seed;
            VirtualRig rig(mode2, sampleProgram(), f);
            rig.transfer->download({"sim", {}, {}, {}});
            ASSERT_TRUE(rig.run());
            ASSERT_EQ(rig.sink.shown.size(), 1u) << mode2 << " seed " << seed;
            const std::string shown = rig.sink.shown[0].text;
            if (shown == "Download Succeed !") {
                ++succeeded;
                EXPECT_EQ(rig.controller.programWords(), rig.encoded()) << mode2 << " " << seed;
            } else {
                EXPECT_TRUE(errors.count(shown)) << shown;
            }
        }
    }
    EXPECT_GT(succeeded, 12);
}

TEST(VirtualTransfer, AControllerThatFallsSilentIsReportedAsAnInterruption) {
    for (bool mode2 : {false, true}) {
        plcsim::FaultPlan f;
        f.silentAfter = 6;
        VirtualRig rig(mode2, sampleProgram(), f);
        rig.transfer->download({"sim", {}, {}, {}});
        ASSERT_TRUE(rig.run());
        EXPECT_EQ(rig.sink.texts(), std::vector<std::string>{"Communication interruption!"});
        // Ten resends 300 ms apart, then the end.
        EXPECT_GT(rig.clock.now(), 3300.0);
    }
    plcsim::FaultPlan deaf;
    deaf.silentAfter = 0;
    VirtualRig rig(false, sampleProgram(), deaf);
    rig.transfer->download({"sim", {}, {}, {}});
    ASSERT_TRUE(rig.run());
    EXPECT_EQ(rig.sink.texts(), std::vector<std::string>{"Communication connection timeout!"});
}

TEST(VirtualTransfer, UploadReadsTheProgramBack) {
    VirtualRig rig(false, sampleProgram());
    rig.transfer->download({"sim", {}, {}, {}});
    ASSERT_TRUE(rig.run());
    const std::vector<uint16_t> words = rig.encoded();

    // What the decoder makes of the stored words is what the upload brings.
    auto expected = std::make_unique<InstructionTable>();
    UploadDecoder decoder;
    for (uint16_t w : words) decoder.DecodeWord(w, *expected);

    rig.transfer->upload();
    ASSERT_TRUE(rig.run());
    EXPECT_EQ(rig.transfer->outcome(), TransferOutcome::Uploaded);
    EXPECT_TRUE(rig.app.m_bUploaded);
    EXPECT_EQ(rig.app.table->m_Instruction, expected->m_Instruction);
    EXPECT_EQ(rig.app.table->m_Parameter, expected->m_Parameter);
    EXPECT_EQ(rig.app.table->m_Instruction[11], "MOV");
    EXPECT_EQ(rig.app.table->m_Parameter[11], "K4660 D10");  // a constant above 4095, whole
}

TEST(VirtualTransfer, StrayStartOfFrameDoesNotDeafenTheController) {
    VirtualRig rig(true, sampleProgram());
    rig.line.open("sim", SerialSettings{});
    rig.line.write({frame::STX});  // a frame that never ends
    rig.transfer->download({"sim", {}, {}, {}});
    ASSERT_TRUE(rig.run());
    EXPECT_EQ(rig.sink.texts(), std::vector<std::string>{"Download Succeed !"});
    EXPECT_EQ(rig.controller.programWords(), rig.encoded());
}

}  // namespace
}  // namespace rs

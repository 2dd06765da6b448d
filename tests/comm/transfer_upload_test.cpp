#include <gtest/gtest.h>

#include "comm/frames.h"
#include "tests/comm/transfer_rig.h"

namespace rs {
namespace {

using test::TransferRig;

// An upload reply carrying these four digits.
std::string reply(uint16_t digits, bool goodCheck = true) {
    frame::Bytes r{frame::STX};
    frame::appendHex(r, digits, 4);
    r.push_back(frame::ETX);
    r.push_back('0');
    r.push_back('0');
    frame::applyMode2Sum(r);
    if (!goodCheck) r[7] = r[7] == '0' ? '1' : '0';
    return std::string(r.begin(), r.end());
}

struct UploadRig : TransferRig {
    UploadRig() : TransferRig(false, {{"LD", "X000"}, {"OUT", "Y000"}, {"END", ""}}) {
        transfer->openPort("ttyS0", {});
    }
};

TEST(TransferUpload, EmptiesTheTableAndReadsWordsUntilEnd) {
    UploadRig rig;
    rig.app.table->m_Instruction[5000] = "LD";
    rig.transfer->upload();
    EXPECT_TRUE(rig.app.table->m_Instruction[0].empty());
    EXPECT_TRUE(rig.app.table->m_Instruction[5000].empty());
    EXPECT_EQ(rig.lastFrame(), ":01033A98000129\r");
    EXPECT_EQ(rig.link.threshold(), 8);
    // OUT Y2 (0xC102) travels regrouped; the F0FC marker and the constant
    // 5000 that follows it travel plain, and the constant comes back whole.
    rig.link.deliver(reply(frame::regroup(0xC102)));
    EXPECT_EQ(rig.lastFrame(), ":01033A99000128\r");
    rig.link.deliver(reply(0xF00C));  // MOV
    rig.link.deliver(reply(0xF0FC));
    rig.link.deliver(reply(5000));
    rig.link.deliver(reply(0xF0FE));
    rig.link.deliver(reply(0xE00A));
    rig.link.deliver(reply(0xF0FE));
    EXPECT_FALSE(rig.app.m_bUploaded);
    rig.link.deliver(reply(0xF0FF));
    EXPECT_TRUE(rig.app.m_bUploaded);
    EXPECT_EQ(rig.transfer->outcome(), TransferOutcome::Uploaded);
    EXPECT_FALSE(rig.retry.active());
    const InstructionTable& t = *rig.app.table;
    EXPECT_EQ(t.m_Instruction[0], "OUT");
    EXPECT_EQ(t.m_Parameter[0], "Y2");
    EXPECT_EQ(t.m_Instruction[1], "MOV");
    EXPECT_EQ(t.m_Parameter[1], "K5000 D10");
    EXPECT_EQ(t.m_Instruction[2], "END");
    EXPECT_TRUE(rig.sink.shown.empty());
}

TEST(TransferUpload, TenFailedChecksEndWithTheRetryMessage) {
    UploadRig rig;
    rig.transfer->upload();
    rig.link.deliver(reply(0x0000));
    for (int i = 0; i < 9; ++i) rig.link.deliver(reply(0x1234, false));
    EXPECT_TRUE(rig.sink.shown.empty());
    EXPECT_EQ(rig.frames(), 11u);
    EXPECT_EQ(rig.lastFrame(), ":01033A99000128\r");
    rig.link.deliver(reply(0x1234, false));
    EXPECT_EQ(rig.shown(),
              std::vector<std::string>{
                  "Error occur: Communication Retry Time out,please check your device"});
    EXPECT_EQ(rig.frames(), 11u);
    EXPECT_FALSE(rig.retry.active());
}

TEST(TransferUpload, RepliesWithoutStxCountWithTheFailedChecks) {
    UploadRig rig;
    rig.transfer->upload();
    for (int i = 0; i < 5; ++i) rig.link.deliver("xxxxxxxx");
    rig.link.deliver(reply(0x0000));  // a good reply starts the count again
    ASSERT_TRUE(rig.wait.fire());     // after a period: the word was asked for more than once
    for (int i = 0; i < 9; ++i) rig.link.deliver("xxxxxxxx");
    EXPECT_EQ(rig.frames(), 16u);
    EXPECT_TRUE(rig.sink.shown.empty());
    rig.link.deliver("xxxxxxxx");
    EXPECT_EQ(rig.shown(),
              std::vector<std::string>{
                  "Error occur: Communication Retry Time out,please check your device"});
    EXPECT_EQ(rig.frames(), 16u);
}

TEST(TransferUpload, ALostReplyIsAskedForAgainByTheTimer) {
    UploadRig rig;
    rig.transfer->upload();
    for (int i = 0; i < 9; ++i) ASSERT_TRUE(rig.retry.fire());
    EXPECT_EQ(rig.frames(), 10u);
    ASSERT_TRUE(rig.retry.fire());
    EXPECT_EQ(rig.sink.shown.size(), 1u);
    EXPECT_EQ(rig.transfer->outcome(), TransferOutcome::Failed);
}

TEST(TransferUpload, Mode2ReadRequestCarriesTheMode2Sum) {
    TransferRig rig(true, {});
    rig.transfer->openPort("ttyS0", {});
    rig.transfer->upload();
    // Bytes 1..13 summed, written over the last two bytes (the CR included).
    EXPECT_EQ(rig.lastFrame(), ":01033A98000129C");
    // Mode-2 code comes back plain and ends at its own END word, read as END.
    rig.link.deliver(reply(0x0F24));
    EXPECT_EQ(rig.app.table->m_Instruction[0], "LD");  // the upload's device map
    EXPECT_TRUE(rig.transfer->running());
    rig.link.deliver(reply(0x0F00));
    EXPECT_EQ(rig.transfer->outcome(), TransferOutcome::Uploaded);
    EXPECT_EQ(rig.app.table->m_Instruction[1], "END");
    EXPECT_EQ(rig.frames(), 2u);
}

}  // namespace
}  // namespace rs

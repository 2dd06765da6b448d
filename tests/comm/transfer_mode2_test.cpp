#include <gtest/gtest.h>

#include "comm/frames.h"
#include "tests/comm/transfer_rig.h"

namespace rs {
namespace {

using test::bytes;
using test::TransferRig;

const test::Rows kProgram = {{"LD", "X000"}, {"OUT", "Y001"}, {"END", ""}};
const std::string kAck = bytes({0x06});
const std::string kNak = bytes({0x15});
const std::string kStatus = bytes({0x02, '0', '0', '5', '0', 0x03, '9', '8'});
const std::string kEnquiry = bytes({0x05});
const std::string kStatusRead = bytes({0x02, '0', '0', 'E', '0', '2', '0', '2', 0x03, '6', 'C'});
const std::string kE7 = bytes({0x02, 'E', '7', '7', '6', '0', 'E', 0x03, '6', '1'});
const std::string kE8 = bytes({0x02, 'E', '8', '7', '6', '0', 'E', 0x03, '6', '2'});
const std::string kFinish = bytes({0x02, 'B', 0x03, '4', '5'});
const std::string kSucceeded = "Download: Download Succeed !";

// Enquiry, status read, E7: the handshake before the first block.
void link(TransferRig& rig) {
    rig.download();
    ASSERT_EQ(rig.lastFrame(), kEnquiry);
    rig.link.deliver(kAck);  // row A
    ASSERT_EQ(rig.lastFrame(), kStatusRead);
    ASSERT_EQ(rig.link.threshold(), 8);
    rig.link.deliver(kStatus);  // row D
    ASSERT_EQ(rig.lastFrame(), kE7);
    ASSERT_EQ(rig.link.threshold(), 1);
}

TEST(TransferMode2, RunsTheWholeDialogueByteForByte) {
    TransferRig rig(true, kProgram);
    link(rig);
    rig.link.deliver(kAck);  // row E: the one block
    EXPECT_EQ(rig.lastFrame(),
              bytes({0x02, 'E', '1', '1', '8', '0', '5', 'C', '0', '6',  '0', '0', '2',
                     '4',  '0', '1', 'C', '5', '0', 'F', '0', '0', 0x03, '6', '5'}));
    EXPECT_EQ(rig.wait.interval(), 15);
    EXPECT_TRUE(rig.retry.active());
    rig.link.deliver(kAck);  // arrives during the wait: handled after it
    EXPECT_EQ(rig.frames(), 4u);
    ASSERT_TRUE(rig.wait.fire());
    EXPECT_EQ(rig.lastFrame(), kE8);  // row E after the last block
    rig.link.deliver(kAck);           // row B
    EXPECT_EQ(rig.lastFrame(), kFinish);
    EXPECT_TRUE(rig.sink.shown.empty());
    rig.link.deliver(kAck);  // row C
    EXPECT_EQ(rig.shown(), std::vector<std::string>{kSucceeded});
    EXPECT_EQ(rig.observer.range, 3);
    EXPECT_EQ(rig.observer.values.back(), 3);
    EXPECT_EQ(rig.transfer->outcome(), TransferOutcome::Succeeded);
    EXPECT_FALSE(rig.retry.active());
}

TEST(TransferMode2, SendsBlocksOfThirtyTwoWordsAndTheRest) {
    test::Rows rows(39, {"LD", "X000"});
    rows.push_back({"END", ""});
    TransferRig rig(true, rows);
    link(rig);
    rig.link.deliver(kAck);
    const std::string first = rig.lastFrame();
    EXPECT_EQ(first.size(), 13u + 4 * 32);
    EXPECT_EQ(first.substr(1, 9), "E11805C40");
    ASSERT_TRUE(rig.wait.fire());
    rig.link.deliver(kAck);
    const std::string second = rig.lastFrame();
    EXPECT_EQ(second.size(), 13u + 4 * 8);
    EXPECT_EQ(second.substr(1, 9), "E11809C10");
    EXPECT_EQ(second.substr(second.size() - 7, 4), "0F00");
    ASSERT_TRUE(rig.wait.fire());
    EXPECT_EQ(rig.observer.values, (std::vector<int>{0, 32}));
    rig.link.deliver(kAck);
    EXPECT_EQ(rig.lastFrame(), kE8);
}

TEST(TransferMode2, AFailedBlockIsSentAgainUnderItsOwnNumber) {
    test::Rows rows(80, {"LD", "X000"});
    rows.push_back({"END", ""});
    TransferRig rig(true, rows);
    link(rig);
    rig.link.deliver(kAck);
    ASSERT_TRUE(rig.wait.fire());
    rig.link.deliver(kAck);  // block 1 goes out
    ASSERT_TRUE(rig.wait.fire());
    const std::string block1 = rig.lastFrame();
    EXPECT_EQ(block1.substr(1, 9), "E11809C40");
    rig.link.deliver(kNak);  // row F
    EXPECT_EQ(rig.wait.interval(), 100);
    ASSERT_TRUE(rig.wait.fire());
    EXPECT_EQ(rig.lastFrame(), block1);
    ASSERT_TRUE(rig.retry.fire());  // lost again: the timer sends it once more
    EXPECT_EQ(rig.lastFrame(), block1);
    rig.link.deliver(kAck);
    ASSERT_TRUE(rig.wait.fire());
    EXPECT_EQ(rig.lastFrame().substr(1, 9), "E1180DC22");  // block 2, 17 words
    // The last block failed: it goes out again, not block 0.
    const std::string block2 = rig.lastFrame();
    const size_t sent = rig.frames();
    rig.link.deliver(kNak);        // during the wait after the block
    ASSERT_TRUE(rig.wait.fire());  // that wait ends: the NAK, then 100 ms
    ASSERT_TRUE(rig.wait.fire());
    EXPECT_EQ(rig.frames(), sent + 1);
    EXPECT_EQ(rig.lastFrame(), block2);
    rig.link.deliver(kAck);
    ASSERT_TRUE(rig.wait.fire());  // the answer to a frame sent twice waits a period
    EXPECT_EQ(rig.lastFrame(), kE8);
}

TEST(TransferMode2, BadRepliesAreRetriedByKindAndTheThirdInARowEndsTheDownload) {
    TransferRig rig(true, kProgram);
    rig.download();
    rig.link.deliver(kNak);
    ASSERT_TRUE(rig.wait.fire());
    EXPECT_EQ(rig.lastFrame(), kEnquiry);
    rig.link.deliver(kNak);
    ASSERT_TRUE(rig.wait.fire());
    rig.link.deliver(kAck);  // accepted: the count starts again
    ASSERT_TRUE(rig.wait.fire());
    // A status reply of 9 bytes, or one without "5" as fourth byte: row F.
    rig.link.deliver(kStatus + "x");
    ASSERT_TRUE(rig.wait.fire());
    EXPECT_EQ(rig.lastFrame(), kStatusRead);
    rig.link.deliver(bytes({0x02, '0', '0', '4', '0', 0x03, '9', '7'}));
    ASSERT_TRUE(rig.wait.fire());
    EXPECT_EQ(rig.lastFrame(), kStatusRead);
    EXPECT_TRUE(rig.sink.shown.empty());
    const size_t sent = rig.frames();
    rig.link.deliver(kNak + kNak + kNak + kNak + kNak + kNak + kNak + kNak);
    EXPECT_EQ(rig.shown(), std::vector<std::string>{"Error occur: Packet Receive Packet Error!"});
    EXPECT_EQ(rig.frames(), sent);
    EXPECT_FALSE(rig.wait.active());
    EXPECT_FALSE(rig.retry.active());
    EXPECT_EQ(rig.observer.enabled, std::vector<bool>{true});
}

TEST(TransferMode2, AShortStatusReplyRaisesNoEventAndTheTimerAsksAgain) {
    TransferRig rig(true, kProgram);
    rig.download();
    rig.link.deliver(kAck);
    rig.link.deliver(kStatus.substr(0, 5));
    EXPECT_EQ(rig.lastFrame(), kStatusRead);
    EXPECT_EQ(rig.frames(), 2u);
    ASSERT_TRUE(rig.retry.active());  // a lost status reply does not stall the download
    ASSERT_TRUE(rig.retry.fire());
    EXPECT_EQ(rig.lastFrame(), kStatusRead);
}

TEST(TransferMode2, TimerResendsEachKindOfFrame) {
    TransferRig rig(true, kProgram);
    rig.download();
    ASSERT_TRUE(rig.retry.fire());
    EXPECT_EQ(rig.lastFrame(), kEnquiry);
    // Each answer to a frame sent again is acted on a retry period later.
    rig.link.deliver(kAck);
    ASSERT_TRUE(rig.wait.fire());
    rig.link.deliver(kStatus);
    ASSERT_TRUE(rig.retry.fire());
    EXPECT_EQ(rig.lastFrame(), kE7);
    rig.link.deliver(kAck);
    ASSERT_TRUE(rig.wait.fire());  // the settling period, then the block
    ASSERT_TRUE(rig.wait.fire());  // the wait after the block
    rig.link.deliver(kAck);
    EXPECT_EQ(rig.lastFrame(), kE8);
    // E8 lost: E8 goes out again, and its ACK brings the finish frame.
    ASSERT_TRUE(rig.retry.fire());
    EXPECT_EQ(rig.lastFrame(), kE8);
    rig.link.deliver(kAck);
    ASSERT_TRUE(rig.wait.fire());
    EXPECT_EQ(rig.lastFrame(), kFinish);
    // The finish frame is lost: E8 again, and its ACK brings a new finish frame.
    ASSERT_TRUE(rig.retry.fire());
    EXPECT_EQ(rig.lastFrame(), kE8);
    rig.link.deliver(kAck);
    ASSERT_TRUE(rig.wait.fire());
    EXPECT_EQ(rig.lastFrame(), kFinish);
    rig.link.deliver(kAck);
    EXPECT_EQ(rig.shown(), std::vector<std::string>{kSucceeded});
}

TEST(TransferMode2, TimerGivesUpAfterTenResends) {
    {
        TransferRig rig(true, kProgram);
        rig.download();
        for (int i = 0; i < 10; ++i) ASSERT_TRUE(rig.retry.fire());
        EXPECT_EQ(rig.frames(), 11u);
        ASSERT_TRUE(rig.retry.fire());
        EXPECT_EQ(rig.shown(),
                  std::vector<std::string>{"Error occur: Communication connection timeout!"});
    }
    {
        TransferRig rig(true, kProgram);
        link(rig);
        for (int i = 0; i < 10; ++i) ASSERT_TRUE(rig.retry.fire());
        EXPECT_EQ(rig.lastFrame(), kE7);
        ASSERT_TRUE(rig.retry.fire());
        EXPECT_EQ(rig.shown(),
                  std::vector<std::string>{"Error occur: Communication interruption!"});
        EXPECT_EQ(rig.transfer->outcome(), TransferOutcome::Failed);
    }
}

}  // namespace
}  // namespace rs

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "comm/frames.h"
#include "tests/comm/transfer_rig.h"

namespace rs {
namespace {

using test::TransferRig;

const test::Rows kProgram = {{"LD", "X000"}, {"OUT", "Y001"}, {"END", ""}};
const std::string kSucceeded = "Download: Download Succeed !";
const std::string kPacketError = "Error occur: Packet Receive Packet Error!";
const std::string kTimeout = "Error occur: Communication connection timeout!";
const std::string kInterrupted = "Error occur: Communication interruption!";

TEST(TransferMode1, SendsEveryWordAndSucceedsOnTheEchoOfEnd) {
    TransferRig rig(false, kProgram);
    rig.download();
    EXPECT_EQ(rig.link.threshold(), 17);
    EXPECT_EQ(rig.observer.enabled, std::vector<bool>{false});
    EXPECT_EQ(rig.observer.range, 3);
    EXPECT_EQ(rig.lastFrame(), ":01063A98000027\r\n");
    EXPECT_TRUE(rig.retry.active());
    EXPECT_EQ(rig.retry.interval(), 300);

    rig.link.deliver(rig.lastFrame());  // the echo of the write
    EXPECT_EQ(rig.frames(), 1u);
    EXPECT_FALSE(rig.retry.active());
    EXPECT_EQ(rig.wait.interval(), 10);
    ASSERT_TRUE(rig.wait.fire());
    // OUT Y001 = 0xC021 travels regrouped as C104; check 0x100 - (1+6+0x3A+0x99+0xC1+0x04).
    EXPECT_EQ(rig.lastFrame(), ":01063A99C10461\r\n");
    rig.link.deliver(rig.lastFrame());
    ASSERT_TRUE(rig.wait.fire());
    EXPECT_EQ(rig.lastFrame(), ":01063A9AF0FF36\r\n");  // END travels plain
    rig.link.deliver(rig.lastFrame());

    EXPECT_EQ(rig.shown(), std::vector<std::string>{kSucceeded});
    EXPECT_EQ(rig.sink.shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(rig.observer.values, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(rig.observer.enabled, (std::vector<bool>{false, true}));
    EXPECT_EQ(rig.transfer->outcome(), TransferOutcome::Succeeded);
    EXPECT_FALSE(rig.retry.active());
    EXPECT_FALSE(rig.wait.active());
    rig.link.deliver(rig.lastFrame());  // late bytes change nothing
    EXPECT_EQ(rig.frames(), 3u);
    EXPECT_EQ(rig.sink.shown.size(), 1u);
}

TEST(TransferMode1, TheThirdBadReplySinceTheLastGoodOneEndsTheDownload) {
    TransferRig rig(false, kProgram);
    rig.download();
    for (int i = 0; i < 2; ++i) {
        rig.link.deliver("garbage, no CR LF");
        EXPECT_EQ(rig.wait.interval(), 100);
        ASSERT_TRUE(rig.wait.fire());
        EXPECT_EQ(rig.lastFrame(), ":01063A98000027\r\n");  // the same word again
    }
    rig.link.deliver(rig.lastFrame());  // a good reply resets the count
    ASSERT_TRUE(rig.wait.fire());
    for (int i = 0; i < 2; ++i) {
        rig.link.deliver("bad reply of some length");
        ASSERT_TRUE(rig.wait.fire());
    }
    EXPECT_TRUE(rig.sink.shown.empty());
    const size_t sent = rig.frames();
    rig.link.deliver("third bad reply ..");
    EXPECT_EQ(rig.shown(), std::vector<std::string>{kPacketError});
    EXPECT_FALSE(rig.wait.active());
    EXPECT_FALSE(rig.retry.active());
    EXPECT_EQ(rig.frames(), sent);
    EXPECT_EQ(rig.transfer->outcome(), TransferOutcome::Failed);
    EXPECT_EQ(rig.observer.enabled.back(), true);
}

TEST(TransferMode1, TheTenthReplyStartingWithZeroIsATimeout) {
    TransferRig rig(false, kProgram);
    rig.download();
    const std::string zeros(17, '\0');
    for (int i = 0; i < 9; ++i) {
        rig.link.deliver(zeros);
        ASSERT_TRUE(rig.wait.fire());
    }
    EXPECT_EQ(rig.frames(), 10u);
    rig.link.deliver(zeros);
    EXPECT_EQ(rig.shown(), std::vector<std::string>{kTimeout});
    EXPECT_EQ(rig.frames(), 10u);
}

TEST(TransferMode1, TimerResendsTenTimesThenTimesOutOrReportsAnInterruption) {
    {
        TransferRig rig(false, kProgram);
        rig.download();
        for (int i = 0; i < 10; ++i) ASSERT_TRUE(rig.retry.fire());
        EXPECT_EQ(rig.frames(), 11u);
        EXPECT_TRUE(rig.sink.shown.empty());
        ASSERT_TRUE(rig.retry.fire());
        EXPECT_EQ(rig.shown(), std::vector<std::string>{kTimeout});
        EXPECT_FALSE(rig.retry.active());
        EXPECT_EQ(rig.frames(), 11u);
    }
    {
        TransferRig rig(false, kProgram);
        rig.download();
        rig.link.deliver(rig.lastFrame());
        ASSERT_TRUE(rig.wait.fire());
        for (int i = 0; i < 10; ++i) ASSERT_TRUE(rig.retry.fire());
        EXPECT_EQ(rig.lastFrame(), ":01063A99C10461\r\n");
        ASSERT_TRUE(rig.retry.fire());
        EXPECT_EQ(rig.shown(), std::vector<std::string>{kInterrupted});
        EXPECT_EQ(rig.observer.enabled.back(), true);
    }
}

TEST(TransferMode1, InputLongerThanTheReceiveBufferKeepsItsFirstBytes) {
    TransferRig rig(false, kProgram);
    rig.download();
    std::string flood = rig.lastFrame() + std::string(2000, 'z');
    rig.link.deliver(flood);  // bytes 15, 16 are CR LF: a good reply
    EXPECT_TRUE(rig.wait.fire());
    EXPECT_EQ(rig.link.bytesWaiting(), 0u);
    rig.link.deliver(std::string(5000, '\0'));
    EXPECT_TRUE(rig.wait.fire());  // a zero reply: sent again
    EXPECT_TRUE(rig.sink.shown.empty());
}

TEST(TransferStart, RefusalsSendNothing) {
    {
        TransferRig rig(false, kProgram);
        rig.app.m_bCompiled = false;
        rig.download();
        EXPECT_EQ(rig.shown(), std::vector<std::string>{
                                   "CV-Rungsmith: Ladder has not compiled yet. Please press F4 "
                                   "to compile ."});
        EXPECT_EQ(rig.link.opens(), 0);
    }
    {
        TransferRig rig(true, {{"LD", "X000"}, {"PRW", "D0 K1"}, {"END", ""}});
        rig.download();
        EXPECT_EQ(rig.shown(),
                  std::vector<std::string>{"CV-Rungsmith: PRW instruction is not supported ."});
        EXPECT_EQ(rig.frames(), 0u);
    }
    {
        TransferRig rig(false, kProgram);
        rig.link.unavailable = {"ttyS0"};
        rig.download();
        EXPECT_EQ(rig.shown(), std::vector<std::string>{"Error occur: cannot open serial port"});
        EXPECT_EQ(rig.frames(), 0u);
        EXPECT_FALSE(rig.retry.active());
        EXPECT_EQ(rig.transfer->outcome(), TransferOutcome::Refused);
    }
    {
        test::Rows rows(1400, {"MOV", "K10 D0"});
        rows.push_back({"END", ""});
        TransferRig rig(false, rows);
        rig.download();
        EXPECT_EQ(rig.shown(),
                  std::vector<std::string>{"CV-Rungsmith: The program needs more than 8000 code "
                                           "words and cannot be downloaded."});
        EXPECT_EQ(rig.frames(), 0u);
        EXPECT_FALSE(rig.retry.active());
    }
}

TEST(TransferStart, WritesTheSettingsFileAndOpensThePortWithTheSettings) {
    const auto dir = std::filesystem::temp_directory_path() / "rungsmith-comm-tests";
    std::filesystem::create_directories(dir);
    const std::string file = (dir / "iniProtocol.txt").string();
    TransferRig rig(false, kProgram);
    SerialSettings s{19200, 'N', 8, 2};
    rig.transfer->download({"/dev/ttyUSB1", s, ProtocolIndexes{3, 1, 2, 1, 1}, file});
    EXPECT_EQ(rig.link.port(), "/dev/ttyUSB1");
    EXPECT_EQ(rig.link.settings(), s);
    std::ifstream in(file);
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "31211");
}

}  // namespace
}  // namespace rs

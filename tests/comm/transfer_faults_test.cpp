// Faults of a real line that the stand-in's own fault options never produce:
// a late echo, an echoing line, a lost E8, a port that vanishes; and the
// user's stop in the middle of a download.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <set>

#include "comm/frames.h"
#include "tests/comm/transfer_rig.h"

namespace rs {
namespace {

using test::bytes;
using test::TransferRig;

const test::Rows kProgram = {{"LD", "X000"}, {"AND", "X001"}, {"OUT", "Y001"},
                             {"LD", "X002"}, {"OUT", "Y002"}, {"END", ""}};
const std::string kAck = bytes({0x06});
const std::string kE8 = bytes({0x02, 'E', '8', '7', '6', '0', 'E', 0x03, '6', '2'});
const std::string kFinish = bytes({0x02, 'B', 0x03, '4', '5'});
const std::string kInterrupted = "Error occur: Communication interruption!";

// A mode-1 controller behind a line that holds its echoes until the test
// lets them through, and that can lose chosen requests (counted from 1).
struct EchoingController {
    explicit EchoingController(TransferRig& rig) : rig(rig) {
        rig.link.onWrite = [this](const std::vector<uint8_t>& f) {
            ++requests;
            if (lost.count(requests)) return;
            const std::string text(f.begin(), f.end());
            memory[std::stoi(text.substr(5, 4), nullptr, 16) - 15000] = text.substr(9, 4);
            pending.push_back(text);
        };
    }
    // Lets the echoes through one at a time and lets the timers run, until
    // the transfer ends.
    void run() {
        for (int step = 0; step < 1000 && rig.transfer->running(); ++step) {
            if (rig.wait.fire()) continue;
            if (!pending.empty()) {
                const std::string echo = pending.front();
                pending.pop_front();
                rig.link.deliver(echo);
                continue;
            }
            rig.retry.fire();
        }
    }
    TransferRig& rig;
    int requests = 0;
    std::set<int> lost;
    std::map<int, std::string> memory;  // word index: the four digits written
    std::deque<std::string> pending;
};

TEST(TransferFaults, ALateEchoThenALostRequestLeavesNoWordUnwritten) {
    TransferRig rig(false, kProgram);
    EchoingController plc(rig);
    plc.lost = {4};  // the first write of word 2
    rig.download();
    ASSERT_TRUE(rig.retry.fire());  // the echo of word 0 is late: word 0 again
    plc.run();

    EXPECT_EQ(rig.shown(), std::vector<std::string>{"Download: Download Succeed !"});
    const CodeEncoder& code = rig.transfer->encoder();
    ASSERT_EQ(plc.memory.size(), static_cast<size_t>(code.codeEnd() + 1));
    for (int i = 0; i <= code.codeEnd(); ++i) {
        frame::Bytes digits;
        frame::appendHex(digits, frame::transmittedValue(code.code().data(), i), 4);
        EXPECT_EQ(plc.memory[i], std::string(digits.begin(), digits.end())) << "word " << i;
    }
}

TEST(TransferFaults, Mode1AcceptsOnlyTheEchoOfTheWriteInTransfer) {
    TransferRig rig(false, kProgram);
    rig.download();
    const std::string word0 = rig.lastFrame();
    rig.link.deliver(word0);
    ASSERT_TRUE(rig.wait.fire());
    const std::string word1 = rig.lastFrame();

    rig.link.deliver(word0);  // stale: dropped, not counted, nothing sent
    EXPECT_EQ(rig.frames(), 2u);
    EXPECT_FALSE(rig.wait.active());
    EXPECT_TRUE(rig.retry.active());  // the timer still watches the write
    rig.link.deliver(word0 + word1);  // a stale echo and the one due, read together
    ASSERT_TRUE(rig.wait.fire());
    EXPECT_EQ(rig.frames(), 3u);

    // Any other reply ending in CR LF is a bad one: the third ends the download.
    std::string other = rig.lastFrame();
    other[11] = other[11] == '0' ? '1' : '0';
    for (int i = 0; i < 2; ++i) {
        rig.link.deliver(other);
        ASSERT_TRUE(rig.wait.fire());
    }
    rig.link.deliver(word0);  // two words back: not stale, also bad
    EXPECT_EQ(rig.shown(), std::vector<std::string>{"Error occur: Packet Receive Packet Error!"});
}

TEST(TransferFaults, ALostE8IsSentAgainAsE8) {
    TransferRig rig(true, {{"LD", "X000"}, {"END", ""}});
    rig.download();
    rig.link.deliver(kAck);
    rig.link.deliver(bytes({0x02, '0', '0', '5', '0', 0x03, '9', '8'}));
    rig.link.deliver(kAck);  // E7 answered: the one block
    ASSERT_TRUE(rig.wait.fire());
    rig.link.deliver(kAck);  // block answered
    EXPECT_EQ(rig.lastFrame(), kE8);
    ASSERT_TRUE(rig.retry.fire());  // E8 lost
    EXPECT_EQ(rig.lastFrame(), kE8);
    rig.link.deliver(bytes({0x15}));  // refused
    ASSERT_TRUE(rig.wait.fire());
    EXPECT_EQ(rig.lastFrame(), kE8);
    rig.link.deliver(kAck);
    ASSERT_TRUE(rig.wait.fire());
    EXPECT_EQ(rig.lastFrame(), kFinish);
    rig.link.deliver(kAck);
    EXPECT_EQ(rig.transfer->outcome(), TransferOutcome::Succeeded);
}

TEST(TransferFaults, AnEchoingLineEndsTheUploadWithTheRetryMessage) {
    TransferRig rig(false, {});
    std::deque<std::vector<uint8_t>> echoes;
    rig.link.onWrite = [&](const std::vector<uint8_t>& f) { echoes.push_back(f); };
    rig.transfer->openPort("ttyS0", {});
    rig.transfer->upload();
    int delivered = 0;
    while (rig.transfer->running() && !echoes.empty() && delivered < 1000) {
        rig.link.deliver(echoes.front());
        echoes.pop_front();
        ++delivered;
    }
    EXPECT_FALSE(rig.transfer->running());
    EXPECT_EQ(delivered, 10);
    EXPECT_EQ(rig.shown(),
              std::vector<std::string>{
                  "Error occur: Communication Retry Time out,please check your device"});
}

// Mode 1, mode 2 and the upload, each brought under way and then losing its
// port.
TEST(TransferFaults, APortErrorEndsTheTransferAtOnce) {
    for (int kind = 0; kind < 3; ++kind) {
        SCOPED_TRACE(kind);
        TransferRig rig(kind == 1, kProgram);
        if (kind == 2) {
            rig.transfer->openPort("ttyS0", {});
            rig.transfer->upload();
        } else {
            rig.download();
            if (kind == 0) {
                rig.link.deliver(rig.lastFrame());
                ASSERT_TRUE(rig.wait.fire());
            } else {
                rig.link.deliver(kAck);
            }
        }
        const size_t sent = rig.frames();
        rig.link.failPort("Input/output error");
        EXPECT_EQ(rig.shown(), std::vector<std::string>{kInterrupted});
        EXPECT_EQ(rig.transfer->outcome(), TransferOutcome::Failed);
        EXPECT_EQ(rig.transfer->portError(), "Input/output error");
        EXPECT_FALSE(rig.link.isOpen());
        EXPECT_FALSE(rig.retry.active());
        EXPECT_FALSE(rig.wait.active());
        EXPECT_FALSE(rig.retry.fire());
        EXPECT_EQ(rig.frames(), sent);
        if (kind != 2) {
            EXPECT_EQ(rig.observer.enabled.back(), true);
            rig.download();  // the next download opens the port again
            EXPECT_TRUE(rig.link.isOpen());
            EXPECT_EQ(rig.frames(), sent + 1);
            EXPECT_TRUE(rig.transfer->portError().empty());
        }
    }
}

// Replies to reads and ACKs carry nothing that names their request: when a
// request went out twice, the second answer must not be taken for the next
// request's.
TEST(TransferFaults, ASecondAnswerToARequestSentTwiceIsDropped) {
    {  // upload: a late reply and the reply to the repeated read
        TransferRig rig(false, {});
        rig.transfer->openPort("ttyS0", {});
        rig.transfer->upload();
        ASSERT_TRUE(rig.retry.fire());  // word 0 asked for again
        const std::string reply0 = bytes({0x02, '0', '0', '0', '0', 0x03, 'C', '3'});
        rig.link.deliver(reply0);
        EXPECT_EQ(rig.frames(), 2u);
        // The retry gap and an 8-byte reply at 9600 baud, and the span of the
        // two sends (a retry period and the wait before a resend at most).
        EXPECT_EQ(rig.wait.interval(), 319 + 400);
        rig.link.deliver(reply0);  // the other answer: dropped
        ASSERT_TRUE(rig.wait.fire());
        EXPECT_EQ(rig.lastFrame(), ":01033A99000128\r");  // word 1, once
        const std::string end = bytes({0x02, 'F', '0', 'F', 'F', 0x03, '0', '5'});
        rig.link.deliver(end);
        // A read went out twice: the whole program is read a second time.
        EXPECT_EQ(rig.lastFrame(), ":01033A98000129\r");
        rig.link.deliver(reply0);
        rig.link.deliver(end);
        EXPECT_EQ(rig.transfer->outcome(), TransferOutcome::Uploaded);
        EXPECT_EQ(rig.app.table->m_Instruction[0], "LD");
        EXPECT_EQ(rig.app.table->m_Instruction[1], "END");
    }
    {  // mode 2: a late ACK of block 0, then block 1 lost
        test::Rows rows(40, {"LD", "X000"});
        rows.push_back({"END", ""});
        TransferRig rig(true, rows);
        rig.download();
        rig.link.deliver(kAck);
        rig.link.deliver(bytes({0x02, '0', '0', '5', '0', 0x03, '9', '8'}));
        rig.link.deliver(kAck);
        ASSERT_TRUE(rig.wait.fire());
        const std::string block0 = rig.lastFrame();
        ASSERT_TRUE(rig.retry.fire());
        EXPECT_EQ(rig.lastFrame(), block0);
        rig.link.deliver(kAck);
        rig.link.deliver(kAck);  // dropped while the period passes
        ASSERT_TRUE(rig.wait.fire());
        const std::string block1 = rig.lastFrame();
        EXPECT_EQ(block1.substr(1, 9), "E11809C12");
        ASSERT_TRUE(rig.wait.fire());
        ASSERT_TRUE(rig.retry.fire());  // block 1 lost: sent again, not taken as done
        EXPECT_EQ(rig.lastFrame(), block1);
    }
}

TEST(TransferCancel, StopsWithNoFurtherFrameExceptTheReleasingE8) {
    {  // mode 1: nothing more
        TransferRig rig(false, kProgram);
        rig.download();
        rig.link.deliver(rig.lastFrame());
        rig.transfer->cancel();
        EXPECT_EQ(rig.transfer->outcome(), TransferOutcome::Cancelled);
        EXPECT_FALSE(rig.wait.fire());
        EXPECT_FALSE(rig.retry.fire());
        EXPECT_EQ(rig.frames(), 1u);
        EXPECT_TRUE(rig.sink.shown.empty());
    }
    {  // mode 2 before E7: the program bit was never forced
        TransferRig rig(true, kProgram);
        rig.download();
        rig.link.deliver(kAck);
        rig.transfer->cancel();
        EXPECT_EQ(rig.transfer->outcome(), TransferOutcome::Cancelled);
        EXPECT_EQ(rig.frames(), 2u);
    }
    {  // mode 2 during a block: E8, the block's ACK, then E8's
        TransferRig rig(true, kProgram);
        rig.download();
        rig.link.deliver(kAck);
        rig.link.deliver(bytes({0x02, '0', '0', '5', '0', 0x03, '9', '8'}));
        rig.link.deliver(kAck);
        rig.transfer->cancel();
        EXPECT_EQ(rig.lastFrame(), kE8);
        EXPECT_TRUE(rig.transfer->running());
        rig.link.deliver(kAck);
        EXPECT_TRUE(rig.transfer->running());
        rig.link.deliver(kAck);
        EXPECT_EQ(rig.transfer->outcome(), TransferOutcome::Cancelled);
        EXPECT_EQ(rig.frames(), 5u);
        EXPECT_TRUE(rig.sink.shown.empty());
    }
    {  // mode 2, E8 never answered: three tries, then the stop
        TransferRig rig(true, kProgram);
        rig.download();
        rig.link.deliver(kAck);
        rig.link.deliver(bytes({0x02, '0', '0', '5', '0', 0x03, '9', '8'}));
        rig.transfer->cancel();
        ASSERT_TRUE(rig.retry.fire());
        ASSERT_TRUE(rig.retry.fire());
        EXPECT_TRUE(rig.transfer->running());
        ASSERT_TRUE(rig.retry.fire());
        EXPECT_EQ(rig.transfer->outcome(), TransferOutcome::Cancelled);
        EXPECT_EQ(rig.frames(), 6u);  // enquiry, status read, E7, E8 three times
        EXPECT_EQ(rig.lastFrame(), kE8);
    }
}

}  // namespace
}  // namespace rs

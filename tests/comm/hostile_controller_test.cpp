// A controller that answers with the wrong kind of reply, endlessly, or late:
// every reply that does not answer the request in flight counts toward the
// limit, a download is read back before it is reported, and an upload in
// which a read went out again is read a second time.
#include <gtest/gtest.h>

#include <deque>
#include <map>

#include "comm/frames.h"
#include "tests/comm/transfer_rig.h"

namespace rs {
namespace {

using test::bytes;
using test::TransferRig;

const std::string kAck = bytes({0x06});
const std::string kStatus = bytes({0x02, '0', '0', '5', '0', 0x03, '9', '8'});
const std::string kPacketError = "Error occur: Packet Receive Packet Error!";

std::string uploadReply(uint16_t digits) {
    frame::Bytes r{frame::STX};
    frame::appendHex(r, digits, 4);
    r.insert(r.end(), {frame::ETX, '0', '0'});
    frame::applyMode2Sum(r);
    return {r.begin(), r.end()};
}

// Runs the timers and hands each queued reply over until the transfer ends;
// the number of frames the transfer wrote.
size_t pump(TransferRig& rig, std::deque<std::string>& replies, int steps = 5000) {
    for (int i = 0; i < steps && rig.transfer->running(); ++i) {
        if (rig.wait.fire()) continue;
        if (!replies.empty()) {
            const std::string r = replies.front();
            replies.pop_front();
            rig.link.deliver(r);
            continue;
        }
        rig.retry.fire();
    }
    return rig.frames();
}

TEST(HostileController, RepliesThatAnswerNothingEndAMode2Download) {
    struct Case {
        const char* name;
        std::string (*reply)(const std::vector<uint8_t>& frame);
    };
    const Case cases[] = {
        {"an endless stream of ACKs", [](const std::vector<uint8_t>&) { return kAck + kAck; }},
        {"a status reply to every frame", [](const std::vector<uint8_t>&) { return kStatus; }},
        {"ACK to everything, the status read too",
         [](const std::vector<uint8_t>&) { return kAck; }},
    };
    for (const Case& c : cases) {
        TransferRig rig(true, {{"LD", "X000"}, {"END", ""}});
        std::deque<std::string> replies;
        rig.link.onWrite = [&](const std::vector<uint8_t>& f) {
            for (int i = 0; i < 8; ++i) replies.push_back(c.reply(f));
        };
        rig.download();
        EXPECT_LT(pump(rig, replies), 20u) << c.name;
        EXPECT_FALSE(rig.transfer->running()) << c.name;
        EXPECT_EQ(rig.shown(), std::vector<std::string>{kPacketError}) << c.name;
    }
}

// A mode-2 controller that stores blocks and answers reads (word reads and
// reads of the blocks' addresses) from its memory;
// `answer` may change the reply to a frame, `tamper` a word read back.
struct Mode2Controller {
    explicit Mode2Controller(TransferRig& rig) : rig(rig) {
        rig.link.onWrite = [this](const std::vector<uint8_t>& f) {
            ++frames;
            std::string reply = kAck;
            const std::string text(f.begin(), f.end());
            if (text.substr(1, 2) == "00") reply = kStatus;
            if (text.substr(1, 2) == "E1") {
                const int first = (std::stoi(text.substr(3, 5), nullptr, 16) - 0x1805C) / 2;
                const int n = std::stoi(text.substr(8, 2), nullptr, 16) / 2;
                for (int i = 0; i < n; ++i)
                    memory[first + i] = std::stoi(text.substr(10 + 4 * i, 4), nullptr, 16);
            }
            if (text.substr(1, 2) == "E0") {  // program words from the blocks' addresses
                const int first = (std::stoi(text.substr(3, 5), nullptr, 16) - 0x1805C) / 2;
                const int n = std::stoi(text.substr(8, 2), nullptr, 16) / 2;
                frame::Bytes r{frame::STX};
                for (int i = first; i < first + n; ++i) {
                    uint16_t value = memory.count(i) ? memory[i] : 0xFFFF;
                    if (i == tamperedWord) value ^= 1;
                    frame::appendHex(r, value, 4);
                }
                r.insert(r.end(), {frame::ETX, '0', '0'});
                frame::applyMode2Sum(r);
                reply.assign(r.begin(), r.end());
            }
            if (text[0] == ':') {
                const int word = std::stoi(text.substr(5, 4), nullptr, 16) - 15000;
                uint16_t value = memory.count(word) ? memory[word] : 0xFFFF;
                if (word == tamperedWord) value ^= 1;
                reply = uploadReply(value);
            }
            if (answer) reply = answer(frames, text, reply);
            replies.push_back(reply);
        };
    }
    TransferRig& rig;
    int frames = 0;
    int tamperedWord = -1;
    std::function<std::string(int, const std::string&, const std::string&)> answer;
    std::map<int, uint16_t> memory;
    std::deque<std::string> replies;
};

test::Rows program(int rows) {
    test::Rows r(static_cast<size_t>(rows), {"LD", "X000"});
    r.push_back({"END", ""});
    return r;
}

TEST(HostileController, ABlockAnsweredByAStatusReplyIsSentAgain) {
    TransferRig rig(true, program(40));
    Mode2Controller plc(rig);
    plc.answer = [](int, const std::string& text, const std::string& reply) {
        // Block 1's first write is answered by a status reply instead of ACK.
        static bool once = false;
        if (text.substr(1, 9) == "E11809C10" && !once) return once = true, kStatus;
        return reply;
    };
    rig.transfer->download({"ttyS0", SerialSettings{}, {}, {}, true});
    pump(rig, plc.replies);
    EXPECT_EQ(rig.shown(), std::vector<std::string>{"Download: Download Succeed !"});
    EXPECT_EQ(plc.memory.size(), 41u);
}

TEST(HostileController, ADownloadIsReadBackAndADifferenceIsAFailedDownload) {
    for (const bool mode2 : {false, true}) {
        for (const int tampered : {-1, 7}) {
            TransferRig rig(mode2, program(20));
            Mode2Controller plc(rig);
            if (!mode2) {  // mode 1: each word write is echoed and stored as sent
                rig.link.onWrite = [&](const std::vector<uint8_t>& f) {
                    const std::string text(f.begin(), f.end());
                    const int word = std::stoi(text.substr(5, 4), nullptr, 16) - 15000;
                    if (text[4] == '6') {
                        plc.memory[word] = std::stoi(text.substr(9, 4), nullptr, 16);
                        plc.replies.push_back(text);
                    } else {
                        uint16_t value = plc.memory[word];
                        if (word == tampered) value ^= 1;
                        plc.replies.push_back(uploadReply(value));
                    }
                };
            }
            plc.tamperedWord = tampered;
            rig.transfer->download({"ttyS0", SerialSettings{}, {}, {}, true});
            pump(rig, plc.replies);
            const std::string verdict =
                tampered < 0
                    ? "Download: Download Succeed !"
                    : "Error occur: The controller does not hold the program that was sent.";
            EXPECT_EQ(rig.shown(), std::vector<std::string>{verdict}) << mode2 << tampered;
            EXPECT_EQ(rig.observer.enabled.back(), true);
            // The read-back leaves the program in the list as it was.
            EXPECT_EQ(rig.app.table->m_Instruction[20], "END");
        }
    }
}

TEST(HostileController, AnUploadWithARetryIsReadTwiceAndADifferenceRefused) {
    TransferRig rig(false, {});
    rig.transfer->openPort("ttyS0", {});
    rig.transfer->upload();
    ASSERT_TRUE(rig.retry.fire());          // word 0 asked for again: its answers are late
    rig.link.deliver(uploadReply(0x0000));  // the first answer: settles
    ASSERT_TRUE(rig.wait.fire());
    rig.link.deliver(uploadReply(0x0000));  // the twin, after the settling: taken for word 1
    rig.link.deliver(uploadReply(0xF0FF));  // word 1's own answer: END one word early
    EXPECT_TRUE(rig.transfer->running());   // read again from word 0
    rig.link.deliver(uploadReply(0x0000));
    rig.link.deliver(uploadReply(0x0C10));  // word 1 as the controller holds it
    EXPECT_EQ(rig.shown(),
              std::vector<std::string>{"Error occur: The controller's answers differed when the "
                                       "program was read a second time; nothing was uploaded."});
    EXPECT_EQ(rig.transfer->outcome(), TransferOutcome::Failed);
    EXPECT_FALSE(rig.app.m_bUploaded);
    EXPECT_TRUE(rig.app.table->m_Instruction[0].empty());  // no list read wrong is kept
}

}  // namespace
}  // namespace rs

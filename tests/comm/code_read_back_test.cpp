// The read-back of a mode-2 download: the read frame, its reply, the protocol
// that reads the program memory a block at a time, and whole downloads read
// back over the virtual line from the stand-in.
#include "comm/code_read_back.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "comm/frames.h"
#include "comm/transfer.h"
#include "tests/support/recording_sink.h"
#include "tools/plcsim/controller.h"
#include "tools/plcsim/virtual_line.h"

namespace rs {
namespace {

using link::Actions;
using link::CodeReadBack;

std::string text(const frame::Bytes& b) {
    return {b.begin(), b.end()};
}

// The sums below are worked out by hand: the bytes after STX through ETX.
TEST(CodeReadBack, TheReadFrameAddressesTheWordsAsTheBlocksDo) {
    const struct {
        int first, n;
        const char* body;
        const char* sum;
    } cases[] = {
        {0, 32, "E01805C40", "ED"},  // block 0
        {32, 8, "E01809C10", "EE"},  // block 1's address, 16 bytes
        {40, 7, "E0180AC0E", "0A"},  // inside block 1
    };
    for (const auto& c : cases) {
        EXPECT_EQ(text(frame::codeRead(c.first, c.n)),
                  std::string("\x02") + c.body + "\x03" + c.sum)
            << c.body;
        EXPECT_EQ(frame::codeRead(c.first, c.n).size(),
                  static_cast<size_t>(frame::kCodeReadLength));
    }
}

// The stand-in answers a read from the words the blocks stored; every single
// byte changed in its reply, and a reply one byte short or long, is refused.
TEST(CodeReadBack, AReplyIsTakenOnlyWholeAndWithItsSum) {
    plcsim::Controller plc(true);
    std::vector<uint16_t> program;
    for (int i = 0; i < 40; ++i) program.push_back(static_cast<uint16_t>(0x1000 * (i % 16) + i));
    plc.loadProgram(program);
    const frame::Bytes reply = plc.receive(frame::codeRead(3, 32));
    ASSERT_EQ(reply.size(), static_cast<size_t>(frame::codeReplyLength(32)));
    const auto words = frame::codeReplyWords(reply.data(), reply.size(), 32);
    ASSERT_TRUE(words);
    EXPECT_EQ(*words, std::vector<uint16_t>(program.begin() + 3, program.begin() + 35));

    for (size_t at = 0; at < reply.size(); ++at) {
        frame::Bytes bad = reply;
        bad[at] ^= 0x01;
        EXPECT_FALSE(frame::codeReplyWords(bad.data(), bad.size(), 32)) << "byte " << at;
    }
    EXPECT_FALSE(frame::codeReplyWords(reply.data(), reply.size() - 1, 32));
    frame::Bytes longer = reply;
    longer.push_back(frame::ACK);
    EXPECT_FALSE(frame::codeReplyWords(longer.data(), longer.size(), 32));
    EXPECT_FALSE(frame::codeReplyWords(reply.data(), reply.size(), 31));
    // A read that starts inside a word or reaches past the memory: NAK.
    frame::Bytes inside = frame::codeRead(0, 2);
    inside[7] = 'D';  // 0x1805D
    frame::applyMode2Sum(inside);
    EXPECT_EQ(plc.receive(inside), frame::Bytes{plcsim::Controller::NAK});
    EXPECT_EQ(plc.receive(frame::codeRead(kCodeWords - 1, 2)),
              frame::Bytes{plcsim::Controller::NAK});
}

frame::Bytes replyOf(const std::vector<uint16_t>& words) {
    frame::Bytes r{frame::STX};
    for (uint16_t w : words) frame::appendHex(r, w, 4);
    r.insert(r.end(), {frame::ETX, '0', '0'});
    frame::applyMode2Sum(r);
    return r;
}

template <typename T>
const T* find(const Actions& actions) {
    for (const auto& a : actions)
        if (const T* t = std::get_if<T>(&a)) return t;
    return nullptr;
}

// A protocol over a memory of `count` words, answered by hand.
struct Reader {
    explicit Reader(int count) : back(count) {
        for (int i = 0; i < count; ++i) memory.push_back(static_cast<uint16_t>(0x0F00 + i));
    }
    Actions reply(int first, int n) {
        const frame::Bytes r =
            replyOf(std::vector<uint16_t>(memory.begin() + first, memory.begin() + first + n));
        return back.step(link::Reply{r});
    }
    CodeReadBack back;
    std::vector<uint16_t> memory;
};

TEST(CodeReadBack, ReadsEveryWordABlockAtATime) {
    Reader r(40);
    Actions a = r.back.step(link::Start{});
    ASSERT_TRUE(find<link::Threshold>(a));
    EXPECT_EQ(find<link::Threshold>(a)->bytes, frame::codeReplyLength(32));
    EXPECT_EQ(find<link::Send>(a)->bytes, frame::codeRead(0, 32));
    a = r.reply(0, 32);
    EXPECT_EQ(find<link::Threshold>(a)->bytes, frame::codeReplyLength(8));
    EXPECT_EQ(find<link::Send>(a)->bytes, frame::codeRead(32, 8));
    a = r.reply(32, 8);
    ASSERT_TRUE(find<link::Finish>(a));
    EXPECT_EQ(find<link::Finish>(a)->ending, link::Ending::Uploaded);
    EXPECT_EQ(r.back.words(), r.memory);
}

// A read sent again settles its answer for the time a whole reply needs, and
// the whole program is then read a second time: words that come back other
// than the first time end it as ReadsDiffer, the same words as Uploaded.
TEST(CodeReadBack, ARetryMeansASettledAnswerAndASecondReading) {
    for (const bool changed : {false, true}) {
        Reader r(40);
        r.back.step(link::Start{});
        Actions a = r.back.step(link::RetryExpired{});
        EXPECT_EQ(find<link::Send>(a)->bytes, frame::codeRead(0, 32));
        a = r.reply(0, 32);
        ASSERT_TRUE(find<link::Settle>(a));
        EXPECT_EQ(find<link::Settle>(a)->replyBytes, frame::codeReplyLength(32));
        EXPECT_FALSE(find<link::Send>(a));
        a = r.reply(0, 32);  // handed back once settled
        EXPECT_EQ(find<link::Send>(a)->bytes, frame::codeRead(32, 8));
        a = r.reply(32, 8);
        EXPECT_EQ(r.back.state(), CodeReadBack::State::Rereading);
        EXPECT_EQ(find<link::Send>(a)->bytes, frame::codeRead(0, 32));
        r.reply(0, 32);
        if (changed) r.memory[35] ^= 0x0100;
        a = r.reply(32, 8);
        EXPECT_EQ(find<link::Finish>(a)->ending,
                  changed ? link::Ending::ReadsDiffer : link::Ending::Uploaded);
    }
}

TEST(CodeReadBack, TenFailedReadsInARowEndIt) {
    Reader r(5);
    r.back.step(link::Start{});
    const frame::Bytes nak{plcsim::Controller::NAK};
    for (int i = 1; i < link::kMaxUploadRetries; ++i) {
        const Actions a =
            (i % 2) ? r.back.step(link::Reply{nak}) : r.back.step(link::RetryExpired{});
        ASSERT_TRUE(find<link::Send>(a)) << i;
        EXPECT_EQ(find<link::Send>(a)->bytes, frame::codeRead(0, 5));
    }
    const Actions a = r.back.step(link::RetryExpired{});
    EXPECT_EQ(find<link::Finish>(a)->ending, link::Ending::RetryTimeout);
}

// A whole mode-2 download of 400 steps over the virtual 9600-baud line: the
// read-back goes out as block reads and costs under two seconds. (A word the
// controller holds wrong fails the download: HostileController tests.)
TEST(CodeReadBack, AMode2DownloadIsReadBackInBlocksUnderTwoSeconds) {
    double took[2] = {};
    for (const bool verify : {false, true}) {
        plcsim::VirtualClock clock;
        plcsim::Controller plc(true);
        plcsim::VirtualLine line(clock, plc);
        plcsim::VirtualTimer retry(clock), wait(clock);
        AppStore app;
        app.setMode2(true);
        const std::pair<const char*, const char*> rung[] = {
            {"LD", "X000"},    {"AND", "M10"}, {"OUT", "Y001"},    {"LD", "X001"},
            {"OUT", "T0 K50"}, {"LD", "T0"},   {"MOV", "K100 D10"}};
        size_t row = 0;
        for (int steps = 0; steps < 390; steps += 13)
            for (const auto& [m, p] : rung) {
                app.table->m_Instruction[row] = m;
                app.table->m_Parameter[row++] = p;
            }
        app.table->m_Instruction[row] = "END";
        test::RecordingSink sink;
        Transfer t(app, line, retry, wait, sink);
        t.download({"sim", {}, {}, {}, verify});
        ASSERT_TRUE(clock.runUntil([&] { return !t.running(); }, 3600e3));
        EXPECT_EQ(sink.texts(), std::vector<std::string>{"Download Succeed !"});
        EXPECT_EQ(t.encoder().codeCount(), 391);
        took[verify] = clock.now();
        // ENQ, status, E7, 13 blocks, E8, finish; then one read of the
        // blocks' addresses for every 32 words, nothing else.
        EXPECT_EQ(plc.counts().frames, 3 + 13 + 2 + (verify ? 13 : 0));
    }
    const double readBack = took[1] - took[0];
    EXPECT_LT(readBack, 2000.0);
    EXPECT_GT(readBack, 1630.0);  // 391 words of four digits at 9600 baud alone
}

}  // namespace
}  // namespace rs

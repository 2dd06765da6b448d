#include "tools/plcsim/controller.h"

#include <gtest/gtest.h>

#include "comm/frames.h"

namespace rs {
namespace {

using frame::Bytes;

std::string textOf(const Bytes& b) {
    return std::string(b.begin(), b.end());
}

Bytes stxFrame(const std::string& body) {
    Bytes f{frame::STX};
    for (char c : body) f.push_back(static_cast<uint8_t>(c));
    f.push_back(frame::ETX);
    f.push_back('0');
    f.push_back('0');
    frame::applyMode2Sum(f);
    return f;
}

TEST(PlcController, Mode1StoresWordWritesAndEchoesThem) {
    plcsim::Controller c(false);
    const Bytes w0 = frame::wordWrite(0, frame::regroup(0xC021));
    EXPECT_EQ(c.receive(w0), w0);
    const Bytes w1 = frame::wordWrite(1, 0xF0FF);
    // Frames split anywhere across reads are put together again.
    EXPECT_TRUE(c.receive(w1.data(), 5).empty());
    EXPECT_EQ(c.receive(w1.data() + 5, w1.size() - 5), w1);
    EXPECT_EQ(c.programWords(), (std::vector<uint16_t>{0xC021, 0xF0FF}));
    Bytes bad = frame::wordWrite(2, 0x1234);
    bad[13] = bad[13] == '0' ? '1' : '0';
    EXPECT_TRUE(c.receive(bad).empty());
    EXPECT_EQ(c.counts().rejected, 1);
    // Mode-2 frames mean nothing to a mode-1 controller.
    EXPECT_TRUE(c.receive(frame::enquiry()).empty());
}

TEST(PlcController, AnswersReadsAsTheWordsWereSent) {
    plcsim::Controller c(false);
    c.loadProgram({0xC021, 0xF0FC, 0x1388, 0xF0FF});
    EXPECT_EQ(textOf(c.receive(frame::wordRead(0))),
              "\x02"
              "C104\x03"
              "DB");
    const Bytes constant = c.receive(frame::wordRead(2));
    EXPECT_EQ(textOf(constant).substr(1, 4), "1388");  // plain after the marker
}

TEST(PlcController, Mode2HandshakeBlocksAndDevices) {
    plcsim::Controller c(true);
    EXPECT_EQ(c.receive(frame::enquiry()), Bytes{frame::ACK});
    const Bytes status = c.receive(frame::statusRead());
    ASSERT_EQ(status.size(), 8u);
    EXPECT_EQ(status[0], frame::STX);
    EXPECT_EQ(status[3], '5');
    EXPECT_EQ(c.receive(frame::forceOnE7()), Bytes{frame::ACK});
    const uint16_t words[] = {0x0024, 0x01C5, 0x0F00};
    EXPECT_EQ(c.receive(frame::blockWrite(0, words, 3)), Bytes{frame::ACK});
    EXPECT_EQ(c.receive(frame::forceOffE8()), Bytes{frame::ACK});
    EXPECT_EQ(c.receive(frame::finish()), Bytes{frame::ACK});
    EXPECT_EQ(c.programWords(), (std::vector<uint16_t>{0x0024, 0x01C5, 0x0F00}));

    Bytes bad = frame::forceOnE7();
    bad[8] = '0';
    EXPECT_EQ(c.receive(bad), Bytes{plcsim::Controller::NAK});

    // Word write of D100 (word address 0x40C8), 4 bytes; then read back.
    EXPECT_EQ(c.receive(stxFrame("E1040C804ABCD1234")), Bytes{frame::ACK});
    EXPECT_EQ(textOf(c.receive(stxFrame("E0040C804"))), textOf(stxFrame("ABCD1234")));
    // Force X17 on: bit address 0x120F, sent low byte first.
    EXPECT_EQ(c.receive(stxFrame("E70F12")), Bytes{frame::ACK});
    EXPECT_EQ(c.devices().byte(0x120F / 8), 1 << (0x120F % 8));
    EXPECT_EQ(c.receive(stxFrame("E80F12")), Bytes{frame::ACK});
    EXPECT_EQ(c.devices().byte(0x120F / 8), 0);
}

TEST(PlcController, UnfinishedFrameIsDroppedAfterAGapOnTheLine) {
    plcsim::Controller c(true);
    const Bytes lone{frame::STX};
    const Bytes enq = frame::enquiry();
    const Bytes e7 = stxFrame("E70F12");
    // Within the gap the frame goes on: the enquiry is a byte of it.
    EXPECT_TRUE(c.receive(lone.data(), lone.size(), 0).empty());
    EXPECT_TRUE(c.receive(enq.data(), enq.size(), 99).empty());
    // After the gap the unfinished frame is gone and the next one is answered.
    EXPECT_EQ(c.receive(enq.data(), enq.size(), 199), Bytes{frame::ACK});
    // A frame split across reads closer together than the gap is still whole.
    EXPECT_TRUE(c.receive(e7.data(), 3, 1000).empty());
    EXPECT_EQ(c.receive(e7.data() + 3, e7.size() - 3, 1099), Bytes{frame::ACK});
    // And one whose end comes after the gap is not answered by halves.
    EXPECT_TRUE(c.receive(e7.data(), 3, 2000).empty());
    EXPECT_TRUE(c.receive(e7.data() + 3, e7.size() - 3, 2100).empty());
    EXPECT_EQ(c.receive(enq.data(), enq.size(), 2101), Bytes{frame::ACK});
}

TEST(PlcController, FaultsDropCorruptAndFallSilent) {
    plcsim::FaultPlan silent;
    silent.silentAfter = 2;
    plcsim::Controller quiet(true, silent);
    for (int i = 0; i < 5; ++i) quiet.receive(frame::enquiry());
    EXPECT_EQ(quiet.counts().answered, 2);
    EXPECT_EQ(quiet.counts().frames, 5);

    plcsim::FaultPlan lossy;
    lossy.drop = 0.5;
    lossy.corrupt = 0.5;
    lossy.seed = 7;
    plcsim::Controller noisy(true, lossy);
    int acks = 0;
    for (int i = 0; i < 400; ++i) acks += noisy.receive(frame::enquiry()) == Bytes{frame::ACK};
    EXPECT_GT(noisy.counts().dropped, 100);
    EXPECT_GT(noisy.counts().corrupted, 50);
    EXPECT_EQ(acks, noisy.counts().answered - noisy.counts().corrupted);
}

}  // namespace
}  // namespace rs

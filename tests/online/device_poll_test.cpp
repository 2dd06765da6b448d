// The poll of a live display against the controller stand-in over an
// in-memory line: the stand-in's answers are delivered when the test says,
// as the event loop would deliver them, and timers are fired by hand.
#include "online/device_poll.h"

#include <gtest/gtest.h>

#include <random>

#include "comm/comm_messages.h"
#include "comm/fake_link.h"
#include "core/device/device_address.h"
#include "online/ladder_spans.h"
#include "sim/ladder_flow.h"
#include "sim/ladder_values.h"
#include "tests/support/recording_sink.h"
#include "tools/plcsim/controller.h"

namespace rs::online {
namespace {

using device::AccessKind;
using device::deviceAddress;

struct Rig {
    Rig() {
        link.onWrite = [this](const std::vector<uint8_t>& bytes) {
            auto reply = plc.receive(bytes);
            if (answer) pending.insert(pending.end(), reply.begin(), reply.end());
        };
        poll.onRound = [this] { ++rounds; };
        poll.onNote = [this](DevicePoll::Note n) { notes.push_back(n); };
        poll.onHistory = [this](const HistoryEntry& e) {
            history.push_back(e.device + "|" + e.condition);
        };
    }
    // Hands the stand-in's answers to the poll, as many times as asked.
    void deliver(int times = 1) {
        for (int i = 0; i < times && !pending.empty(); ++i) {
            std::vector<uint8_t> bytes;
            bytes.swap(pending);
            link.deliver(bytes);
        }
    }
    plcsim::Controller plc{true};
    FakeSerialLink link;
    ManualTimer timer;
    test::RecordingSink sink;
    DevicePoll poll{link, timer};
    std::vector<uint8_t> pending;
    bool answer = true;
    int rounds = 0;
    std::vector<DevicePoll::Note> notes;
    std::vector<std::string> history;
};

TEST(DevicePoll, ReadsThePlanInTurnIntoTheImage) {
    Rig r;
    const uint32_t d0 = *deviceAddress("D0", AccessKind::Word);
    r.plc.devices().setWord(d0, 1234);
    r.plc.devices().setWord(d0 + 16, 77);
    r.plc.devices().setBit(*deviceAddress("Y001", AccessKind::Bit), true);
    r.poll.setReads({{d0, 2}, {d0 + 16, 2}, {384, 1}});
    ASSERT_TRUE(r.poll.start("/dev/plc", {}, r.sink));
    r.deliver(3);
    EXPECT_EQ(r.rounds, 1);
    EXPECT_EQ(r.poll.image().word(d0), 1234);
    EXPECT_EQ(r.poll.image().word(d0 + 16), 77);
    EXPECT_TRUE(r.poll.image().bit(*deviceAddress("Y001", AccessKind::Bit)));
    // The rounds go on at once: the read in flight was answered before the
    // change, the round after it sees the change.
    r.plc.devices().setWord(d0, 4321);
    r.deliver(3);
    EXPECT_EQ(r.rounds, 2);
    EXPECT_EQ(r.poll.image().word(d0), 1234);
    r.deliver(3);
    EXPECT_EQ(r.rounds, 3);
    EXPECT_EQ(r.poll.image().word(d0), 4321);
    EXPECT_EQ(r.link.written.size(), 10u);  // nine answered, the tenth in flight
    EXPECT_TRUE(r.notes.empty());
    r.poll.stop();
    EXPECT_FALSE(r.link.isOpen());
}

TEST(DevicePoll, ForcesAndWritesGoOutBetweenReadsWithAHistoryLine) {
    Rig r;
    r.poll.setReads({{576, 1}});
    ASSERT_TRUE(r.poll.start("/dev/plc", {}, r.sink));
    const uint32_t x0 = *deviceAddress("X000", AccessKind::Bit);
    const uint32_t d5 = *deviceAddress("D5", AccessKind::Word);
    EXPECT_TRUE(r.poll.force("X000", x0, true));
    EXPECT_TRUE(r.poll.writeWord("D5", d5, static_cast<uint16_t>(-2)));
    EXPECT_EQ(r.link.written.size(), 1u);  // waits for the read in flight
    r.deliver(4);
    EXPECT_TRUE(r.plc.devices().bit(x0));
    EXPECT_EQ(r.plc.devices().word(d5), 0xFFFE);
    EXPECT_EQ(r.history, (std::vector<std::string>{"X000|Force on", "D5| WORD WRITE"}));
    EXPECT_TRUE(r.poll.image().bit(x0));  // the read after the force sees it
    EXPECT_EQ(r.rounds, 2);
}

TEST(DevicePoll, QueuesABoundedNumberOfRequests) {
    Rig r;
    r.poll.setReads({{576, 1}});
    EXPECT_FALSE(r.poll.force("X000", 4608, true));  // not polling
    ASSERT_TRUE(r.poll.start("/dev/plc", {}, r.sink));
    for (int i = 0; i < kMaxQueuedRequests; ++i) EXPECT_TRUE(r.poll.force("X000", 4608, true));
    EXPECT_FALSE(r.poll.force("X000", 4608, true));
}

TEST(DevicePoll, ASilentControllerIsNotedOnceAndPolledOn) {
    Rig r;
    r.poll.setReads({{576, 1}, {600, 2}});
    ASSERT_TRUE(r.poll.start("/dev/plc", {}, r.sink));
    r.answer = false;
    r.deliver();  // the first read's answer was sent before the silence
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(r.timer.fire());
    EXPECT_EQ(r.notes, std::vector<DevicePoll::Note>{DevicePoll::Note::NoAnswer});
    EXPECT_EQ(r.timer.interval(), DevicePoll::kRetryMs);
    EXPECT_EQ(r.link.written.size(), 7u);  // the same read again at every expiry
    EXPECT_EQ(r.link.written[6], r.link.written[1]);
    // The controller answers again: noted, and the answer is taken only
    // after the settling period, in which a second answer is dropped.
    r.answer = true;
    EXPECT_TRUE(r.timer.fire());
    const std::vector<uint8_t> late = r.pending;
    r.deliver();
    EXPECT_EQ(r.notes.back(), DevicePoll::Note::Answering);
    EXPECT_EQ(r.rounds, 1);
    EXPECT_GT(r.timer.interval(), DevicePoll::kRetryMs);
    r.link.deliver(late);  // a second answer to the same read: dropped
    EXPECT_EQ(r.link.written.size(), 8u);
    EXPECT_TRUE(r.timer.fire());  // settled: the next read goes out
    EXPECT_EQ(r.link.written.size(), 9u);
    EXPECT_TRUE(r.sink.shown.empty());
}

TEST(DevicePoll, ABadReplyIsReadAgainAndAForceWithoutAnswerSaysSo) {
    Rig r;
    const uint32_t d0 = *deviceAddress("D0", AccessKind::Word);
    r.plc.devices().setWord(d0, 99);
    r.poll.setReads({{d0, 2}});
    ASSERT_TRUE(r.poll.start("/dev/plc", {}, r.sink));
    ASSERT_FALSE(r.pending.empty());
    r.pending[2] ^= 1;  // a digit garbled: the sum does not match
    r.deliver();
    EXPECT_EQ(r.rounds, 0);
    EXPECT_EQ(r.poll.image().word(d0), 0);
    EXPECT_TRUE(r.timer.fire());
    r.deliver();
    EXPECT_EQ(r.poll.image().word(d0), 99);

    r.answer = false;
    r.pending.clear();
    r.timer.fire();  // settled
    EXPECT_TRUE(r.poll.force("Y000", 3072, true));
    r.timer.fire();  // the read in flight is lost: the force goes out next
    for (int i = 0; i < DevicePoll::kRequestTries; ++i) r.timer.fire();
    EXPECT_EQ(r.history, std::vector<std::string>{"Y000|no answer"});
}

TEST(DevicePoll, AVanishedPortStopsPolling) {
    Rig r;
    r.poll.setReads({{576, 1}});
    ASSERT_TRUE(r.poll.start("/dev/plc", {}, r.sink));
    r.link.failPort("The port hung up");
    EXPECT_FALSE(r.poll.polling());
    EXPECT_EQ(r.notes, std::vector<DevicePoll::Note>{DevicePoll::Note::Interrupted});
    EXPECT_EQ(r.poll.portError(), "The port hung up");
    EXPECT_FALSE(r.timer.active());
    r.link.unavailable.push_back("/dev/none");
    EXPECT_FALSE(r.poll.start("/dev/none", {}, r.sink));
    EXPECT_EQ(r.sink.shown.size(), 1u);
}

// A ladder drawn from the polled image shows what it shows when drawn from
// the controller's whole image: the planned reads miss nothing it reads.
TEST(DevicePoll, TheLadderFromThePolledImageIsTheControllersLadder) {
    const char* bits[] = {"X000", "X001", "X017", "Y000", "Y005", "M0",   "M100", "M8000",
                          "T0",   "T3",   "C0",   "C5",   "S10",  "X020", "M255"};
    const char* words[] = {"T0", "T3", "C0", "C201", "D0", "D100", "D8000"};
    std::mt19937 random(2026);
    for (int trial = 0; trial < 30; ++trial) {
        LadderGrid g;
        for (int row = 0; row < 12; ++row) {
            const int contacts = 1 + static_cast<int>(random() % 4);
            for (int c = 1; c <= contacts; ++c)
                g.setCell(row, c, random() % 2 ? OpenContact : CloseContact, bits[random() % 15],
                          LinkSymbol);
            for (int c = contacts + 1; c <= 9; ++c) g.setCell(row, c, HorizontalLine, "", LinkWire);
            const std::string out =
                random() % 2 ? std::string("MOV ") + words[random() % 7] + " " + words[random() % 7]
                             : std::string("Y00") + char('0' + row % 8);
            g.setCell(row, 10, out[0] == 'M' ? AppInstruction : Coil, out, LinkSymbol);
        }
        g.m_nDrawnLastRow = 11;
        Rig r;
        for (uint32_t a = 0; a < device::kDeviceMemoryBytes; ++a)
            r.plc.devices().setByte(a, static_cast<uint8_t>(random()));
        const auto spans = ladderSpans(g, 3, 8);
        r.poll.setReads(planReads(spans));
        ASSERT_TRUE(r.poll.start("/dev/plc", {}, r.sink));
        r.deliver(static_cast<int>(r.poll.reads().size()));
        ASSERT_EQ(r.rounds, 1);

        device::DeviceMemory polled = r.poll.image();
        sim::Engine fromController(r.plc.devices()), fromPoll(polled);
        sim::LadderFlow a, b;
        a.prepare(g);
        b.prepare(g);
        a.update(g, fromController);
        b.update(g, fromPoll);
        for (int row = 3; row <= 8; ++row)
            for (int c = 0; c < kGridCols; ++c) {
                const auto fa = a.cell(row, c), fb = b.cell(row, c);
                EXPECT_EQ(fa.closed, fb.closed) << trial << " " << row << "," << c;
                EXPECT_EQ(fa.energized, fb.energized) << trial << " " << row << "," << c;
                for (const auto& w : sim::shownWordDevices(g, row, c))
                    EXPECT_EQ(sim::deviceValueText(fromController, w),
                              sim::deviceValueText(fromPoll, w));
            }
    }
}

}  // namespace
}  // namespace rs::online

// The link protocols' step functions alone: each row of the mode-2 table, the
// settling of a reply to a request sent twice, and the opening of a port for
// a request.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comm/code_read_back.h"
#include "comm/fake_link.h"
#include "comm/mode2_download.h"
#include "comm/port_opening.h"
#include "comm/program_upload.h"
#include "comm/settle_period.h"
#include "tests/support/recording_sink.h"

namespace rs::link {
namespace {

using Phase = Mode2Download::Phase;

// An action as a short text: "send E7", "wait 15", "finish", ...
std::string describe(const Action& a) {
    if (const auto* s = std::get_if<Send>(&a)) {
        const frame::Bytes& b = s->bytes;
        if (b.size() == 1) return "send ENQ";
        if (b[0] == ':') return "send read " + std::string(b.begin() + 7, b.begin() + 11);
        if (b[1] == 'B') return "send finish";
        if (b[1] == '0') return "send status";
        if (b[2] == '1') return "send block " + std::string(b.begin() + 3, b.begin() + 8);
        return "send " + std::string(b.begin() + 1, b.begin() + 3);
    }
    if (std::holds_alternative<RestartRetry>(a)) return "restart";
    if (const auto* t = std::get_if<Threshold>(&a)) return "threshold " + std::to_string(t->bytes);
    if (const auto* w = std::get_if<Wait>(&a))
        return "wait " + std::to_string(w->ms) + (w->then == AfterWait::Resend ? " resend" : "");
    if (std::holds_alternative<Settle>(a)) return "settle";
    if (const auto* p = std::get_if<Progress>(&a)) return "progress " + std::to_string(p->value);
    if (const auto* f = std::get_if<Finish>(&a))
        return "finish " + std::to_string(static_cast<int>(f->ending));
    if (const auto* w = std::get_if<WordRead>(&a)) return "word " + std::to_string(w->word);
    return "other";
}

std::vector<std::string> describe(const Actions& actions) {
    std::vector<std::string> out;
    for (const Action& a : actions) out.push_back(describe(a));
    return out;
}

const std::vector<uint8_t> kAck = {frame::ACK};
const std::vector<uint8_t> kNak = {0x15};
const std::vector<uint8_t> kTwoAcks = {frame::ACK, frame::ACK};
const std::vector<uint8_t> kStatus = {frame::STX, '0', '0', '5', '0', frame::ETX, '9', '8'};

Event ack() {
    return Reply{kAck};
}
Event status() {
    return Reply{kStatus};
}
Event nak() {
    return Reply{kNak};
}
std::string finishOf(Ending e) {
    return "finish " + std::to_string(static_cast<int>(e));
}

// 40 words: two blocks, the second of 8 words.
Mode2Download twoBlocks() {
    return Mode2Download(std::vector<uint16_t>(40, 0x0F24), 39);
}

struct Row {
    const char* name;
    std::vector<Event> before;  // after Start
    Event event;
    Phase phase;
    std::vector<std::string> actions;
};

TEST(Mode2Steps, EveryRowOfTheTable) {
    const std::vector<Row> rows = {
        {"enquiry answered", {}, ack(), Phase::Linking, {"threshold 8", "send status"}},
        {"status reply", {ack()}, status(), Phase::Sending, {"send E7", "threshold 1"}},
        {"E7 answered",
         {ack(), status()},
         ack(),
         Phase::Sending,
         {"progress 0", "send block 1805C", "wait 15"}},
        {"last block",
         {ack(), status(), ack()},
         ack(),
         Phase::Sending,
         {"progress 32", "send block 1809C", "wait 15"}},
        {"last block answered",
         {ack(), status(), ack(), ack()},
         ack(),
         Phase::Releasing,
         {"send E8"}},
        {"E8 answered",
         {ack(), status(), ack(), ack(), ack()},
         ack(),
         Phase::Finishing,
         {"send finish"}},
        {"finish answered",
         {ack(), status(), ack(), ack(), ack(), ack()},
         ack(),
         Phase::Done,
         {"progress 40", finishOf(Ending::Succeeded)}},
        {"finish lost: E8 again",
         {ack(), status(), ack(), ack(), ack(), ack()},
         RetryExpired{},
         Phase::Releasing,
         {"send E8"}},
        {"status while E8 in flight: a bad reply",
         {ack(), status(), ack(), ack(), ack()},
         status(),
         Phase::Releasing,
         {"wait 100 resend"}},
        {"ACK to the status read: a bad reply",
         {ack()},
         ack(),
         Phase::Linking,
         {"wait 100 resend"}},
        {"status reply to a block: a bad reply",
         {ack(), status(), ack(), ack()},
         status(),
         Phase::Sending,
         {"wait 100 resend"}},
        {"the block again, not E7",
         {ack(), status(), ack(), ack(), status()},
         WaitOver{AfterWait::Resend},
         Phase::Sending,
         {"send block 1809C"}},
        {"two ACKs read together: a bad reply",
         {ack(), status()},
         Reply{kTwoAcks},
         Phase::Sending,
         {"wait 100 resend"}},
        {"block lost: the same block",
         {ack(), status(), ack()},
         RetryExpired{},
         Phase::Sending,
         {"send block 1805C"}},
        {"bad reply", {ack()}, nak(), Phase::Linking, {"wait 100 resend"}},
        {"bad reply, resend",
         {ack(), nak()},
         WaitOver{AfterWait::Resend},
         Phase::Linking,
         {"send status"}},
        {"third bad reply",
         {ack(), nak(), nak()},
         nak(),
         Phase::Done,
         {finishOf(Ending::PacketError)}},
        {"a good reply between", {nak(), nak(), ack()}, nak(), Phase::Linking, {"wait 100 resend"}},
        {"answer to a frame sent twice", {RetryExpired{}}, ack(), Phase::Linking, {"settle"}},
        {"the same answer settled",
         {RetryExpired{}, ack()},
         ack(),
         Phase::Linking,
         {"threshold 8", "send status"}},
        {"cancel before E7", {ack()}, Cancel{true}, Phase::Done, {finishOf(Ending::Cancelled)}},
        {"cancel after E7",
         {ack(), status()},
         Cancel{true},
         Phase::Cancelling,
         {"threshold 1", "send E8"}},
        {"the owed ACK", {ack(), status(), Cancel{true}}, ack(), Phase::Cancelling, {"restart"}},
        {"both ACKs at once",
         {ack(), status(), Cancel{true}},
         Reply{kTwoAcks},
         Phase::Done,
         {finishOf(Ending::Cancelled)}},
        {"E8 unanswered",
         {ack(), status(), Cancel{false}, RetryExpired{}},
         RetryExpired{},
         Phase::Cancelling,
         {"send E8"}},
        {"E8 unanswered thrice",
         {ack(), status(), Cancel{false}, RetryExpired{}, RetryExpired{}},
         RetryExpired{},
         Phase::Done,
         {finishOf(Ending::Cancelled)}},
    };
    for (const Row& row : rows) {
        Mode2Download d = twoBlocks();
        d.step(Start{});
        for (const Event& e : row.before) d.step(e);
        EXPECT_EQ(describe(d.step(row.event)), row.actions) << row.name;
        EXPECT_EQ(d.phase(), row.phase) << row.name;
    }
}

TEST(Mode2Steps, TheTimerEndsAsTimeoutBeforeAnyAnswerAndAsInterruptionAfter) {
    for (const bool answered : {false, true}) {
        Mode2Download d = twoBlocks();
        d.step(Start{});
        if (answered) d.step(ack());
        for (int i = 0; i < kMaxTimerTicks; ++i) ASSERT_EQ(d.step(RetryExpired{}).size(), 1u);
        EXPECT_EQ(describe(d.step(RetryExpired{})),
                  std::vector<std::string>{
                      finishOf(answered ? Ending::Interrupted : Ending::NoConnection)});
        EXPECT_TRUE(d.step(ack()).empty());  // nothing after the end
    }
}

frame::Bytes uploadReply(const char* digits) {
    frame::Bytes r{frame::STX};
    for (int i = 0; i < 4; ++i) r.push_back(static_cast<uint8_t>(digits[i]));
    for (uint8_t b : {frame::ETX, uint8_t{'0'}, uint8_t{'0'}}) r.push_back(b);
    frame::applyMode2Sum(r);
    return r;
}

TEST(UploadSteps, AfterARetryTheProgramIsReadTwiceAndMustComeBackTheSame) {
    const frame::Bytes ld = uploadReply("0F24");
    const frame::Bytes end = uploadReply("0F00");
    const frame::Bytes other = uploadReply("0F25");
    for (const bool same : {true, false}) {
        ProgramUpload u(true);
        EXPECT_EQ(describe(u.step(Start{})),
                  (std::vector<std::string>{"threshold 8", "send read 9800"}));
        u.step(RetryExpired{});  // word 0 asked for again
        EXPECT_EQ(describe(u.step(Reply{ld})), std::vector<std::string>{"settle"});
        EXPECT_EQ(describe(u.step(Reply{ld})),
                  (std::vector<std::string>{"word 3876", "progress 1", "send read 9900"}));
        // END, the mode-2 END read as END, starts the second reading at word 0.
        EXPECT_EQ(describe(u.step(Reply{end})),
                  (std::vector<std::string>{"word 61695", "send read 9800"}));
        EXPECT_EQ(u.state(), ProgramUpload::State::Rereading);
        if (!same) {
            EXPECT_EQ(describe(u.step(Reply{other})),
                      std::vector<std::string>{finishOf(Ending::ReadsDiffer)});
            continue;
        }
        EXPECT_EQ(describe(u.step(Reply{ld})), std::vector<std::string>{"send read 9900"});
        EXPECT_EQ(describe(u.step(Reply{end})),
                  std::vector<std::string>{finishOf(Ending::Uploaded)});
        EXPECT_EQ(u.digits(), (std::vector<uint16_t>{0x0F24, 0x0F00}));
    }
}

TEST(UploadSteps, WithoutARetryOneReadingIsEnough) {
    ProgramUpload u(false);
    u.step(Start{});
    EXPECT_EQ(describe(u.step(Reply{uploadReply("F0FF")})),
              (std::vector<std::string>{"word 61695", finishOf(Ending::Uploaded)}));
}

TEST(SettlePeriod, LongerThanTheRetryGapPlusAReplyOnTheLine) {
    EXPECT_EQ(settlePeriodMs({9600, 'E', 7, 1}), 300 + 9 + 10);  // 8 bytes of 10 bits
    EXPECT_EQ(settlePeriodMs({19200, 'N', 8, 1}), 300 + 5 + 10);
    EXPECT_EQ(settlePeriodMs({1200, 'O', 8, 2}), 300 + 80 + 10);        // 12 bits a byte
    EXPECT_EQ(settlePeriodMs({9600, 'E', 7, 1}, 132), 300 + 138 + 10);  // a read-back reply
}

// A reply that came after n sends may answer the first: the last send's
// answer can be as much later as the sends were apart. The settle each
// protocol asks for counts the sends of the request in flight.
TEST(SettlePeriod, CoversTheSpanOfEverySendOfTheRequest) {
    EXPECT_EQ(resendSpanMs(1), 0);
    EXPECT_EQ(resendSpanMs(2), 400);
    EXPECT_EQ(resendSpanMs(4), 1200);
    const auto settleOf = [](const Actions& actions) {
        for (const Action& a : actions)
            if (const auto* s = std::get_if<Settle>(&a)) return s->sends;
        return 0;
    };
    for (const int sends : {2, 3, 5}) {
        ProgramUpload u(false);
        u.step(Start{});
        for (int i = 1; i < sends; ++i) u.step(RetryExpired{});
        EXPECT_EQ(settleOf(u.step(Reply{uploadReply("0000")})), sends);
        Mode2Download d({0x0F00}, 0);
        d.step(Start{});
        for (int i = 1; i < sends; ++i) d.step(RetryExpired{});
        EXPECT_EQ(settleOf(d.step(ack())), sends);
        CodeReadBack r(1);
        r.step(Start{});
        for (int i = 1; i < sends; ++i) r.step(RetryExpired{});
        frame::Bytes reply{frame::STX, '0', 'F', '0', '0', frame::ETX, '0', '0'};
        frame::applyMode2Sum(reply);
        EXPECT_EQ(settleOf(r.step(Reply{reply})), sends);
    }
}

}  // namespace
}  // namespace rs::link

namespace rs {
namespace {

TEST(PortOpening, ReopensDiscardingInputOrKeepsAnUnchangedPort) {
    FakeSerialLink link;
    test::RecordingSink sink;
    ASSERT_TRUE(reopenPort(link, "ttyS0", {}, sink));
    link.setReceiveThreshold(8);
    link.deliver("left over");
    ASSERT_TRUE(reopenPort(link, "ttyS0", {}, sink, ReopenRule::UnlessUnchanged));
    EXPECT_EQ(link.opens(), 1);
    EXPECT_EQ(link.threshold(), 8);
    ASSERT_TRUE(reopenPort(link, "ttyS0", {}, sink));
    EXPECT_EQ(link.opens(), 2);
    EXPECT_EQ(link.threshold(), 1);
    EXPECT_EQ(link.bytesWaiting(), 0u);
    ASSERT_TRUE(reopenPort(link, "ttyS0", {19200, 'E', 7, 1}, sink, ReopenRule::UnlessUnchanged));
    EXPECT_EQ(link.opens(), 3);
    EXPECT_TRUE(sink.shown.empty());

    link.unavailable = {"ttyS1"};
    EXPECT_FALSE(reopenPort(link, "ttyS1", {}, sink));
    EXPECT_FALSE(link.isOpen());
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].text, "cannot open serial port");
    EXPECT_EQ(sink.shown[0].caption, "Error occur");
}

}  // namespace
}  // namespace rs

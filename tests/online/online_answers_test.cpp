// The device test and the batch monitor when the controller is silent, when
// the port vanishes, and with devices and values outside what a frame may
// carry: against the controller stand-in over an in-memory line.
#include <gtest/gtest.h>

#include "comm/comm_messages.h"
#include "comm/fake_link.h"
#include "core/device/device_address.h"
#include "online/batch_monitor.h"
#include "online/device_test.h"
#include "online/online_messages.h"
#include "online/request_fields.h"
#include "tests/support/recording_sink.h"
#include "tests/support/test_session.h"
#include "tools/plcsim/controller.h"

namespace rs::online {
namespace {

using device::AccessKind;
using device::deviceAddress;

// One stand-in, and a line each for the device test and the monitor (one
// link serves one session).
struct Rig {
    explicit Rig(bool mode2 = true) : plc(mode2) {
        for (FakeSerialLink* line : {&link, &monitorLink})
            line->onWrite = [this, line](const std::vector<uint8_t>& bytes) {
                const auto reply = plc.receive(bytes);
                if (answer && !reply.empty()) line->deliver(reply);
            };
        test.setPort("/dev/plc", {});
        test.onHistory = [this](const HistoryEntry& e) {
            history.push_back(e.device + "|" + e.condition);
        };
        monitor.setPort("/dev/plc", {});
    }
    uint16_t word(const char* device, AccessKind kind = AccessKind::Word) {
        return plc.devices().word(*deviceAddress(device, kind));
    }
    plcsim::Controller plc;
    FakeSerialLink link;
    FakeSerialLink monitorLink;
    test::RecordingSink sink;
    bool answer = true;
    RangeFile ranges{test::shippedRangeFile()};
    ManualTimer reply, wait, retry;
    DeviceTest test{link, sink, reply, rangeCheck(ranges)};
    BatchMonitor monitor{monitorLink, sink, wait, retry, rangeCheck(ranges)};
    std::vector<std::string> history;
};

constexpr std::array<uint32_t, kWordCount> kWords = {77, 78, 79, 80, 81, 82, 83, 84};

TEST(DeviceTestAnswers, AForceWithNoReplyIsLoggedAsNoAnswer) {
    Rig r(false);  // a mode-1 controller answers no device frame
    ASSERT_TRUE(r.test.force("Y000", true));
    EXPECT_EQ(r.reply.interval(), DeviceTest::kReplyWaitMs);
    EXPECT_TRUE(r.history.empty());
    ASSERT_TRUE(r.reply.fire());
    EXPECT_EQ(r.history, std::vector<std::string>{"Y000|no answer"});
    EXPECT_EQ(r.sink.texts(), std::vector<std::string>{msg::kNeedsModeTwo});
    // Said once; a late ACK to the request given up adds nothing.
    ASSERT_TRUE(r.test.writeWords("D0", 2, kWords, 0));
    ASSERT_TRUE(r.reply.fire());
    r.link.deliver(std::vector<uint8_t>{0x06});
    EXPECT_EQ(r.history.back(), "D0|no answer");
    EXPECT_EQ(r.history.size(), 2u);
    EXPECT_EQ(r.sink.shown.size(), 1u);
}

TEST(DeviceTestAnswers, AnAnsweredRequestStopsTheWaitAndAVanishedPortIsSaid) {
    Rig r;
    ASSERT_TRUE(r.test.force("M5", true));
    EXPECT_FALSE(r.reply.active());
    EXPECT_EQ(r.history, std::vector<std::string>{"M5|Force on"});
    r.answer = false;
    ASSERT_TRUE(r.test.force("M5", false));
    r.link.failPort("gone");
    EXPECT_EQ(r.history.back(), "M5|no answer");
    EXPECT_FALSE(r.reply.active());
    EXPECT_FALSE(r.link.isOpen());
    EXPECT_EQ(r.sink.texts(), std::vector<std::string>{msg::kInterruption});
}

TEST(DeviceTestAnswers, DevicesPastTheirRangeReachNothing) {
    struct Case {
        const char* device;
        int bytes;
        int choice;
    };
    // D8256 is T0's current value, C999 lies among the inputs, M9999 among
    // the step relays; D99999 would be read as D9999, "D" and "D 10" as D0.
    const Case refused[] = {{"D8256", 2, 0}, {"C999", 2, 0}, {"M9999", 2, 0}, {"D99999", 2, 0},
                            {"D", 2, 0},     {"D 10", 2, 0}, {"D8255", 4, 0}, {"D127", 4, 0},
                            {"D100", 2, 1},  {"T200", 2, 1}, {"Y8", 2, 0},    {"S0", 2, 0}};
    for (const auto& c : refused) {
        Rig r;
        EXPECT_FALSE(r.test.writeWords(c.device, c.bytes, kWords, c.choice)) << c.device;
        EXPECT_FALSE(r.test.readWords(c.device, c.bytes, c.choice)) << c.device;
        EXPECT_FALSE(r.test.force(c.device, true)) << c.device;
        EXPECT_TRUE(r.link.written.empty()) << c.device;
        EXPECT_EQ(r.sink.texts(), std::vector<std::string>(3, msg::kWrongDevice)) << c.device;
        EXPECT_EQ(r.word("T0", AccessKind::Loop), 0);
    }
    Rig r;
    EXPECT_FALSE(r.test.force("D10", true));  // no bit to force
    EXPECT_TRUE(r.test.writeWords("D8255", 2, kWords, 0));
    EXPECT_TRUE(r.test.writeWords("T127", 2, kWords, 1));
    EXPECT_TRUE(r.test.force("M8000", true));
    EXPECT_EQ(r.word("D8255"), 77);
    EXPECT_EQ(r.word("T127", AccessKind::Loop), 77);
    EXPECT_EQ(r.word("T0", AccessKind::Loop), 0);
}

TEST(DeviceTestAnswers, WordValuesAndByteCountsAreCheckedAsTyped) {
    struct Value {
        const char* text;
        std::optional<uint16_t> word;
    };
    const Value values[] = {{"0", 0},       {"65535", 0xFFFF}, {"-1", 0xFFFF}, {"-32768", 0x8000},
                            {" 12 ", 12},   {"", 0},           {"65536", {}},  {"70000", {}},
                            {"-32769", {}}, {"1e3", {}},       {"+5", {}},     {"0x10", {}},
                            {"12a", {}},    {"--1", {}}};
    for (const auto& v : values) EXPECT_EQ(parseWordValue(v.text), v.word) << v.text;
    struct Count {
        const char* text;
        int count;
        ByteCountProblem problem;
    };
    const Count counts[] = {
        {"", 0, ByteCountProblem::Missing},    {"0", 0, ByteCountProblem::Missing},
        {"abc", 0, ByteCountProblem::Missing}, {"-2", 0, ByteCountProblem::Missing},
        {"1", 1, ByteCountProblem::None},      {"16", 16, ByteCountProblem::None},
        {"17", 0, ByteCountProblem::TooLong},  {"999", 0, ByteCountProblem::TooLong}};
    for (const auto& c : counts) {
        const ByteCount got = parseByteCount(c.text);
        EXPECT_EQ(got.count, c.count) << c.text;
        EXPECT_EQ(got.problem, c.problem) << c.text;
    }
    EXPECT_STREQ(byteCountMessage(ByteCountProblem::Missing), msg::kLengthMissing);
    EXPECT_STREQ(byteCountMessage(ByteCountProblem::TooLong), msg::kLengthTooLong);
    EXPECT_EQ(byteCountMessage(ByteCountProblem::None), nullptr);

    // A value no word holds is refused whole; a negative one travels as its
    // two's complement and reads back so.
    Rig r;
    std::array<uint32_t, kWordCount> words{1234, 70000};
    EXPECT_FALSE(r.test.writeWords("D100", 4, words, 0));
    EXPECT_EQ(r.sink.texts(), std::vector<std::string>{msg::kValueOutOfRange});
    EXPECT_TRUE(r.test.writeWords("D100", 2, words, 0));  // only the first word travels
    words[1] = *parseWordValue("-2");
    EXPECT_TRUE(r.test.writeWords("D100", 4, words, 0));
    EXPECT_EQ(r.word("D101"), 0xFFFE);
    EXPECT_FALSE(r.test.readWords("D100", 0, 0));
    EXPECT_EQ(r.sink.texts().back(), msg::kLengthMissing);
}

TEST(BatchMonitorAnswers, SilenceShowsAsStaleAndAModeOneControllerIsNamed) {
    Rig r(false);
    ASSERT_TRUE(r.monitor.start("D0"));
    EXPECT_TRUE(r.monitor.table().stale);  // nothing read yet
    EXPECT_EQ(r.monitor.status(), "");
    for (int i = 1; i < BatchMonitor::kStaleRequests; ++i) ASSERT_TRUE(r.retry.fire());
    EXPECT_EQ(r.monitor.status(), "");
    ASSERT_TRUE(r.retry.fire());
    EXPECT_EQ(r.monitor.status(), msg::kNoAnswer);
    EXPECT_TRUE(r.sink.shown.empty());
    ASSERT_TRUE(r.retry.fire());
    EXPECT_EQ(r.sink.texts(), std::vector<std::string>{msg::kNeedsModeTwo});
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(r.retry.fire());
    EXPECT_EQ(r.sink.shown.size(), 1u);  // once a start
    EXPECT_TRUE(r.monitor.polling());    // and it keeps asking
}

TEST(BatchMonitorAnswers, ValuesTurnStaleWhenTheControllerFallsSilentAndFreshAgain) {
    Rig r;
    r.plc.devices().setWord(*deviceAddress("D0", AccessKind::Word), 42);
    ASSERT_TRUE(r.monitor.start("D0"));
    ASSERT_TRUE(r.wait.fire());
    EXPECT_FALSE(r.monitor.table().stale);
    EXPECT_EQ(r.monitor.table().lines[0][2], "42");
    r.answer = false;
    ASSERT_TRUE(r.wait.fire());  // the reply already on its way
    for (int i = 0; i < BatchMonitor::kStaleRequests; ++i) ASSERT_TRUE(r.retry.fire());
    EXPECT_TRUE(r.monitor.table().stale);
    EXPECT_EQ(r.monitor.status(), msg::kNoAnswer);
    EXPECT_EQ(r.monitor.table().lines[0][2], "42");  // the last values, greyed
    EXPECT_TRUE(r.sink.shown.empty());               // it answered before: no mode to blame
    r.answer = true;
    ASSERT_TRUE(r.retry.fire());
    ASSERT_TRUE(r.wait.fire());
    EXPECT_FALSE(r.monitor.table().stale);
    EXPECT_EQ(r.monitor.status(), "");
}

TEST(BatchMonitorAnswers, AVanishedPortEndsTheMonitor) {
    Rig r;
    ASSERT_TRUE(r.monitor.start("Y0"));
    ASSERT_TRUE(r.wait.fire());
    r.monitorLink.failPort("gone");
    EXPECT_FALSE(r.monitor.polling());
    EXPECT_FALSE(r.retry.active());
    EXPECT_FALSE(r.wait.active());
    EXPECT_TRUE(r.monitor.table().stale);
    EXPECT_EQ(r.monitor.status(), msg::kInterruption);
    EXPECT_EQ(r.sink.texts(), std::vector<std::string>{msg::kInterruption});
}

TEST(BatchMonitorAnswers, RefusesDevicesPastTheirRangeAndShowsTimerValues) {
    for (const char* device : {"C999", "M9999", "D8256", "D99999", "D", "D 10", "T200", "S0"}) {
        Rig r;
        EXPECT_FALSE(r.monitor.start(device)) << device;
        EXPECT_EQ(r.sink.texts(), std::vector<std::string>{msg::kWrongDevice}) << device;
        EXPECT_TRUE(r.monitorLink.written.empty()) << device;
        EXPECT_TRUE(r.monitor.table().lines.empty()) << device;
    }
    Rig r;
    r.plc.devices().setWord(*deviceAddress("T1", AccessKind::Loop), 77);
    r.plc.devices().setBit(*deviceAddress("T1", AccessKind::Bit), true);
    ASSERT_TRUE(r.monitor.start("T0"));
    ASSERT_TRUE(r.wait.fire());
    EXPECT_EQ(r.monitor.table().lines[0][1].back(), '0');  // contacts: T1 is bit 1
    r.monitor.setLayout(MonitorLayout::Word);
    EXPECT_TRUE(r.monitor.table().stale);  // the values are read elsewhere
    ASSERT_TRUE(r.wait.fire());
    ASSERT_TRUE(r.wait.fire());
    const MonitorTable t = r.monitor.table();
    EXPECT_FALSE(t.stale);
    EXPECT_EQ(t.lines[0][0], "T0");
    EXPECT_EQ(t.lines[0][2], "77");
    EXPECT_EQ(t.lines.back()[0], "T8");
}

}  // namespace
}  // namespace rs::online

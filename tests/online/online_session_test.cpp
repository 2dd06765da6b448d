// The device test and the batch monitor against the controller stand-in over
// an in-memory line, with timers fired by hand.
#include <gtest/gtest.h>

#include "comm/fake_link.h"
#include "core/device/device_address.h"
#include "online/batch_monitor.h"
#include "online/device_test.h"
#include "online/online_messages.h"
#include "tests/support/recording_sink.h"
#include "tools/plcsim/controller.h"

namespace rs::online {
namespace {

using device::AccessKind;
using device::deviceAddress;
using device::DeviceMemory;
using device::kDeviceMemoryBytes;

struct Line {
    Line() {
        link.onWrite = [this](const std::vector<uint8_t>& bytes) {
            const auto reply = plc.receive(bytes);
            if (answer && !reply.empty()) link.deliver(reply);
        };
    }
    plcsim::Controller plc{true};
    FakeSerialLink link;
    test::RecordingSink sink;
    bool answer = true;
};

constexpr std::array<uint32_t, kWordCount> kWords = {1234, 5678, 3, 4, 5, 6, 7, 8};

// Every device the address rule places in its letter's area; the range
// file's own check is tried in online_reach_test.cpp.
const DeviceCheck kAnyDevice = [](std::string_view) { return true; };

struct DeviceTestRig : Line {
    DeviceTestRig() {
        test.setPort("/dev/plc", {});
        test.onHistory = [this](const HistoryEntry& e) {
            history.push_back(e.device + "|" + e.condition);
        };
    }
    ManualTimer reply;
    DeviceTest test{link, sink, reply, kAnyDevice};
    std::vector<std::string> history;
};

TEST(DeviceTestSession, ForcesWritesAndReadsBack) {
    DeviceTestRig r;
    EXPECT_TRUE(r.test.force("Y0", true));
    EXPECT_TRUE(r.plc.devices().bit(3072));
    EXPECT_TRUE(r.test.force("Y0", false));
    EXPECT_FALSE(r.plc.devices().bit(3072));
    EXPECT_TRUE(r.test.writeWords("D100", 4, kWords, 0));
    EXPECT_EQ(r.plc.devices().word(*deviceAddress("D100", AccessKind::Word)), 1234);
    EXPECT_TRUE(r.test.readWords("D100", 4, 0));
    // The timer/counter choice reads a current value.
    r.plc.devices().setWord(*deviceAddress("C200", AccessKind::Loop), 77);
    EXPECT_TRUE(r.test.readWords("C200", 2, 1));
    EXPECT_EQ(r.history, (std::vector<std::string>{
                             "Y0|Force on", "Y0|Force off", "D100| WORD WRITE",
                             "D100|WORD READ 04D2H=1234 162EH=5678", "C200|WORD READ 004DH=77"}));
    EXPECT_TRUE(r.sink.shown.empty());
    EXPECT_EQ(r.link.opens(), 5);  // every request opens the port
}

TEST(DeviceTestSession, SendsNothingForAWrongDeviceOrByteCount) {
    DeviceTestRig r;
    EXPECT_FALSE(r.test.force("Z0", true));
    EXPECT_FALSE(r.test.force("", true));
    EXPECT_FALSE(r.test.writeWords("x100", 2, kWords, 0));
    EXPECT_FALSE(r.test.writeWords("D100", 17, kWords, 0));
    EXPECT_FALSE(r.test.readWords("D100", -1, 0));
    EXPECT_TRUE(r.link.written.empty());
    ASSERT_EQ(r.sink.shown.size(), 5u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(r.sink.shown[i].text, msg::kWrongDevice);
        EXPECT_EQ(r.sink.shown[i].caption, "Error");
        EXPECT_EQ(r.sink.shown[i].icon, MessageIcon::Critical);
    }
    // A byte count is not blamed on the device.
    EXPECT_EQ(r.sink.shown[3].text, msg::kLengthTooLong);
    EXPECT_EQ(r.sink.shown[4].text, msg::kLengthMissing);
    EXPECT_EQ(r.sink.shown[4].caption, "CV-Rungsmith");
    EXPECT_TRUE(r.test.force("X17", true));  // a later valid request goes out
    EXPECT_EQ(r.link.written.size(), 1u);
}

TEST(DeviceTestSession, LogsWhatTheReplySays) {
    DeviceTestRig r;
    r.answer = false;
    // A read reply in pieces is put together before it is read.
    EXPECT_TRUE(r.test.readWords("D0", 2, 0));
    const auto reply = r.plc.receive(r.link.written.back());
    r.link.deliver(std::vector<uint8_t>(reply.begin(), reply.begin() + 3));
    EXPECT_TRUE(r.history.empty());
    r.link.deliver(std::vector<uint8_t>(reply.begin() + 3, reply.end()));
    EXPECT_EQ(r.history.back(), "D0|WORD READ 0000H=0");
    // No reply: nothing is logged; a reply that is not ACK is an error.
    EXPECT_TRUE(r.test.force("M5", true));
    EXPECT_EQ(r.history.size(), 1u);
    r.link.deliver(std::vector<uint8_t>{0x15});
    EXPECT_EQ(r.history.back(), "M5|MissionErr");
    // More than the buffer holds is cut to the buffer.
    EXPECT_TRUE(r.test.force("M6", true));
    r.link.deliver(std::vector<uint8_t>(5000, 0x06));
    EXPECT_EQ(r.history.back(), "M6|Force on");
    EXPECT_TRUE(r.test.readWords("D0", 16, 0));
    std::vector<uint8_t> flood{0x02};
    flood.resize(5000, '0');
    r.link.deliver(flood);
    EXPECT_EQ(r.history.back(), "D0|MissionErr");
    // Bytes nobody asked for add nothing.
    r.link.deliver(std::vector<uint8_t>{0x06});
    EXPECT_EQ(r.history.size(), 4u);
}

struct MonitorRig : Line {
    MonitorRig() {
        monitor.setPort("/dev/plc", {});
        monitor.onTableChanged = [this] { ++rebuilds; };
    }
    ManualTimer wait;
    ManualTimer retry;
    BatchMonitor monitor{link, sink, wait, retry, kAnyDevice};
    int rebuilds = 0;
};

TEST(BatchMonitorSession, PollsAndShowsTheDevices) {
    MonitorRig r;
    r.plc.devices().setBit(3072, true);  // Y0
    ASSERT_TRUE(r.monitor.start("Y0"));
    EXPECT_TRUE(r.wait.active());
    EXPECT_EQ(r.wait.interval(), BatchMonitor::kReadWaitMs);
    EXPECT_FALSE(r.retry.active());  // the reply stopped it
    ASSERT_TRUE(r.wait.fire());
    EXPECT_EQ(r.monitor.view().data[0], 0x01);
    EXPECT_EQ(r.monitor.table().lines[0][0], "Y0");
    EXPECT_EQ(r.link.written.size(), 2u);  // the next request is out
    const int rebuilt = r.rebuilds;
    ASSERT_TRUE(r.wait.fire());  // an equal reply changes nothing
    EXPECT_EQ(r.rebuilds, rebuilt);
    r.plc.devices().setBit(3073, true);
    ASSERT_TRUE(r.wait.fire());  // the reply already on its way
    ASSERT_TRUE(r.wait.fire());
    EXPECT_EQ(r.monitor.view().data[0], 0x03);
    EXPECT_EQ(r.rebuilds, rebuilt + 1);
    // The layout buttons rebuild at once from the data kept.
    r.monitor.setLayout(MonitorLayout::Word);
    EXPECT_EQ(r.monitor.table().lines[0][1], "3");
    r.monitor.stop();
    EXPECT_FALSE(r.wait.active());
    EXPECT_FALSE(r.retry.active());
    EXPECT_FALSE(r.link.isOpen());
}

TEST(BatchMonitorSession, AsksAgainWhenNoWholeReplyCame) {
    MonitorRig r;
    r.answer = false;
    ASSERT_TRUE(r.monitor.start("D100"));
    EXPECT_EQ(r.link.written.size(), 1u);
    EXPECT_EQ(r.retry.interval(), BatchMonitor::kRetryMs);
    ASSERT_TRUE(r.retry.fire());  // no reply in 300 ms
    EXPECT_EQ(r.link.written.size(), 2u);
    // A reply shorter than 68 bytes is passed over; the next request goes out.
    auto reply = r.plc.receive(r.link.written.back());
    reply.resize(67);
    r.link.deliver(reply);
    ASSERT_TRUE(r.wait.fire());
    EXPECT_EQ(r.link.written.size(), 3u);
    EXPECT_EQ(r.rebuilds, 1);  // the start only
    // A whole reply with a wrong sum keeps the data.
    r.plc.devices().setWord(*deviceAddress("D100", AccessKind::Word), 1234);
    reply = r.plc.receive(r.link.written.back());
    reply[66] = reply[66] == '0' ? '1' : '0';
    r.link.deliver(reply);
    ASSERT_TRUE(r.wait.fire());
    EXPECT_EQ(r.monitor.view().data[0], 0);
    r.link.deliver(r.plc.receive(r.link.written.back()));
    ASSERT_TRUE(r.wait.fire());
    EXPECT_EQ(r.monitor.table().lines[0][2], "1234");
    // A flood is read to the buffer's size only.
    r.link.deliver(std::vector<uint8_t>(5000, 0x02));
    ASSERT_TRUE(r.wait.fire());
    EXPECT_EQ(r.monitor.table().lines[0][2], "1234");
}

TEST(BatchMonitorSession, SendsNothingForADeviceItCannotRead) {
    MonitorRig r;
    EXPECT_FALSE(r.monitor.start("X8"));
    EXPECT_EQ(r.sink.texts(), std::vector<std::string>{msg::kDeviceIncorrect});
    EXPECT_EQ(r.sink.shown[0].caption, "CV-Rungsmith");
    EXPECT_FALSE(r.monitor.start("K0"));
    EXPECT_EQ(r.sink.shown.back().text, msg::kWrongDevice);
    EXPECT_TRUE(r.link.written.empty());
    EXPECT_FALSE(r.retry.active());
    EXPECT_TRUE(r.monitor.table().lines.empty());
    // Starting again at another device shows its first reply even when the
    // bytes equal the last ones.
    ASSERT_TRUE(r.monitor.start("D0"));
    ASSERT_TRUE(r.wait.fire());
    const int rebuilt = r.rebuilds;
    ASSERT_TRUE(r.monitor.start("D1"));
    ASSERT_TRUE(r.wait.fire());
    EXPECT_GT(r.rebuilds, rebuilt + 1);
    EXPECT_EQ(r.monitor.table().lines[0][0], "D1");
}

}  // namespace
}  // namespace rs::online

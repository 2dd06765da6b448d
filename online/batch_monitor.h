#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "comm/serial_link.h"
#include "core/limits.h"
#include "core/message_sink.h"
#include "online/device_reach.h"
#include "online/monitor_text.h"

namespace rs::online {

// The batch monitor without its window. "Start monitor" reads 32 bytes from
// the starting device's word (a timer's or counter's current value in the
// "Word" layout) and keeps polling: each reply is read 80 ms after its first
// byte arrived, then the next request goes out; when no reply came 300 ms
// after a request, the request is sent again. Polling ends with stop() (the
// dialog closing), a start that sends nothing, or a port that fails.
//
// Values not confirmed by the controller are stale: before the first whole
// reply, and once kStaleRequests requests in a row went unanswered; the
// status then says "No answer from the controller". Only the words of the
// read that belong to the device's letter and pass the range check are
// shown.
class BatchMonitor {
  public:
    static constexpr int kReadWaitMs = 80;
    static constexpr int kRetryMs = 300;
    static constexpr int kStaleRequests = 3;     // unanswered requests that make values stale
    static constexpr int kModeHintRequests = 4;  // unanswered since the start: say why

    // waitTimer runs the 80 ms wait, retryTimer the 300 ms one; accepts is
    // the device range check.
    BatchMonitor(SerialLink& link, MessageSink& sink, Timer& waitTimer, Timer& retryTimer,
                 DeviceCheck accepts);
    ~BatchMonitor();
    BatchMonitor(const BatchMonitor&) = delete;
    BatchMonitor& operator=(const BatchMonitor&) = delete;

    void setPort(std::string port, const SerialSettings& settings);

    // "Start monitor" with the device text: false when nothing was sent (a
    // letter the address rule does not know, an X or Y number with 8 or 9, a
    // device the range check refuses, a port that does not open).
    bool start(std::string_view deviceText);
    void stop();
    bool polling() const { return m_polling; }

    void setLayout(MonitorLayout layout);
    void setDisplay(MonitorDisplay display);
    void setRadix(MonitorRadix radix);

    const MonitorView& view() const { return m_view; }
    // The status line: empty while the values are fresh.
    const std::string& status() const { return m_status; }
    MonitorTable table() const { return monitorTable(m_view); }
    long requestsSent() const { return m_requests; }

    // Called whenever the table is to be shown again.
    std::function<void()> onTableChanged;

  private:
    void sendRequest();
    void onReceive();
    void onWaitOver();
    void onRetry();
    void onPortFailed();
    void changed();
    // Where the layout reads and which of its words are shown.
    void plan();
    void setStale(bool stale, const char* status);

    SerialLink& m_link;
    MessageSink& m_sink;
    Timer& m_wait;
    Timer& m_retry;
    DeviceCheck m_accepts;
    std::string m_port;
    std::string m_status;
    int m_unanswered = 0;     // requests since the last whole reply
    int m_skipReplies = 0;    // replies still due to requests for another address
    bool m_answered = false;  // a whole reply came since the start
    bool m_modeHintShown = false;
    SerialSettings m_settings;
    MonitorView m_view;
    std::string m_lastText;
    bool m_deviceChanged = false;
    bool m_polling = false;
    uint32_t m_address = 0;
    std::array<uint8_t, kSerialBufferSize> m_rx{};
    std::vector<uint8_t> m_lastReply;  // the last reply taken, to skip equal ones
    long m_requests = 0;
};

}  // namespace rs::online

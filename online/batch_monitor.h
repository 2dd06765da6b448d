#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "comm/serial_link.h"
#include "core/limits.h"
#include "core/message_sink.h"
#include "online/monitor_text.h"

namespace rs::online {

// The batch monitor without its window. "Start monitor" reads 32 bytes from
// the starting device's word and keeps polling: each reply is read 80 ms
// after its first byte arrived, then the next request goes out; when no reply
// came 300 ms after a request, the request is sent again. Polling ends with
// stop() (the dialog closing) or a start that sends nothing.
class BatchMonitor {
  public:
    static constexpr int kReadWaitMs = 80;
    static constexpr int kRetryMs = 300;

    // waitTimer runs the 80 ms wait, retryTimer the 300 ms one.
    BatchMonitor(SerialLink& link, MessageSink& sink, Timer& waitTimer, Timer& retryTimer);
    ~BatchMonitor();
    BatchMonitor(const BatchMonitor&) = delete;
    BatchMonitor& operator=(const BatchMonitor&) = delete;

    void setPort(std::string port, const SerialSettings& settings);

    // "Start monitor" with the device text: false when nothing was sent (a
    // letter the address rule does not know, an X or Y number with 8 or 9, a
    // port that does not open).
    bool start(std::string_view deviceText);
    void stop();
    bool polling() const { return m_polling; }

    void setLayout(MonitorLayout layout);
    void setDisplay(MonitorDisplay display);
    void setRadix(MonitorRadix radix);

    const MonitorView& view() const { return m_view; }
    MonitorTable table() const { return monitorTable(m_view); }
    long requestsSent() const { return m_requests; }

    // Called whenever the table is to be shown again.
    std::function<void()> onTableChanged;

  private:
    void sendRequest();
    void onReceive();
    void onWaitOver();
    void onRetry();
    void changed();

    SerialLink& m_link;
    MessageSink& m_sink;
    Timer& m_wait;
    Timer& m_retry;
    std::string m_port;
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

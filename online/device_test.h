#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "comm/serial_link.h"
#include "core/limits.h"
#include "core/message_sink.h"
#include "online/device_exchange.h"
#include "online/device_frames.h"

namespace rs::online {

// One line of the execution history: the device and what was done to it.
struct HistoryEntry {
    std::string device;
    std::string condition;
};

// The device test without its window: each request opens the port, builds
// one frame and sends it; the reply adds one history entry. A device letter
// outside the address rule, or a byte count the eight words cannot fill,
// shows "Please Inter the right Device" and sends nothing.
class DeviceTest {
  public:
    DeviceTest(SerialLink& link, MessageSink& sink);
    ~DeviceTest();
    DeviceTest(const DeviceTest&) = delete;
    DeviceTest& operator=(const DeviceTest&) = delete;

    // The port and line settings every request opens.
    void setPort(std::string port, const SerialSettings& settings);

    // Each returns whether a frame was sent.
    bool force(std::string_view device, bool on);
    // A non-zero timer/counter choice addresses a timer's or counter's
    // current value (the loop address) instead of the device's word.
    bool writeWords(std::string_view device, int byteCount,
                    std::span<const uint32_t, kWordCount> words, int timerCounterChoice);
    bool readWords(std::string_view device, int byteCount, int timerCounterChoice);

    // The link's receive callback. ACK adds the request's entry, a read reply
    // adds the words read (once all its bytes are in), anything else
    // "MissionErr".
    void onReceive();

    std::function<void(const HistoryEntry&)> onHistory;

  private:
    std::optional<uint32_t> addressOf(std::string_view device, int byteCount, int choice);
    bool send(const DeviceFrame& frame, std::string_view device, const char* description,
              int readCount);

    SerialLink& m_link;
    MessageSink& m_sink;
    std::string m_port;
    SerialSettings m_settings;
    DeviceExchange m_exchange;
    std::string m_lastDevice;
};

}  // namespace rs::online

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
#include "online/device_reach.h"

namespace rs::online {

// One line of the execution history: the device and what was done to it.
struct HistoryEntry {
    std::string device;
    std::string condition;
};

// The device test without its window: each request opens the port, builds
// one frame and sends it; the reply adds one history entry, and so does a
// reply that does not come within kReplyWaitMs ("no answer"). A device the
// check refuses, or one whose bytes would reach devices of another letter,
// shows "Please Inter the right Device" and sends nothing; so do a byte count
// outside 1 to 16 and a value no word holds, each with its own message.
class DeviceTest {
  public:
    static constexpr int kReplyWaitMs = 500;

    // replyTimer runs the wait for each reply; accepts is the device range
    // check every device must pass.
    DeviceTest(SerialLink& link, MessageSink& sink, Timer& replyTimer, DeviceCheck accepts);
    ~DeviceTest();
    DeviceTest(const DeviceTest&) = delete;
    DeviceTest& operator=(const DeviceTest&) = delete;

    // The port and line settings every request opens.
    void setPort(std::string port, const SerialSettings& settings);

    // Each returns whether a frame was sent.
    bool force(std::string_view device, bool on);
    // A non-zero timer/counter choice addresses a timer's or counter's
    // current value (the loop address) instead of the device's word. Each
    // word holds 0 to 65535 (a negative value typed is its two's complement).
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
    void onNoReply();
    void onPortFailed();
    void history(std::string condition);
    void wrongDevice();

    SerialLink& m_link;
    MessageSink& m_sink;
    Timer& m_replyTimer;
    DeviceCheck m_accepts;
    bool m_answered = false;  // the controller answered a request of this session
    bool m_modeHintShown = false;
    std::string m_port;
    SerialSettings m_settings;
    DeviceExchange m_exchange;
    std::string m_lastDevice;
};

}  // namespace rs::online

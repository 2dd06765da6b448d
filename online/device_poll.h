#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "comm/serial_link.h"
#include "core/device/device_memory.h"
#include "core/limits.h"
#include "core/message_sink.h"
#include "online/device_exchange.h"
#include "online/device_test.h"
#include "online/poll_plan.h"

namespace rs::online {

// Polls the controller's devices for a live display: the reads of a plan go
// out one after the other, each as soon as the one before was answered, and
// every answer is copied into a device image at the address it was read
// from, so whatever draws from the image shows the controller's values.
// Forces and word writes wait for the read in flight and go out before the
// next read; their ACK gives a history entry as the device test's does.
//
// A request without an answer within kRetryMs goes out again: the first
// silence is reported once (Note::NoAnswer) and polling goes on until the
// controller answers again (Note::Answering). A good answer to a request
// that went out more than once is taken, then input is dropped for a
// settling period, so that a second answer to the same request is never
// taken for the next one's. A port that fails for good stops polling
// (Note::Interrupted, the reason in portError()).
class DevicePoll {
  public:
    static constexpr int kRetryMs = 300;
    // Tries of a force or word write before its history says "no answer".
    static constexpr int kRequestTries = 3;

    enum class Note { NoAnswer, Answering, Interrupted };

    DevicePoll(SerialLink& link, Timer& timer);
    ~DevicePoll();
    DevicePoll(const DevicePoll&) = delete;
    DevicePoll& operator=(const DevicePoll&) = delete;

    // Opens the port ("cannot open serial port" to the sink when it does
    // not) and starts polling.
    bool start(const std::string& port, const SerialSettings& settings, MessageSink& sink);
    void stop();
    bool polling() const { return m_polling; }

    // The reads of one round; a new plan is taken from its first read on.
    void setReads(std::vector<DeviceRead> reads);
    const std::vector<DeviceRead>& reads() const { return m_reads; }

    // Queues a force ("E7"/"E8") of the bit at bitAddress, or a word write of
    // one word at byte address `address`; `device` names it in the history.
    // False when kMaxQueuedRequests wait already or polling is off.
    bool force(const std::string& device, uint32_t bitAddress, bool on);
    bool writeWord(const std::string& device, uint32_t address, uint16_t value);

    const device::DeviceMemory& image() const { return m_image; }
    long rounds() const { return m_rounds; }
    bool silent() const { return m_silent; }
    const std::string& portError() const { return m_portError; }

    // Every read of the plan was answered once more.
    std::function<void()> onRound;
    std::function<void(Note)> onNote;
    std::function<void(const HistoryEntry&)> onHistory;

  private:
    struct Request {
        DeviceFrame frame;
        std::string device;
        const char* description;
    };
    enum class Phase { Idle, Reading, Requesting, Settling };

    void pump();
    void sendRead();
    void sendRequest();
    void send(const DeviceFrame& frame);
    void onReceive();
    void onTimer();
    void answered();
    void takeRead();
    void takeAck(std::span<const uint8_t> in);
    void onPortError(const std::string& reason);
    int settleMs() const;

    SerialLink& m_link;
    Timer& m_timer;
    SerialSettings m_settings;
    bool m_polling = false;
    Phase m_phase = Phase::Idle;
    std::vector<DeviceRead> m_reads;
    bool m_readsChanged = false;
    size_t m_next = 0;        // the read in flight or next
    DeviceRead m_inFlight{};  // what the read in flight asked for
    std::deque<Request> m_requests;
    DeviceExchange m_exchange;
    int m_sends = 0;         // requests sent since the last answer was taken
    int m_requestSends = 0;  // how often the force or write in flight went out
    bool m_silent = false;
    long m_rounds = 0;
    std::string m_portError;
    std::array<uint8_t, kSerialBufferSize> m_rx{};
    size_t m_rxSize = 0;
    device::DeviceMemory m_image;
};

}  // namespace rs::online

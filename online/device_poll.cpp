#include "online/device_poll.h"

#include <algorithm>

#include "comm/frames.h"
#include "comm/port_opening.h"
#include "online/online_messages.h"

namespace rs::online {

namespace {

constexpr int kSettleMarginMs = 10;  // beyond the line time: scheduling, a slow reader
constexpr const char* kNoAnswer = "no answer";

}  // namespace

DevicePoll::DevicePoll(SerialLink& link, Timer& timer) : m_link(link), m_timer(timer) {
    m_link.setReceiveCallback([this] { onReceive(); });
    m_link.setErrorCallback([this](const std::string& reason) { onPortError(reason); });
    m_timer.setCallback([this] { onTimer(); });
}

DevicePoll::~DevicePoll() {
    stop();
    m_link.setReceiveCallback(nullptr);
    m_link.setErrorCallback(nullptr);
    m_timer.setCallback(nullptr);
}

bool DevicePoll::start(const std::string& port, const SerialSettings& settings, MessageSink& sink) {
    stop();
    if (!reopenPort(m_link, port, settings, sink)) return false;
    m_settings = settings;
    m_polling = true;
    m_silent = false;
    m_portError.clear();
    m_next = 0;
    pump();
    return true;
}

void DevicePoll::stop() {
    m_polling = false;
    m_phase = Phase::Idle;
    m_timer.stop();
    m_requests.clear();
    if (m_link.isOpen()) m_link.close();
}

void DevicePoll::setReads(std::vector<DeviceRead> reads) {
    if (reads == m_reads) return;
    m_reads = std::move(reads);
    m_readsChanged = true;
    if (m_phase == Phase::Idle) pump();
}

bool DevicePoll::force(const std::string& device, uint32_t bitAddress, bool on) {
    if (!m_polling || m_requests.size() >= size_t{kMaxQueuedRequests}) return false;
    m_requests.push_back({forceFrame(bitAddress, on), device, on ? msg::kForceOn : msg::kForceOff});
    if (m_phase == Phase::Idle) pump();
    return true;
}

bool DevicePoll::writeWord(const std::string& device, uint32_t address, uint16_t value) {
    if (!m_polling || m_requests.size() >= size_t{kMaxQueuedRequests}) return false;
    const std::array<uint32_t, kWordCount> words{value};
    m_requests.push_back({*wordWriteFrame(address, 2, words), device, msg::kWordWrite});
    if (m_phase == Phase::Idle) pump();
    return true;
}

// The next request: a waiting force or write first, then the plan's next read.
void DevicePoll::pump() {
    if (!m_polling) return;
    if (!m_requests.empty()) return sendRequest();
    if (m_readsChanged) {
        m_readsChanged = false;
        m_next = 0;
    }
    if (m_reads.empty()) {
        m_phase = Phase::Idle;
        return;
    }
    if (m_next >= m_reads.size()) m_next = 0;
    sendRead();
}

void DevicePoll::sendRead() {
    m_phase = Phase::Reading;
    m_inFlight = m_reads[m_next];
    send(*wordReadFrame(m_inFlight.address, m_inFlight.length));
}

void DevicePoll::sendRequest() {
    if (m_phase != Phase::Requesting) m_requestSends = 0;
    m_phase = Phase::Requesting;
    ++m_requestSends;
    m_exchange.step(DeviceExchange::Request{m_requests.front().description, -1});
    send(m_requests.front().frame);
}

void DevicePoll::send(const DeviceFrame& frame) {
    m_rxSize = 0;
    (void)m_link.readAll();  // what is left from before answers nothing
    ++m_sends;
    m_timer.stop();
    m_timer.start(kRetryMs);
    m_link.write(frame.toVector());
}

void DevicePoll::onReceive() {
    if (!m_polling || m_link.bytesWaiting() == 0) return;
    const std::vector<uint8_t> in = m_link.readAll();
    if (m_phase == Phase::Settling || m_phase == Phase::Idle) return;  // dropped
    if (m_phase == Phase::Requesting) return takeAck(in);
    const size_t n = std::min(in.size(), m_rx.size() - m_rxSize);
    std::copy_n(in.begin(), n, m_rx.begin() + static_cast<long>(m_rxSize));
    m_rxSize += n;
    takeRead();
}

void DevicePoll::takeRead() {
    const DeviceRead r = m_inFlight;
    const size_t whole = 4 + 2 * static_cast<size_t>(r.length);
    if (m_rxSize < whole && m_rx[0] == frame::STX) return;  // more to come
    const auto data = readReplyData({m_rx.data(), m_rxSize}, r.length);
    m_rxSize = 0;
    if (!data) return;  // a bad reply: the retry timer sends the read again
    m_image.write(r.address, *data);
    // A plan changed while this read was on its way starts from its first read.
    if (!m_readsChanged && ++m_next >= m_reads.size()) {
        m_next = 0;
        ++m_rounds;
        if (onRound) onRound();
    }
    answered();
}

void DevicePoll::takeAck(std::span<const uint8_t> in) {
    const auto condition = m_exchange.step(DeviceExchange::Bytes{in});
    if (!condition || *condition == msg::kMissionError) return;  // the timer retries
    const Request done = m_requests.front();
    m_requests.pop_front();
    m_phase = Phase::Idle;
    if (onHistory) onHistory({done.device, *condition});
    answered();
}

// The request in flight was answered: the next goes out at once, or after the
// settling period when this one went out more than once.
void DevicePoll::answered() {
    m_timer.stop();
    if (m_silent) {
        m_silent = false;
        if (onNote) onNote(Note::Answering);
    }
    if (!m_polling) return;
    const bool resent = m_sends > 1;
    m_sends = 0;
    if (resent) {
        m_phase = Phase::Settling;
        m_timer.start(settleMs());
        return;
    }
    pump();
}

void DevicePoll::onTimer() {
    if (!m_polling) return;
    if (m_phase == Phase::Settling) return pump();
    if (!m_silent) {
        m_silent = true;
        if (onNote) onNote(Note::NoAnswer);
    }
    if (m_phase == Phase::Requesting && m_requestSends >= kRequestTries) {
        const Request lost = m_requests.front();
        m_requests.pop_front();
        m_phase = Phase::Idle;
        if (onHistory) onHistory({lost.device, kNoAnswer});
    }
    // The same request again, unless a force or write waits: it goes first.
    pump();
}

void DevicePoll::onPortError(const std::string& reason) {
    if (!m_polling) return;
    m_portError = reason;
    stop();
    if (onNote) onNote(Note::Interrupted);
}

// The retry period plus the line time of the longest reply a request can
// have (a read of 16 bytes), so no second answer is still on its way.
int DevicePoll::settleMs() const {
    const int bitsPerChar =
        1 + m_settings.dataBits + (m_settings.parity == 'N' ? 0 : 1) + m_settings.stopBits;
    const int baud = std::max(1, m_settings.baud);
    const int replyBytes = 4 + 2 * kMaxWordBytes;
    return kRetryMs + (replyBytes * bitsPerChar * 1000 + baud - 1) / baud + kSettleMarginMs;
}

}  // namespace rs::online

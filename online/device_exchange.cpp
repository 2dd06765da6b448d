#include "online/device_exchange.h"

#include <algorithm>

#include "comm/frames.h"
#include "online/device_frames.h"
#include "online/online_messages.h"

namespace rs::online {

std::optional<std::string> DeviceExchange::step(const Event& event) {
    if (const auto* request = std::get_if<Request>(&event)) {
        m_description = request->description;
        m_readCount = request->readCount;
        m_state = m_readCount >= 0 ? State::AwaitingRead : State::AwaitingAck;
        m_rxSize = 0;
        return std::nullopt;
    }
    const auto in = std::get<Bytes>(event).bytes;
    // A read reply may come in pieces: its bytes gather after those already
    // in; anything else is read from byte 0. Never past the buffer.
    if (m_rxSize == 0 || m_rx[0] != frame::STX) m_rxSize = 0;
    const size_t n = std::min(in.size(), m_rx.size() - m_rxSize);
    std::copy_n(in.begin(), n, m_rx.begin() + static_cast<std::ptrdiff_t>(m_rxSize));
    m_rxSize += n;
    if (m_state == State::Idle || m_rxSize == 0) return std::nullopt;

    if (m_rx[0] == frame::ACK) return answered(m_description);
    if (m_rx[0] == frame::STX && m_state == State::AwaitingRead) {
        const size_t whole = 4 + 2 * static_cast<size_t>(m_readCount);
        if (m_rxSize < whole) return std::nullopt;  // the rest is on its way
        const auto data = readReplyData({m_rx.data(), m_rxSize}, m_readCount);
        return answered(data ? readDescription(*data) : msg::kMissionError);
    }
    return answered(msg::kMissionError);
}

std::optional<std::string> DeviceExchange::answered(std::string condition) {
    m_state = State::Idle;
    m_rxSize = 0;
    return condition;
}

}  // namespace rs::online

#include "online/device_test.h"

#include <algorithm>

#include "comm/comm_messages.h"
#include "comm/frames.h"
#include "core/device/device_address.h"
#include "core/messages.h"
#include "online/online_messages.h"

namespace rs::online {

DeviceTest::DeviceTest(SerialLink& link, MessageSink& sink) : m_link(link), m_sink(sink) {
    m_link.setReceiveCallback([this] { onReceive(); });
}

DeviceTest::~DeviceTest() {
    m_link.setReceiveCallback(nullptr);
}

void DeviceTest::setPort(std::string port, const SerialSettings& settings) {
    m_port = std::move(port);
    m_settings = settings;
}

bool DeviceTest::openPort() {
    m_rx.fill(0);
    m_rxSize = 0;
    if (m_link.isOpen()) m_link.close();
    if (!m_link.open(m_port, m_settings)) {
        m_sink.inform(msg::kCannotOpenPort, msg::kErrorCaption, MessageIcon::Warning);
        return false;
    }
    m_link.setReceiveThreshold(1);
    m_link.readAll();  // input left from an earlier request
    return true;
}

std::optional<uint32_t> DeviceTest::addressOf(std::string_view device, int byteCount, int choice) {
    const auto address = device::deviceAddress(
        device, choice != 0 ? device::AccessKind::Loop : device::AccessKind::Word);
    if (!address || byteCount < 0 || byteCount > kMaxWordBytes) {
        m_sink.inform(msg::kWrongDevice, msg::kWrongDeviceCaption, MessageIcon::Critical);
        return std::nullopt;
    }
    return address;
}

bool DeviceTest::send(const DeviceFrame& frame, std::string_view device, const char* description,
                      int readCount) {
    if (!openPort()) return false;
    m_lastDevice = std::string(device);
    m_lastDescription = description;
    m_readCount = readCount;
    m_outstanding = true;
    m_link.write(frame.toVector());
    return true;
}

bool DeviceTest::force(std::string_view device, bool on) {
    const auto address = device::deviceAddress(device, device::AccessKind::Bit);
    if (!address) {
        m_sink.inform(msg::kWrongDevice, msg::kWrongDeviceCaption, MessageIcon::Critical);
        return false;
    }
    return send(forceFrame(*address, on), device, on ? msg::kForceOn : msg::kForceOff, -1);
}

bool DeviceTest::writeWords(std::string_view device, int byteCount,
                            std::span<const uint32_t, kWordCount> words, int choice) {
    const auto address = addressOf(device, byteCount, choice);
    if (!address) return false;
    return send(*wordWriteFrame(*address, byteCount, words), device, msg::kWordWrite, -1);
}

bool DeviceTest::readWords(std::string_view device, int byteCount, int choice) {
    const auto address = addressOf(device, byteCount, choice);
    if (!address) return false;
    return send(*wordReadFrame(*address, byteCount), device, msg::kWordRead, byteCount);
}

void DeviceTest::onReceive() {
    if (m_link.bytesWaiting() == 0) return;
    const std::vector<uint8_t> in = m_link.readAll();
    // A read reply may come in pieces: its bytes gather after those already
    // in; anything else is read from byte 0. Never past the buffer.
    if (m_rxSize == 0 || m_rx[0] != frame::STX) m_rxSize = 0;
    const size_t n = std::min(in.size(), m_rx.size() - m_rxSize);
    std::copy_n(in.begin(), n, m_rx.begin() + static_cast<std::ptrdiff_t>(m_rxSize));
    m_rxSize += n;
    if (!m_outstanding || m_rxSize == 0) return;

    if (m_rx[0] == frame::ACK) return finish(m_lastDescription);
    if (m_rx[0] == frame::STX && m_readCount >= 0) {
        const size_t whole = 4 + 2 * static_cast<size_t>(m_readCount);
        if (m_rxSize < whole) return;  // the rest is on its way
        const auto data = readReplyData({m_rx.data(), m_rxSize}, m_readCount);
        return finish(data ? readDescription(*data) : msg::kMissionError);
    }
    finish(msg::kMissionError);
}

void DeviceTest::finish(std::string condition) {
    m_outstanding = false;
    m_rx.fill(0);
    m_rxSize = 0;
    if (onHistory) onHistory({m_lastDevice, std::move(condition)});
}

}  // namespace rs::online

#include "online/device_test.h"

#include <algorithm>

#include "comm/comm_messages.h"
#include "comm/frames.h"
#include "comm/port_opening.h"
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
    if (!reopenPort(m_link, m_port, m_settings, m_sink)) return false;
    m_lastDevice = std::string(device);
    m_exchange.step(DeviceExchange::Request{description, readCount});
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
    if (auto condition = m_exchange.step(DeviceExchange::Bytes{in}))
        if (onHistory) onHistory({m_lastDevice, std::move(*condition)});
}

}  // namespace rs::online

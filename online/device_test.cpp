#include "online/device_test.h"

#include <algorithm>

#include "comm/comm_messages.h"
#include "comm/frames.h"
#include "comm/port_opening.h"
#include "core/device/device_address.h"
#include "core/messages.h"
#include "online/online_messages.h"
#include "online/request_fields.h"

namespace rs::online {

DeviceTest::DeviceTest(SerialLink& link, MessageSink& sink, Timer& replyTimer, DeviceCheck accepts)
    : m_link(link), m_sink(sink), m_replyTimer(replyTimer), m_accepts(std::move(accepts)) {
    m_link.setReceiveCallback([this] { onReceive(); });
    m_link.setErrorCallback([this](const std::string&) { onPortFailed(); });
    m_replyTimer.setCallback([this] { onNoReply(); });
}

DeviceTest::~DeviceTest() {
    m_replyTimer.stop();
    m_replyTimer.setCallback(nullptr);
    m_link.setReceiveCallback(nullptr);
    m_link.setErrorCallback(nullptr);
}

void DeviceTest::setPort(std::string port, const SerialSettings& settings) {
    m_port = std::move(port);
    m_settings = settings;
}

void DeviceTest::wrongDevice() {
    m_sink.inform(msg::kWrongDevice, msg::kWrongDeviceCaption, MessageIcon::Critical);
}

std::optional<uint32_t> DeviceTest::addressOf(std::string_view device, int byteCount, int choice) {
    if (const char* problem = byteCountMessage(byteCountProblem(byteCount))) {
        msg::refuse(m_sink, problem);
        return std::nullopt;
    }
    const auto kind = choice != 0 ? device::AccessKind::Loop : device::AccessKind::Word;
    const auto ref = reachableDevice(device, m_accepts);
    // Every byte of the request must belong to the device's own letter.
    if (!ref || reachableBytes(*ref, kind, byteCount, m_accepts) != byteCount) {
        wrongDevice();
        return std::nullopt;
    }
    return device::deviceAddress(ref->letter, static_cast<uint32_t>(ref->number), kind);
}

bool DeviceTest::send(const DeviceFrame& frame, std::string_view device, const char* description,
                      int readCount) {
    if (!reopenPort(m_link, m_port, m_settings, m_sink)) return false;
    m_lastDevice = std::string(device);
    m_exchange.step(DeviceExchange::Request{description, readCount});
    m_replyTimer.stop();
    m_replyTimer.start(kReplyWaitMs);
    m_link.write(frame.toVector());
    return true;
}

bool DeviceTest::force(std::string_view device, bool on) {
    const auto ref = reachableDevice(device, m_accepts);
    if (!ref) {
        wrongDevice();
        return false;
    }
    const auto address = device::deviceAddress(ref->letter, static_cast<uint32_t>(ref->number),
                                               device::AccessKind::Bit);
    if (!address || ref->letter == 'D') {  // a data register has no bit to force
        wrongDevice();
        return false;
    }
    return send(forceFrame(*address, on), device, on ? msg::kForceOn : msg::kForceOff, -1);
}

bool DeviceTest::writeWords(std::string_view device, int byteCount,
                            std::span<const uint32_t, kWordCount> words, int choice) {
    const auto address = addressOf(device, byteCount, choice);
    if (!address) return false;
    const auto used = words.first(static_cast<size_t>((byteCount + 1) / 2));
    if (std::any_of(used.begin(), used.end(), [](uint32_t w) { return w > 0xFFFF; })) {
        msg::refuse(m_sink, msg::kValueOutOfRange);
        return false;
    }
    return send(*wordWriteFrame(*address, byteCount, words), device, msg::kWordWrite, -1);
}

bool DeviceTest::readWords(std::string_view device, int byteCount, int choice) {
    const auto address = addressOf(device, byteCount, choice);
    if (!address) return false;
    return send(*wordReadFrame(*address, byteCount), device, msg::kWordRead, byteCount);
}

void DeviceTest::history(std::string condition) {
    if (onHistory) onHistory({m_lastDevice, std::move(condition)});
}

void DeviceTest::onReceive() {
    if (m_link.bytesWaiting() == 0) return;
    const std::vector<uint8_t> in = m_link.readAll();
    if (auto condition = m_exchange.step(DeviceExchange::Bytes{in})) {
        m_replyTimer.stop();
        m_answered = true;
        history(std::move(*condition));
    }
}

void DeviceTest::onNoReply() {
    if (m_exchange.state() == DeviceExchange::State::Idle) return;
    m_exchange.abandon();
    history(msg::kNoAnswerCondition);
    // A controller that never answers may be one that answers no device
    // frame at all.
    if (!m_answered && !m_modeHintShown) {
        m_modeHintShown = true;
        msg::refuse(m_sink, msg::kNeedsModeTwo);
    }
}

void DeviceTest::onPortFailed() {
    m_replyTimer.stop();
    if (m_exchange.state() != DeviceExchange::State::Idle) {
        m_exchange.abandon();
        history(msg::kNoAnswerCondition);
    }
    if (m_link.isOpen()) m_link.close();
    m_sink.inform(msg::kInterruption, msg::kErrorCaption, MessageIcon::Warning);
}

}  // namespace rs::online

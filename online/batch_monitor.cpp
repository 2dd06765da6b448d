#include "online/batch_monitor.h"

#include <algorithm>

#include "comm/frames.h"
#include "comm/port_opening.h"
#include "core/device/device_address.h"
#include "core/messages.h"
#include "online/device_frames.h"
#include "online/online_messages.h"

namespace rs::online {

BatchMonitor::BatchMonitor(SerialLink& link, MessageSink& sink, Timer& waitTimer, Timer& retryTimer)
    : m_link(link), m_sink(sink), m_wait(waitTimer), m_retry(retryTimer) {
    m_link.setReceiveCallback([this] { onReceive(); });
    m_wait.setCallback([this] { onWaitOver(); });
    m_retry.setCallback([this] { onRetry(); });
}

BatchMonitor::~BatchMonitor() {
    stop();
    m_link.setReceiveCallback(nullptr);
    m_wait.setCallback(nullptr);
    m_retry.setCallback(nullptr);
}

void BatchMonitor::setPort(std::string port, const SerialSettings& settings) {
    m_port = std::move(port);
    m_settings = settings;
}

bool BatchMonitor::start(std::string_view text) {
    stop();
    if (text != m_lastText) m_deviceChanged = true;
    m_lastText = std::string(text);
    m_view.started = true;
    m_view.device = parseMonitorDevice(text);
    const auto address = device::deviceAddress(text, device::AccessKind::Word);
    if (!address) {
        m_view.device.valid = false;
        changed();
        m_sink.inform(msg::kWrongDevice, msg::kWrongDeviceCaption, MessageIcon::Critical);
        return false;
    }
    if (!m_view.device.valid) {
        changed();
        msg::refuse(m_sink, msg::kDeviceIncorrect);
        return false;
    }
    changed();
    m_address = *address;
    if (!reopenPort(m_link, m_port, m_settings, m_sink)) return false;
    m_polling = true;
    sendRequest();
    return true;
}

void BatchMonitor::stop() {
    m_polling = false;
    m_wait.stop();
    m_retry.stop();
    if (m_link.isOpen()) m_link.close();
}

void BatchMonitor::sendRequest() {
    if (!m_polling) return;
    m_rx.fill(0);
    m_retry.stop();
    m_retry.start(kRetryMs);
    ++m_requests;
    m_link.write(monitorReadFrame(m_address).toVector());
}

void BatchMonitor::onReceive() {
    if (!m_polling || m_link.bytesWaiting() == 0) return;
    m_retry.stop();
    if (!m_wait.active()) m_wait.start(kReadWaitMs);
}

void BatchMonitor::onWaitOver() {
    if (!m_polling) return;
    const std::vector<uint8_t> in = m_link.readAll();
    const size_t n = std::min(in.size(), m_rx.size());
    std::copy_n(in.begin(), n, m_rx.begin());
    // Only a whole reply carries data; a shorter one is passed over.
    if (n >= kMonitorReplyLength && m_rx[0] == frame::STX) {
        const std::vector<uint8_t> reply(m_rx.begin(), m_rx.begin() + kMonitorReplyLength);
        if (reply != m_lastReply || m_deviceChanged) {
            m_deviceChanged = false;
            if (const auto data = readReplyData(reply, kMonitorBytes))
                std::copy_n(data->begin(), m_view.data.size(), m_view.data.begin());
            changed();
        }
        m_lastReply = reply;
    }
    sendRequest();
}

void BatchMonitor::onRetry() {
    if (m_polling) sendRequest();
}

void BatchMonitor::setLayout(MonitorLayout layout) {
    m_view.layout = layout;
    changed();
}

void BatchMonitor::setDisplay(MonitorDisplay display) {
    m_view.display = display;
    changed();
}

void BatchMonitor::setRadix(MonitorRadix radix) {
    m_view.radix = radix;
    changed();
}

void BatchMonitor::changed() {
    if (onTableChanged) onTableChanged();
}

}  // namespace rs::online

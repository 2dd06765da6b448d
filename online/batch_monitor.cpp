#include "online/batch_monitor.h"

#include <algorithm>

#include "comm/comm_messages.h"
#include "comm/frames.h"
#include "comm/port_opening.h"
#include "core/device/device_address.h"
#include "core/messages.h"
#include "online/device_frames.h"
#include "online/online_messages.h"

namespace rs::online {

BatchMonitor::BatchMonitor(SerialLink& link, MessageSink& sink, Timer& waitTimer, Timer& retryTimer,
                           DeviceCheck accepts)
    : m_link(link),
      m_sink(sink),
      m_wait(waitTimer),
      m_retry(retryTimer),
      m_accepts(std::move(accepts)) {
    m_link.setReceiveCallback([this] { onReceive(); });
    m_link.setErrorCallback([this](const std::string&) { onPortFailed(); });
    m_wait.setCallback([this] { onWaitOver(); });
    m_retry.setCallback([this] { onRetry(); });
}

BatchMonitor::~BatchMonitor() {
    stop();
    m_link.setReceiveCallback(nullptr);
    m_link.setErrorCallback(nullptr);
    m_wait.setCallback(nullptr);
    m_retry.setCallback(nullptr);
}

void BatchMonitor::setPort(std::string port, const SerialSettings& settings) {
    m_port = std::move(port);
    m_settings = settings;
}

void BatchMonitor::plan() {
    m_view.bytes = 0;
    const auto address = monitorReadAddress(m_view.device, m_view.layout);
    if (!address) return;
    m_address = *address;
    device::DeviceRef first;
    first.letter = m_view.device.letter;
    first.number = m_view.device.number;
    const auto kind = showsCurrentValues(first.letter, m_view.layout) ? device::AccessKind::Loop
                                                                      : device::AccessKind::Word;
    m_view.bytes = reachableBytes(first, kind, kMonitorBytes, m_accepts);
}

bool BatchMonitor::start(std::string_view text) {
    stop();
    if (text != m_lastText) m_deviceChanged = true;
    m_lastText = std::string(text);
    m_view.started = true;
    m_view.device = parseMonitorDevice(text);
    m_view.bytes = 0;
    m_answered = false;
    m_modeHintShown = false;
    m_unanswered = 0;
    m_skipReplies = 0;
    setStale(true, nullptr);
    if (!device::isAddressableLetter(m_view.device.letter)) {
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
    // A device the range check refuses, or one outside its letter's area,
    // would read other devices under its name.
    if (!reachableDevice(text, m_accepts)) {
        m_view.device.valid = false;
        changed();
        m_sink.inform(msg::kWrongDevice, msg::kWrongDeviceCaption, MessageIcon::Critical);
        return false;
    }
    plan();
    changed();
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

void BatchMonitor::setStale(bool stale, const char* status) {
    m_view.stale = stale;
    m_status = status ? status : "";
}

void BatchMonitor::sendRequest() {
    if (!m_polling) return;
    if (m_unanswered >= kStaleRequests && m_status.empty()) {
        setStale(true, msg::kNoAnswer);
        changed();
    }
    const bool hint = !m_answered && !m_modeHintShown && m_unanswered >= kModeHintRequests;
    m_rx.fill(0);
    m_retry.stop();
    m_retry.start(kRetryMs);
    ++m_requests;
    ++m_unanswered;
    m_link.write(monitorReadFrame(m_address).toVector());
    // Said once a start, after the request is out: the message may run an
    // event loop of its own, and polling goes on meanwhile.
    if (hint) {
        m_modeHintShown = true;
        msg::refuse(m_sink, msg::kNeedsModeTwo);
    }
}

void BatchMonitor::onReceive() {
    if (!m_polling || m_link.bytesWaiting() == 0) return;
    m_retry.stop();
    if (!m_wait.active()) m_wait.start(kReadWaitMs);
}

void BatchMonitor::onWaitOver() {
    if (!m_polling) return;
    const std::vector<uint8_t> in = m_link.readAll();
    if (m_skipReplies > 0) {
        --m_skipReplies;
        sendRequest();
        return;
    }
    const size_t n = std::min(in.size(), m_rx.size());
    std::copy_n(in.begin(), n, m_rx.begin());
    // Only a whole reply with a matching sum carries data; anything else is
    // passed over.
    const auto data = n >= kMonitorReplyLength && m_rx[0] == frame::STX
                          ? readReplyData({m_rx.data(), kMonitorReplyLength}, kMonitorBytes)
                          : std::nullopt;
    if (data) {
        const std::vector<uint8_t> reply(m_rx.begin(), m_rx.begin() + kMonitorReplyLength);
        const bool wasStale = m_view.stale;
        m_unanswered = 0;
        m_answered = true;
        setStale(false, nullptr);
        if (reply != m_lastReply || m_deviceChanged || wasStale) {
            m_deviceChanged = false;
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

void BatchMonitor::onPortFailed() {
    if (!m_polling) return;
    stop();
    setStale(true, msg::kInterruption);
    changed();
    m_sink.inform(msg::kInterruption, msg::kErrorCaption, MessageIcon::Warning);
}

void BatchMonitor::setLayout(MonitorLayout layout) {
    const bool moved = showsCurrentValues(m_view.device.letter, layout) !=
                       showsCurrentValues(m_view.device.letter, m_view.layout);
    m_view.layout = layout;
    // Timers and counters show their contacts or their current values,
    // which lie elsewhere: the next request reads there, and the values stay
    // stale until it is answered.
    if (moved && m_view.started && m_view.device.valid) {
        // A reply on its way answers the request for the other address.
        m_skipReplies = m_polling && (m_wait.active() || m_retry.active()) ? 1 : 0;
        plan();
        m_view.data.fill(0);
        m_deviceChanged = true;
        setStale(true, nullptr);
    }
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

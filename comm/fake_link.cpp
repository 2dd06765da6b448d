#include "comm/fake_link.h"

#include <algorithm>

namespace rs {

bool FakeSerialLink::open(const std::string& port, const SerialSettings& settings) {
    if (std::find(unavailable.begin(), unavailable.end(), port) != unavailable.end()) return false;
    m_open = true;
    ++m_opens;
    m_port = port;
    m_settings = settings;
    return true;
}

void FakeSerialLink::write(const std::vector<uint8_t>& bytes) {
    if (!m_open) return;
    written.push_back(bytes);
    if (onWrite) onWrite(bytes);
}

std::vector<uint8_t> FakeSerialLink::readAll() {
    std::vector<uint8_t> out;
    out.swap(m_incoming);
    return out;
}

void FakeSerialLink::deliver(const std::vector<uint8_t>& bytes) {
    m_incoming.insert(m_incoming.end(), bytes.begin(), bytes.end());
    if (m_callback && m_incoming.size() >= static_cast<size_t>(std::max(1, m_threshold)))
        m_callback();
}

bool ManualTimer::fire() {
    if (!m_active) return false;
    m_active = false;
    if (m_callback) m_callback();
    return true;
}

}  // namespace rs

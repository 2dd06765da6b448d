#include "comm/buffered_link.h"

#include <algorithm>

namespace rs {

bool BufferedSerialLink::open(const std::string& port, const SerialSettings& settings) {
    m_open = true;
    m_port = port;
    m_settings = settings;
    return true;
}

std::vector<uint8_t> BufferedSerialLink::readAll() {
    std::vector<uint8_t> out;
    out.swap(m_incoming);
    return out;
}

void BufferedSerialLink::receive(const std::vector<uint8_t>& bytes) {
    m_incoming.insert(m_incoming.end(), bytes.begin(), bytes.end());
    if (m_callback && m_incoming.size() >= static_cast<size_t>(std::max(1, m_threshold)))
        m_callback();
}

void BufferedSerialLink::fail(const std::string& reason) {
    m_open = false;
    if (m_errorCallback) m_errorCallback(reason);
}

}  // namespace rs

#include "comm/fake_link.h"

#include <algorithm>

namespace rs {

bool FakeSerialLink::open(const std::string& port, const SerialSettings& settings) {
    if (std::find(unavailable.begin(), unavailable.end(), port) != unavailable.end()) return false;
    ++m_opens;
    return BufferedSerialLink::open(port, settings);
}

void FakeSerialLink::write(const std::vector<uint8_t>& bytes) {
    if (!isOpen()) return;
    written.push_back(bytes);
    if (onWrite) onWrite(bytes);
}

bool ManualTimer::fire() {
    if (!m_active) return false;
    m_active = false;
    if (m_callback) m_callback();
    return true;
}

}  // namespace rs

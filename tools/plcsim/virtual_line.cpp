#include "tools/plcsim/virtual_line.h"

#include <algorithm>

namespace rs::plcsim {

void VirtualClock::at(double time, std::function<void()> action) {
    m_events.emplace(std::make_pair(std::max(time, m_now), m_sequence++), std::move(action));
}

bool VirtualClock::runUntil(const std::function<bool()>& done, double limitMs) {
    while (!done()) {
        if (m_events.empty() || m_events.begin()->first.first > limitMs) return false;
        auto next = m_events.begin();
        m_now = next->first.first;
        std::function<void()> action = std::move(next->second);
        m_events.erase(next);
        action();
    }
    return true;
}

void VirtualTimer::start(int ms) {
    m_active = true;
    const long generation = ++m_generation;
    m_clock.at(m_clock.now() + ms, [this, generation] {
        if (!m_active || generation != m_generation) return;
        m_active = false;
        if (m_callback) m_callback();
    });
}

void VirtualLine::write(const std::vector<uint8_t>& bytes) {
    if (!isOpen() || bytes.empty()) return;
    m_sent += static_cast<long>(bytes.size());
    const double arrives =
        std::max(m_clock.now(), m_outFreeAt) + charMs() * static_cast<double>(bytes.size());
    m_outFreeAt = arrives;
    m_clock.at(arrives, [this, bytes] {
        const std::vector<uint8_t> reply =
            m_controller.receive(bytes.data(), bytes.size(), m_clock.now());
        if (reply.empty()) return;
        m_received += static_cast<long>(reply.size());
        const double back =
            std::max(m_clock.now(), m_inFreeAt) + charMs() * static_cast<double>(reply.size());
        m_inFreeAt = back;
        m_clock.at(back, [this, reply] { arrive(reply); });
    });
}

void VirtualLine::arrive(const std::vector<uint8_t>& bytes) {
    if (isOpen()) receive(bytes);
}

}  // namespace rs::plcsim

#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <utility>

#include "comm/buffered_link.h"
#include "tools/plcsim/controller.h"

namespace rs::plcsim {

// Time that only moves from one scheduled event to the next, so that a whole
// transfer at 9600 baud runs in a moment and its duration is exact.
class VirtualClock {
  public:
    double now() const { return m_now; }  // milliseconds
    void at(double time, std::function<void()> action);
    // Runs events in time order until `done` holds, no event is left or the
    // clock passes `limitMs`. False when `done` never held.
    bool runUntil(const std::function<bool()>& done, double limitMs);

  private:
    double m_now = 0;
    long m_sequence = 0;
    std::map<std::pair<double, long>, std::function<void()>> m_events;
};

class VirtualTimer : public Timer {
  public:
    explicit VirtualTimer(VirtualClock& clock) : m_clock(clock) {}
    void start(int ms) override;
    void stop() override {
        m_active = false;
        ++m_generation;
    }
    bool active() const override { return m_active; }
    void setCallback(std::function<void()> callback) override { m_callback = std::move(callback); }

  private:
    VirtualClock& m_clock;
    bool m_active = false;
    long m_generation = 0;
    std::function<void()> m_callback;
};

// A serial line between the program and a Controller: each character takes
// `bitsPerChar` / baud seconds, one direction at a time in each direction, and
// the controller answers as soon as a frame's last byte arrived.
class VirtualLine : public BufferedSerialLink {
  public:
    VirtualLine(VirtualClock& clock, Controller& controller, int bitsPerChar = 10)
        : m_clock(clock), m_controller(controller), m_bitsPerChar(bitsPerChar) {}

    void write(const std::vector<uint8_t>& bytes) override;

    // The time the line needs for every byte carried so far, in milliseconds.
    double lineTimeMs() const { return charMs() * static_cast<double>(m_sent + m_received); }

  private:
    double charMs() const { return 1000.0 * m_bitsPerChar / settings().baud; }
    void arrive(const std::vector<uint8_t>& bytes);

    VirtualClock& m_clock;
    Controller& m_controller;
    int m_bitsPerChar;
    double m_outFreeAt = 0;  // the line towards the controller is busy until then
    double m_inFreeAt = 0;   // and towards the program
    long m_sent = 0;
    long m_received = 0;
};

}  // namespace rs::plcsim

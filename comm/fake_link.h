#pragma once

#include <functional>
#include <string>
#include <vector>

#include "comm/buffered_link.h"

namespace rs {

// An in-memory serial link: what the program writes is recorded frame by
// frame; what a test delivers waits to be read and raises the receive
// callback once the threshold is reached.
class FakeSerialLink : public BufferedSerialLink {
  public:
    bool open(const std::string& port, const SerialSettings& settings) override;
    void write(const std::vector<uint8_t>& bytes) override;

    // Bytes from the controller's side.
    void deliver(const std::vector<uint8_t>& bytes) { receive(bytes); }
    void deliver(const std::string& text) {
        deliver(std::vector<uint8_t>(text.begin(), text.end()));
    }

    // The port fails (a vanished adapter) with the system's reason.
    void failPort(const std::string& reason) { fail(reason); }

    // Ports that refuse to open.
    std::vector<std::string> unavailable;
    // Every frame written, in order; a test may clear it.
    std::vector<std::vector<uint8_t>> written;
    // Called after each write (a scripted controller may answer from here).
    std::function<void(const std::vector<uint8_t>&)> onWrite;
    int opens() const { return m_opens; }

  private:
    int m_opens = 0;
};

// A timer that runs only when a test fires it.
class ManualTimer : public Timer {
  public:
    void start(int ms) override {
        m_active = true;
        m_interval = ms;
        ++m_starts;
    }
    void stop() override { m_active = false; }
    bool active() const override { return m_active; }
    void setCallback(std::function<void()> callback) override { m_callback = std::move(callback); }

    // Expires the timer if it runs: false when it was not running.
    bool fire();
    int interval() const { return m_interval; }
    int starts() const { return m_starts; }

  private:
    bool m_active = false;
    int m_interval = 0;
    int m_starts = 0;
    std::function<void()> m_callback;
};

}  // namespace rs

#pragma once

#include <QTimer>

#include "comm/serial_link.h"

namespace rs {

// A single-shot QTimer behind the transfer's timer interface.
class QtTimer : public Timer {
  public:
    QtTimer();
    void start(int ms) override { m_timer.start(ms); }
    void stop() override { m_timer.stop(); }
    bool active() const override { return m_timer.isActive(); }
    void setCallback(std::function<void()> callback) override { m_callback = std::move(callback); }

  private:
    QTimer m_timer;
    std::function<void()> m_callback;
};

}  // namespace rs

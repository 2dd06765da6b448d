#include "comm/qt/qt_timer.h"

namespace rs {

QtTimer::QtTimer() {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        if (m_callback) m_callback();
    });
}

}  // namespace rs

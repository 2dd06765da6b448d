#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <memory>
#include <optional>

#include "app/model/scene.h"
#include "comm/qt/qt_serial_link.h"
#include "comm/qt/qt_timer.h"
#include "core/device/device_memory.h"
#include "core/message_sink.h"
#include "core/session.h"
#include "online/device_poll.h"
#include "sim/engine.h"
#include "sim/ladder_flow.h"

class CCorvaneElectricPLCView;
class QLabel;
class QPainter;
class QStatusBar;

// The window's monitor mode: the ladder drawn from the controller's devices
// as a simulation draws it from the engine's. The devices of the rungs in
// sight are polled in turn on the port's events (nothing waits for the line)
// and every whole round repaints the view. In the list, the operands of the
// whole program are polled and one scan over a copy of the controller's image
// tells which rows are on, so the list is marked as a simulation marks it.
// While it is active the program
// cannot be edited; a double click on a bit device forces it on or off, on a
// word operand asks for a value to write. A silent controller is noted once
// in the status bar and polled on, the ladder drawn plain until it answers; a vanished port stops the monitor with
// "Communication interruption!".
class MonitorController : public QObject {
    Q_OBJECT
  public:
    MonitorController(rs::Session& session, rs::MessageSink& sink, CCorvaneElectricPLCView* view,
                      QObject* parent = nullptr);
    ~MonitorController() override;

    bool active() const { return m_poll.polling(); }

    // Starts polling on the port and settings; false, with the message
    // shown, when the program is not converted or the port does not open.
    bool start(const std::string& port, const rs::SerialSettings& settings);
    void stop();

    // The double click on ladder cell (row, col).
    void forceOrWriteAt(int row, int col);
    // The ladder was rebuilt (the list switched back to the ladder).
    void gridChanged() { m_bFlowPrepared = false; }

    void showStatusIn(QStatusBar* bar);
    // Draws the controller's state over a drawn ladder, and plans the reads
    // of the rows in sight.
    void paintOverlay(QPainter& painter, const rs::shell::Scene& drawn, int firstY, int lastY);

    const rs::online::DevicePoll& poll() const { return m_poll; }
    // Refreshes per second over the last whole second.
    double refreshRate() const { return m_rate; }

  signals:
    void stateChanged();
    // A force or write was answered (or not): the device test's history line.
    void historyAdded(const rs::online::HistoryEntry& entry);

  private:
    void onRound();
    void onNote(rs::online::DevicePoll::Note note);
    void planRows(int firstRow, int lastRow);
    void planList();
    void showStatus();

    rs::Session& m_session;
    rs::MessageSink& m_sink;
    CCorvaneElectricPLCView* m_pView;
    QPointer<QLabel> m_pStatus;
    rs::QtSerialLink m_link;
    rs::QtTimer m_timer;
    rs::online::DevicePoll m_poll{m_link, m_timer};
    rs::device::DeviceMemory m_memory;  // the image of the last whole round
    rs::sim::Engine m_shown{m_memory};  // never scans: it only reads the image
    rs::sim::LadderFlow m_flow;
    bool m_bFlowPrepared = false;
    std::optional<rs::sim::Program> m_program;  // the list, for the rows that are on
    rs::device::DeviceMemory m_scratch;         // a copy of the image one scan runs over
    rs::sim::Engine m_listEngine{m_scratch};
    enum class Plan { None, Ladder, List };
    Plan m_plan = Plan::None;
    int m_firstRow = 0, m_lastRow = -1;
    QElapsedTimer m_rateClock;
    long m_rateRounds = 0;
    double m_rate = 0;
};

#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/model/scene.h"
#include "core/device/device_memory.h"
#include "core/message_sink.h"
#include "core/session.h"
#include "sim/condition.h"
#include "sim/ladder_flow.h"
#include "sim/rung_rows.h"

class CCorvaneElectricPLCView;
class QLabel;
class QPainter;
class QStatusBar;

// The window's simulation mode: runs the converted program of a project with
// the scan engine in real time (a scan every 10 ms, the virtual clock advanced
// by the real time between scans), repaints the view with the live power flow
// and values at most 20 times a second, and shows the scans run and the scan
// time in the status bar. While it is active the program cannot be edited; a
// double click on an X contact toggles that input. Stopping clears the device
// memory and returns to editing.
//
// Stepping pauses within a scan: "Step row" runs the next row, "Step rung"
// runs to the next rung's first row, and the row the engine paused before is
// marked in the list and the ladder with the rung's stacks beside it.
// Breakpoints on list rows (in the ladder, on a rung's first row) pause a run
// before that row in any scan; "Run until" runs until a condition on devices
// holds at the end of a scan.
class SimulationController : public QObject {
    Q_OBJECT
  public:
    SimulationController(rs::Session& session, rs::MessageSink& sink, CCorvaneElectricPLCView* view,
                         QObject* parent = nullptr);
    ~SimulationController() override;

    bool active() const { return m_bActive; }  // running or paused
    bool running() const { return m_timer.isActive(); }

    // Start (or resume) running in real time; false when the program cannot
    // run (not converted, or refused by the engine), with the message shown.
    bool start();
    // One scan; starts a paused simulation when none is active, and pauses a
    // running one.
    void singleScan();
    void stop();
    // Runs the next row, or up to the next rung's first row; starts a paused
    // simulation (paused before the first row) when none is active.
    void stepRow();
    void stepRung();
    // Runs in real time until the condition ("Y000 = 1", "D0 >= 100", "T0
    // on") holds at the end of a scan; false with the problem shown when it
    // cannot be read or the program cannot run.
    bool runUntil(const std::string& condition);
    // The condition last given to runUntil, as typed.
    const std::string& lastCondition() const { return m_lastCondition; }

    // Breakpoints on list rows, kept while the window is open and given to
    // every simulation started.
    void toggleBreakpoint(int listRow);
    // At the cursor: the list line, or the rung under the ladder cursor.
    void toggleBreakpointAtCursor();
    // A click in the margin of list line or ladder row `row`.
    void toggleBreakpointAtMargin(int row);
    const std::set<int>& breakpoints() const { return m_breakpoints; }

    // The double click on ladder cell (row, col): an X contact's input flips.
    void toggleInputAt(int row, int col);
    // The ladder was rebuilt (the list switched back to the ladder).
    void gridChanged() { m_bFlowPrepared = m_bRungsPrepared = false; }

    // Shows scans and scan time in a label of this status bar (removed with
    // the controller).
    void showStatusIn(QStatusBar* bar);
    // Draws the live state over a drawn ladder or list.
    void paintOverlay(QPainter& painter, const rs::shell::Scene& drawn, int firstY, int lastY);

    const rs::sim::Engine& engine() const { return *m_engine; }
    // Writes a device through the engine's input path, as a script's set
    // does, and shows the result.
    void writeDevice(const rs::sim::Operand& device, int32_t value);
    rs::device::DeviceMemory& memory() { return m_memory; }

  signals:
    // Started, paused or stopped: menus follow.
    void stateChanged();
    // A scan ran (every scan, for a trace of it).
    void scanned();
    // The shown values were brought up to date (at most 20 times a second
    // while running, and after every input change).
    void displayRefreshed();

  private:
    bool begin();
    void step(rs::sim::StepTo to);
    bool goesOn(rs::sim::Halt halt);
    void tick();
    void refreshDisplay();
    void showStatus();
    const rs::sim::RungRows& rungs();

    rs::Session& m_session;
    rs::MessageSink& m_sink;
    CCorvaneElectricPLCView* m_pView;
    QPointer<QLabel> m_pStatus;
    rs::device::DeviceMemory m_memory;
    std::unique_ptr<rs::sim::Engine> m_engine;
    rs::sim::LadderFlow m_flow;
    bool m_bFlowPrepared = false;
    rs::sim::RungRows m_rungs;
    bool m_bRungsPrepared = false;
    std::set<int> m_breakpoints;
    std::optional<rs::sim::Condition> m_until;
    std::string m_lastCondition;
    std::string m_halt;  // why the run paused, for the status bar
    bool m_bActive = false;
    QTimer m_timer;
    QElapsedTimer m_clock;       // real time since the last scan
    QElapsedTimer m_sincePaint;  // real time since the last repaint
    int64_t m_lastScanMicros = 0;
};

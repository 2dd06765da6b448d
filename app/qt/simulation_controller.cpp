#include "app/qt/simulation_controller.h"

#include <QLabel>
#include <QStatusBar>
#include <chrono>

#include "app/model/simulation_scene.h"
#include "app/model/stepping_scene.h"
#include "app/qt/project_view.h"
#include "app/qt/simulation_painter.h"
#include "core/device/device_address.h"
#include "core/messages.h"
#include "sim/debug_run.h"
#include "translations/system_text.h"

namespace {

constexpr int kScanPeriodMs = 10;
constexpr int kRepaintPeriodMs = 50;

}  // namespace

SimulationController::SimulationController(rs::Session& session, rs::MessageSink& sink,
                                           CCorvaneElectricPLCView* view, QObject* parent)
    : QObject(parent),
      m_session(session),
      m_sink(sink),
      m_pView(view),
      m_engine(std::make_unique<rs::sim::Engine>(m_memory)) {
    m_timer.setInterval(kScanPeriodMs);
    connect(&m_timer, &QTimer::timeout, this, &SimulationController::tick);
}

SimulationController::~SimulationController() {
    delete m_pStatus;
}

void SimulationController::showStatusIn(QStatusBar* bar) {
    m_pStatus = new QLabel(bar);
    bar->addWidget(m_pStatus);
}

// Loads the converted program into a fresh engine and cleared memory.
bool SimulationController::begin() {
    if (m_bActive) return true;
    if (!m_session.view.m_bCompiled || !m_session.app.m_bCompiled) {
        rs::msg::refuse(m_sink, rs::msg::kNotCompiled);
        return false;
    }
    rs::sim::LoadError error;
    auto program = rs::sim::loadProgram(rs::eval::tableRows(m_session.table()), error);
    if (!program) {
        rs::msg::refuse(m_sink, "The program cannot be simulated: " + error.message);
        return false;
    }
    m_memory.clear();
    m_engine->load(std::move(*program));
    for (const int row : m_breakpoints) m_engine->setBreakpoint(row, true);
    m_bFlowPrepared = m_bRungsPrepared = false;
    m_halt.clear();
    m_bActive = true;
    m_lastScanMicros = 0;
    m_clock.start();
    m_sincePaint.start();
    return true;
}

bool SimulationController::start() {
    if (!begin()) return false;
    m_halt.clear();
    if (!m_timer.isActive()) {
        m_clock.restart();
        m_timer.start();
    }
    refreshDisplay();
    emit stateChanged();
    return true;
}

void SimulationController::singleScan() {
    step(rs::sim::StepTo::ScanEnd);
}

void SimulationController::stepRow() {
    step(rs::sim::StepTo::Row);
}

void SimulationController::stepRung() {
    step(rs::sim::StepTo::Rung);
}

// A step pauses a running simulation; a scan it starts moves the clock by
// one scan period (the first scan starts the clock at 0).
void SimulationController::step(rs::sim::StepTo to) {
    const bool first = !m_bActive;
    if (!begin()) return;
    m_timer.stop();
    m_until.reset();
    m_halt.clear();
    const int64_t elapsed = first || m_engine->scans() == 0 ? 0 : kScanPeriodMs;
    const auto t0 = std::chrono::steady_clock::now();
    const rs::sim::Halt halt = m_engine->step(to, elapsed);
    if (halt == rs::sim::Halt::ScanEnd) {
        m_lastScanMicros = std::chrono::duration_cast<std::chrono::microseconds>(
                               std::chrono::steady_clock::now() - t0)
                               .count();
        emit scanned();
    }
    if (goesOn(halt)) refreshDisplay();
    emit stateChanged();
}

// False when the engine stopped: the simulation ends with its message.
bool SimulationController::goesOn(rs::sim::Halt halt) {
    if (halt != rs::sim::Halt::Stopped) return true;
    const std::string message = "Simulation stopped at " + m_engine->stopped()->message;
    stop();
    rs::msg::refuse(m_sink, message);
    return false;
}

bool SimulationController::runUntil(const std::string& condition) {
    m_lastCondition = condition;
    std::string problem;
    auto until = rs::sim::parseCondition(condition, problem);
    if (!until) {
        rs::msg::refuse(m_sink, "Run until: " + problem);
        return false;
    }
    if (!start()) return false;
    m_until = std::move(until);
    showStatus();
    return true;
}

void SimulationController::toggleBreakpoint(int listRow) {
    if (listRow < 0 || !m_session.table().rowUsed(listRow)) return;
    const bool on = m_breakpoints.insert(listRow).second;
    if (!on) m_breakpoints.erase(listRow);
    if (m_bActive) m_engine->setBreakpoint(listRow, on);
    m_pView->refresh();
}

void SimulationController::toggleBreakpointAtCursor() {
    if (m_session.view.m_bListMode)
        toggleBreakpoint(m_session.view.m_nListCursor);
    else
        toggleBreakpointAtMargin(m_session.grid().m_nCursorRow);
}

void SimulationController::toggleBreakpointAtMargin(int row) {
    if (m_session.view.m_bListMode) {
        toggleBreakpoint(row);
        return;
    }
    // A rung's breakpoint is on its first list row; an unconverted ladder has none.
    if (!m_session.view.m_bCompiled || !m_session.app.m_bCompiled) return;
    toggleBreakpoint(rungs().listRowOf(row));
}

const rs::sim::RungRows& SimulationController::rungs() {
    if (!m_bRungsPrepared) m_rungs.prepare(m_session.grid(), m_session.table(), m_session.mode2());
    m_bRungsPrepared = true;
    return m_rungs;
}

void SimulationController::stop() {
    if (!m_bActive) return;
    m_timer.stop();
    m_bActive = false;
    m_until.reset();
    m_halt.clear();
    m_memory.clear();
    m_engine->load({});
    if (m_pStatus) m_pStatus->clear();
    m_pView->refresh();
    emit stateChanged();
}

void SimulationController::tick() {
    const int64_t elapsed = m_clock.restart();
    const auto t0 = std::chrono::steady_clock::now();
    const rs::sim::RunHalt halt =
        rs::sim::runScan(*m_engine, m_engine->scans() == 0 ? 0 : elapsed, m_until);
    m_lastScanMicros =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - t0)
            .count();
    switch (halt) {
        case rs::sim::RunHalt::Stopped:
            goesOn(rs::sim::Halt::Stopped);
            return;
        case rs::sim::RunHalt::ScanDone:
            emit scanned();
            if (m_sincePaint.elapsed() >= kRepaintPeriodMs) refreshDisplay();
            return;
        case rs::sim::RunHalt::Breakpoint:
            m_halt = "halted at the breakpoint of " +
                     rs::sim::rowName(m_engine->program(), m_engine->currentRow());
            break;
        case rs::sim::RunHalt::ConditionHeld:
            emit scanned();
            m_halt = m_until->text + " held at " + std::to_string(m_engine->clockMs()) + " ms";
            m_until.reset();
            break;
    }
    m_timer.stop();
    refreshDisplay();
    emit stateChanged();
}

void SimulationController::refreshDisplay() {
    m_sincePaint.restart();
    if (!m_session.view.m_bListMode) {
        if (!m_bFlowPrepared) m_flow.prepare(m_session.grid());
        m_bFlowPrepared = true;
        m_flow.update(m_session.grid(), *m_engine);
    }
    showStatus();
    m_pView->refresh();
    emit displayRefreshed();
}

void SimulationController::writeDevice(const rs::sim::Operand& device, int32_t value) {
    if (!m_bActive) return;
    m_engine->write(device, value);
    refreshDisplay();
}

void SimulationController::showStatus() {
    if (!m_pStatus) return;
    QString text = rs::qt::sysText("Simulation: %1 scans, scan time %2 µs")
                       .arg(m_engine->scans())
                       .arg(m_lastScanMicros);
    if (m_engine->midScan())
        text += QString::fromStdString(
            "; before " + rs::sim::rowName(m_engine->program(), m_engine->currentRow()) + ": " +
            rs::shell::steppingText(*m_engine));
    if (m_until) text += QString::fromStdString("; running until " + m_until->text);
    if (!m_halt.empty()) text += QString::fromStdString("; " + m_halt);
    m_pStatus->setText(text);
}

void SimulationController::toggleInputAt(int row, int col) {
    if (!m_bActive || m_session.view.m_bListMode) return;
    const rs::LadderGrid& grid = m_session.grid();
    if (!grid.hasSymbol(row, col) || !rs::isSerialContactKind(rs::serialTwin(grid.kind(row, col))))
        return;
    const std::string& device = grid.text(row, col);
    if (device.empty() || device[0] != 'X') return;
    const auto bit = rs::device::deviceAddress(device, rs::device::AccessKind::Bit);
    if (!bit) return;
    m_memory.setBit(*bit, !m_memory.bit(*bit));
    refreshDisplay();
}

void SimulationController::paintOverlay(QPainter& painter, const rs::shell::Scene& drawn,
                                        int firstY, int lastY) {
    const auto g = m_pView->geometry();
    const std::vector<int> breaks(m_breakpoints.begin(), m_breakpoints.end());
    if (m_session.view.m_bListMode) {
        if (m_bActive)
            paintSimulationScene(
                painter, rs::shell::simulationListScene(*m_engine, g.clientWidth, firstY, lastY));
        paintSteppingScene(
            painter, rs::shell::steppingListScene(*m_engine, breaks, g.clientWidth, firstY, lastY));
        return;
    }
    if (m_bActive) {
        if (!m_bFlowPrepared) {
            m_flow.prepare(m_session.grid());
            m_flow.update(m_session.grid(), *m_engine);
            m_bFlowPrepared = true;
        }
        paintSimulationScene(painter,
                             rs::shell::simulationLadderScene(
                                 {drawn, m_session.grid(), g, m_flow, *m_engine, firstY, lastY}));
    }
    // Marks on the rungs need the step labels of a converted ladder.
    if (breaks.empty() && !m_engine->midScan()) return;
    if (!m_session.view.m_bCompiled || !m_session.app.m_bCompiled) return;
    paintSteppingScene(
        painter, rs::shell::steppingLadderScene(*m_engine, rungs(), breaks, g, firstY, lastY));
}

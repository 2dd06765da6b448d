#include "app/qt/simulation_controller.h"

#include <QLabel>
#include <QStatusBar>
#include <chrono>

#include "app/model/simulation_scene.h"
#include "app/qt/project_view.h"
#include "app/qt/simulation_painter.h"
#include "core/messages.h"
#include "core/device/device_address.h"
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
    m_bFlowPrepared = false;
    m_bActive = true;
    m_lastScanMicros = 0;
    m_clock.start();
    m_sincePaint.start();
    return true;
}

bool SimulationController::start() {
    if (!begin()) return false;
    if (!m_timer.isActive()) {
        m_clock.restart();
        m_timer.start();
    }
    refreshDisplay();
    emit stateChanged();
    return true;
}

void SimulationController::singleScan() {
    const bool first = !m_bActive;
    if (!begin()) return;
    m_timer.stop();
    // A single scan moves the clock by one scan period.
    if (scanOnce(first ? 0 : kScanPeriodMs)) refreshDisplay();
    emit stateChanged();
}

void SimulationController::stop() {
    if (!m_bActive) return;
    m_timer.stop();
    m_bActive = false;
    m_memory.clear();
    if (m_pStatus) m_pStatus->clear();
    m_pView->refresh();
    emit stateChanged();
}

bool SimulationController::scanOnce(int64_t elapsedMs) {
    const auto t0 = std::chrono::steady_clock::now();
    const bool ok = m_engine->scan(m_engine->scans() == 0 ? 0 : elapsedMs);
    m_lastScanMicros =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - t0)
            .count();
    if (ok) {
        emit scanned();
        return true;
    }
    const std::string message = "Simulation stopped at " + m_engine->stopped()->message;
    stop();
    rs::msg::refuse(m_sink, message);
    return false;
}

void SimulationController::tick() {
    const int64_t elapsed = m_clock.restart();
    if (!scanOnce(elapsed)) return;
    if (m_sincePaint.elapsed() >= kRepaintPeriodMs) refreshDisplay();
}

void SimulationController::refreshDisplay() {
    m_sincePaint.restart();
    if (!m_session.view.m_bListMode) {
        if (!m_bFlowPrepared) m_flow.prepare(m_session.grid());
        m_bFlowPrepared = true;
        m_flow.update(m_session.grid(), *m_engine);
    }
    if (m_pStatus)
        m_pStatus->setText(rs::qt::sysText("Simulation: %1 scans, scan time %2 µs")
                               .arg(m_engine->scans())
                               .arg(m_lastScanMicros));
    m_pView->refresh();
    emit displayRefreshed();
}

void SimulationController::writeDevice(const rs::sim::Operand& device, int32_t value) {
    if (!m_bActive) return;
    m_engine->write(device, value);
    refreshDisplay();
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
    if (!m_bActive) return;
    const auto g = m_pView->geometry();
    if (m_session.view.m_bListMode) {
        paintSimulationScene(
            painter, rs::shell::simulationListScene(*m_engine, g.clientWidth, firstY, lastY));
        return;
    }
    if (!m_bFlowPrepared) {
        m_flow.prepare(m_session.grid());
        m_flow.update(m_session.grid(), *m_engine);
        m_bFlowPrepared = true;
    }
    paintSimulationScene(painter,
                         rs::shell::simulationLadderScene(
                             {drawn, m_session.grid(), g, m_flow, *m_engine, firstY, lastY}));
}

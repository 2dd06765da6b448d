#include "app/qt/monitor_controller.h"

#include <QLabel>
#include <QStatusBar>

#include "app/model/simulation_scene.h"
#include "app/qt/project_view.h"
#include "app/qt/simulation_painter.h"
#include "app/qt/write_value_dialog.h"
#include "comm/comm_messages.h"
#include "core/device/device_address.h"
#include "core/device/device_ref.h"
#include "core/evaluate/list_eval.h"
#include "core/messages.h"
#include "online/ladder_spans.h"
#include "online/poll_messages.h"
#include "sim/ladder_values.h"
#include "translations/system_text.h"

namespace {

constexpr int kRateWindowMs = 1000;
constexpr int kRowsInSight = 8;  // the ladder's geometry fits eight rows to the client area

}  // namespace

MonitorController::MonitorController(rs::Session& session, rs::MessageSink& sink,
                                     CCorvaneElectricPLCView* view, QObject* parent)
    : QObject(parent), m_session(session), m_sink(sink), m_pView(view) {
    m_poll.onRound = [this] { onRound(); };
    m_poll.onNote = [this](rs::online::DevicePoll::Note n) { onNote(n); };
    m_poll.onHistory = [this](const rs::online::HistoryEntry& e) { emit historyAdded(e); };
}

MonitorController::~MonitorController() {
    m_poll.stop();
    delete m_pStatus;
}

void MonitorController::showStatusIn(QStatusBar* bar) {
    m_pStatus = new QLabel(bar);
    bar->addWidget(m_pStatus);
}

bool MonitorController::start(const std::string& port, const rs::SerialSettings& settings) {
    if (active()) return true;
    if (!m_session.view.m_bCompiled || !m_session.app.m_bCompiled) {
        rs::msg::refuse(m_sink, rs::msg::kNotCompiled);
        return false;
    }
    m_memory.clear();
    m_bFlowPrepared = false;
    rs::sim::LoadError error;  // a list the engine refuses is monitored without its marks
    m_program = rs::sim::loadProgram(rs::eval::tableRows(m_session.table()), error);
    m_listEngine.load(rs::sim::Program{});
    m_plan = Plan::None;
    if (m_session.view.m_bListMode)
        planList();
    else
        planRows(0, kRowsInSight);
    if (!m_poll.start(port, settings, m_sink)) return false;
    m_rateClock.start();
    m_rateRounds = 0;
    m_rate = 0;
    showStatus();
    m_pView->refresh();
    emit stateChanged();
    return true;
}

void MonitorController::stop() {
    if (!active()) return;
    m_poll.stop();
    m_memory.clear();
    if (m_pStatus) m_pStatus->clear();
    m_pView->refresh();
    emit stateChanged();
}

void MonitorController::planRows(int firstRow, int lastRow) {
    if (m_plan == Plan::Ladder && firstRow == m_firstRow && lastRow == m_lastRow) return;
    m_plan = Plan::Ladder;
    m_firstRow = firstRow;
    m_lastRow = lastRow;
    m_poll.setReads(
        rs::online::planReads(rs::online::ladderSpans(m_session.grid(), firstRow, lastRow)));
}

void MonitorController::planList() {
    if (m_plan == Plan::List) return;
    m_plan = Plan::List;
    m_poll.setReads(m_program ? rs::online::planReads(rs::online::programSpans(*m_program))
                              : std::vector<rs::online::DeviceRead>{});
}

void MonitorController::onRound() {
    m_memory = m_poll.image();
    // Refreshes a second over the rounds since the rate was last taken; a
    // whole second starts the next count.
    ++m_rateRounds;
    const qint64 elapsed = m_rateClock.elapsed();
    if (elapsed > 0)
        m_rate = static_cast<double>(m_rateRounds) * 1000.0 / static_cast<double>(elapsed);
    if (elapsed >= kRateWindowMs) {
        m_rateClock.restart();
        m_rateRounds = 0;
    }
    if (!m_session.view.m_bListMode) {
        if (!m_bFlowPrepared) m_flow.prepare(m_session.grid());
        m_bFlowPrepared = true;
        m_flow.update(m_session.grid(), m_shown);
    } else if (m_program && m_plan == Plan::List) {
        m_scratch = m_memory;
        m_listEngine.load(*m_program);
        m_listEngine.scan(0);
    }
    showStatus();
    m_pView->refresh();
}

void MonitorController::onNote(rs::online::DevicePoll::Note note) {
    if (note == rs::online::DevicePoll::Note::Interrupted) {
        m_memory.clear();
        if (m_pStatus) m_pStatus->clear();
        m_pView->refresh();
        emit stateChanged();
        m_sink.inform(rs::msg::kInterruption, rs::msg::kErrorCaption, rs::MessageIcon::Critical);
        return;
    }
    showStatus();
}

void MonitorController::showStatus() {
    if (!m_pStatus) return;
    if (m_poll.silent()) {
        m_pStatus->setText(rs::qt::sysText(rs::msg::kControllerSilent));
        return;
    }
    m_pStatus->setText(
        rs::qt::sysText("Monitor: %1 refreshes, %2/s").arg(m_poll.rounds()).arg(m_rate, 0, 'f', 1));
}

void MonitorController::forceOrWriteAt(int row, int col) {
    if (!active() || m_session.view.m_bListMode) return;
    const rs::LadderGrid& grid = m_session.grid();
    const std::vector<std::string> words = rs::sim::shownWordDevices(grid, row, col);
    const std::string contact = rs::sim::contactDevice(grid, row, col);
    // A contact of a bit device, or a coil of one: forced to the other state.
    std::string bitDevice = contact;
    if (bitDevice.empty() && col == rs::kOutputCol && grid.kind(row, col) == rs::Coil &&
        words.empty())
        bitDevice = grid.text(row, col).substr(0, grid.text(row, col).find(' '));
    if (!bitDevice.empty() && (words.empty() || !contact.empty())) {
        const auto bit = rs::device::deviceAddress(bitDevice, rs::device::AccessKind::Bit);
        if (!bit || !rs::device::isBitLetter(bitDevice[0])) return;
        m_poll.force(bitDevice, *bit, !m_memory.bit(*bit));
        return;
    }
    if (words.empty()) return;
    const auto chosen = askWordValue(m_pView, words, m_shown);
    if (!chosen) return;
    const char letter = chosen->device[0];
    const auto kind = letter == 'T' || letter == 'C' ? rs::device::AccessKind::Loop
                                                     : rs::device::AccessKind::Word;
    if (const auto address = rs::device::deviceAddress(chosen->device, kind))
        m_poll.writeWord(chosen->device, *address, chosen->value);
}

void MonitorController::paintOverlay(QPainter& painter, const rs::shell::Scene& drawn, int firstY,
                                     int lastY) {
    if (!active()) return;
    const auto g = m_pView->geometry();
    // While the controller is silent its last values are stale: the program
    // is drawn plain, beside the status bar's note.
    const bool stale = m_poll.silent() || m_poll.rounds() == 0;
    if (m_session.view.m_bListMode) {
        planList();
        if (stale) return;
        paintSimulationScene(
            painter, rs::shell::simulationListScene(m_listEngine, g.clientWidth, firstY, lastY));
        return;
    }
    if (g.H > 0) planRows(firstY / g.H, lastY / g.H);
    if (stale) return;
    if (!m_bFlowPrepared) {
        m_flow.prepare(m_session.grid());
        m_flow.update(m_session.grid(), m_shown);
        m_bFlowPrepared = true;
    }
    paintSimulationScene(painter,
                         rs::shell::simulationLadderScene(
                             {drawn, m_session.grid(), g, m_flow, m_shown, firstY, lastY}));
}

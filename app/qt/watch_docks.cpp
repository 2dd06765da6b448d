#include "app/qt/watch_docks.h"

#include <QLineEdit>
#include <QMainWindow>

#include "app/model/comment_text.h"
#include "app/qt/child_frame.h"
#include "app/qt/timing_chart_bar.h"
#include "app/qt/watch_bar.h"
#include "core/messages.h"

CWatchDocks::CWatchDocks(QMainWindow* window, rs::MessageSink& sink, ProjectWindow project)
    : QObject(window),
      m_frame(window),
      m_sink(sink),
      m_project(std::move(project)),
      m_pWatch(new CWatchBar(window)),
      m_pChart(new CTimingChartBar(m_list.history(), window)) {
    window->addDockWidget(Qt::RightDockWidgetArea, m_pWatch);
    window->addDockWidget(Qt::BottomDockWidgetArea, m_pChart);
    m_pWatch->hide();
    m_pChart->hide();
    connect(m_pWatch, &QDockWidget::visibilityChanged, this, &CWatchDocks::stateChanged);
    connect(m_pChart, &QDockWidget::visibilityChanged, this, &CWatchDocks::stateChanged);
    connect(m_pWatch, &CWatchBar::addRequested, this, [this](const QString& device) {
        if (add(device.toStdString())) m_pWatch->deviceEdit()->clear();
    });
    connect(m_pWatch, &CWatchBar::removeRequested, this, [this](int index) {
        m_list.remove(static_cast<size_t>(index));
        refresh();
    });
    connect(m_pWatch, &CWatchBar::toggleRequested, this, [this](int index) { edit(index, {}); });
    // After the table has finished with the edited item.
    connect(
        m_pWatch, &CWatchBar::valueEntered, this,
        [this](int index, const QString& text) { edit(index, text.toStdString()); },
        Qt::QueuedConnection);
    refresh();
}

CWatchDocks::~CWatchDocks() {
    disconnect(m_pWatch, nullptr, this, nullptr);
    disconnect(m_pChart, nullptr, this, nullptr);
    delete m_pChart;
    delete m_pWatch;
}

void CWatchDocks::follow(CChildFrame* child) {
    SimulationController* simulation = &child->simulation();
    connect(simulation, &SimulationController::scanned, this, [this, simulation] {
        const bool newRun = simulation->engine().scans() == 1;
        m_list.sampled(simulation->engine());
        if (newRun) m_pChart->restart();
    });
    connect(simulation, &SimulationController::displayRefreshed, this, &CWatchDocks::refresh);
    connect(simulation, &SimulationController::stateChanged, this, &CWatchDocks::refresh);
}

const rs::sim::Engine* CWatchDocks::activeEngine() const {
    CChildFrame* child = m_project();
    if (!child || !child->simulation().active()) return nullptr;
    return &child->simulation().engine();
}

bool CWatchDocks::add(const std::string& device) {
    std::string problem;
    if (!m_list.add(device, problem)) {
        rs::msg::refuse(m_sink, problem);
        return false;
    }
    m_pWatch->show();
    m_pWatch->raise();
    refresh();
    return true;
}

void CWatchDocks::addFromCursor() {
    CChildFrame* child = m_project();
    if (!child) return;
    const std::string device = rs::shell::cursorDevice(child->session());
    if (device.empty()) {
        rs::msg::refuse(m_sink, "The cursor names no device to watch");
        return;
    }
    add(device);
}

void CWatchDocks::edit(int index, const std::string& typed) {
    const rs::sim::Engine* engine = activeEngine();
    if (!engine) return;
    std::string problem;
    const auto write = m_list.edit(static_cast<size_t>(index), typed, *engine, problem);
    if (!write) {
        rs::msg::refuse(m_sink, problem);
        refresh();
        return;
    }
    m_project()->simulation().writeDevice(write->device.value, write->value);
    refresh();
}

void CWatchDocks::toggleWatchWindow() {
    m_pWatch->setVisible(!m_pWatch->isVisibleTo(m_frame));
}

void CWatchDocks::toggleTimingChart() {
    m_pChart->setVisible(!m_pChart->isVisibleTo(m_frame));
}

void CWatchDocks::refresh() {
    const rs::sim::Engine* engine = activeEngine();
    m_pWatch->showRows(m_list.rows(engine), engine != nullptr);
    m_pChart->refresh();
}

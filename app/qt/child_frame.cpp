#include "app/qt/child_frame.h"

#include <QCloseEvent>
#include <QMdiArea>

#include "app/qt/project_signals.h"

CChildFrame::CChildFrame(rs::AppStore& app, rs::MessageSink& sink, const rs::RangeFile& ranges,
                         rs::DialogProvider& dialogs, rs::ClipboardText& clipboard,
                         QStatusBar* status)
    : m_project(app, sink, ranges, dialogs, clipboard),
      m_pView(new CCorvaneElectricPLCView(m_project.session(), this)),
      m_pSimulation(new SimulationController(m_project.session(), sink, m_pView, this)),
      m_pMonitor(new MonitorController(m_project.session(), sink, m_pView, this)) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWidget(m_pView);
    m_pView->setComments(&m_project.document().comments());
    connect(new CProjectSignals(m_project, this), &CProjectSignals::changed, this,
            &CChildFrame::follow);

    // While a simulation runs, a double click toggles the input of an X contact;
    // while the monitor runs, it forces a bit device or writes a word.
    connect(m_pView, &CCorvaneElectricPLCView::cellEditRequested, this, [this](int row, int col) {
        if (m_pSimulation->active())
            m_pSimulation->toggleInputAt(row, col);
        else if (m_pMonitor->active())
            m_pMonitor->forceOrWriteAt(row, col);
        else
            m_project.editCell(row, col, m_pView->pointer().dragged);
    });
    m_pView->setOverlay([this](QPainter& p, const rs::shell::Scene& drawn, int firstY, int lastY) {
        m_pSimulation->paintOverlay(p, drawn, firstY, lastY);
        m_pMonitor->paintOverlay(p, drawn, firstY, lastY);
    });
    m_pSimulation->showStatusIn(status);
    m_pMonitor->showStatusIn(status);
    // A simulation or the monitor locks the program; their live values take
    // the place of the comments under the contacts and coils.
    const auto lock = [this] {
        const bool live = m_pSimulation->active() || m_pMonitor->active();
        m_project.setLocked(live);
        m_pView->setComments(live ? nullptr : &m_project.document().comments());
        m_pView->viewport()->update();
        emit stateChanged();
    };
    connect(m_pSimulation, &SimulationController::stateChanged, this, lock);
    connect(m_pMonitor, &MonitorController::stateChanged, this, lock);
    // A click in the margin toggles the breakpoint of the line or rung.
    connect(m_pView, &CCorvaneElectricPLCView::marginPressed, m_pSimulation,
            &SimulationController::toggleBreakpointAtMargin);
    connect(m_pView, &CCorvaneElectricPLCView::lineEditRequested, this,
            [this] { m_project.editListLine(m_pView->pointer().dragged); });
    connect(m_pView, &CCorvaneElectricPLCView::deleteRequested, this,
            [this] { edit(rs::EditCommand::Delete); });
}

CChildFrame::~CChildFrame() = default;

void CChildFrame::edit(rs::EditCommand command) {
    m_project.edit(command, m_pView->pointer().dragged);
}

void CChildFrame::enterKey() {
    m_project.enterKey(m_pView->pointer().dragged);
}

void CChildFrame::follow(bool program, bool followCursor, bool comments) {
    if (program) {
        m_pSimulation->gridChanged();
        m_pMonitor->gridChanged();
        m_pView->refresh();
    } else if (comments) {
        m_pView->viewport()->update();
    }
    if (followCursor) m_pView->scrollToCursor();
    emit stateChanged();
}

QSize CChildFrame::sizeHint() const {
    if (const QMdiArea* area = mdiArea()) return area->viewport()->size() * 3 / 4;
    return QMdiSubWindow::sizeHint();
}

void CChildFrame::closeNow() {
    m_bClosingNow = true;
    close();
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (m_bClosingNow || !m_mayClose || m_mayClose()) {
        event->accept();
        emit closed(this);
        return;
    }
    event->ignore();
}

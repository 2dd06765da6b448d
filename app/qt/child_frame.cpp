#include "app/qt/child_frame.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QStatusBar>

#include "app/model/list_scene.h"
#include "app/model/view_input.h"
#include "app/qt/main_frame.h"
#include "core/convert/convert.h"
#include "core/convert/tidy.h"
#include "core/list_to_ladder/presentation_switch.h"

CChildFrame::CChildFrame(rs::AppStore& app, rs::MessageSink& sink, const rs::RangeFile& ranges,
                         rs::DialogProvider& dialogs, rs::ClipboardText& clipboard,
                         CMainFrame* frame)
    : m_frame(frame),
      m_session(app, m_view, sink, ranges),
      m_doc(m_session),
      m_editor(m_session, dialogs, clipboard),
      m_history(m_session),
      m_pView(new CCorvaneElectricPLCView(m_session, this)),
      m_pSimulation(new SimulationController(m_session, sink, m_pView, this)) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWidget(m_pView);
    m_session.startView();
    m_editor.onModified = [this] { m_doc.setModifiedFlag(true); };

    // While a simulation runs, a double click toggles the input of an X contact.
    connect(m_pView, &CCorvaneElectricPLCView::cellEditRequested, this, [this](int row, int col) {
        if (m_pSimulation->active())
            m_pSimulation->toggleInputAt(row, col);
        else
            runEditor([&] { m_editor.cellEdit(row, col); });
    });
    m_pView->setOverlay([this](QPainter& p, const rs::shell::Scene& drawn, int firstY, int lastY) {
        m_pSimulation->paintOverlay(p, drawn, firstY, lastY);
    });
    m_pSimulation->showStatusIn(frame->statusBar());
    connect(m_pSimulation, &SimulationController::stateChanged, frame, &CMainFrame::stateChanged);
    connect(m_pView, &CCorvaneElectricPLCView::lineEditRequested, this,
            [this] { runEditor([&] { m_editor.editListLine(m_view.m_nListCursor); }); });
    connect(m_pView, &CCorvaneElectricPLCView::deleteRequested, this,
            [this] { runEditor([&] { m_editor.run(rs::EditCommand::Delete); }); });
}

// Every edit sets the document's modified flag: an editing command that
// leaves the program unconverted has changed it, and one that does not (a
// cancelled dialog on a converted program) has changed nothing.
void CChildFrame::runEditor(const std::function<void()>& edit) {
    if (m_pSimulation->active()) return;  // a simulation locks the program
    recorded([&] {
        m_editor.m_bDragged = m_pView->pointer().dragged;
        // The mark of an earlier report goes with the next edit; a report of this
        // edit sets its own.
        m_view.highlight = {};
        edit();
        if (!m_view.m_bCompiled) m_doc.setModifiedFlag(true);
        modelChanged();
        // An entry moves the cursor on; it stays in sight.
        m_pView->scrollToCursor();
    });
}

// The step is taken after the tidy steps ran, so that undo gives back the
// program as it was drawn.
void CChildFrame::recorded(const std::function<void()>& command) {
    m_history.begin(m_doc.isModified());
    command();
    m_history.commit(m_doc.isModified());
    emit m_frame->stateChanged();
}

void CChildFrame::stepHistory(bool older) {
    const bool done =
        older ? m_history.undo(m_doc.isModified()) : m_history.redo(m_doc.isModified());
    if (!done) return;
    m_doc.setModifiedFlag(m_history.modified());
    modelChanged();
    if (!m_view.m_bListMode) m_pView->scrollToCursor();
}

void CChildFrame::edit(rs::EditCommand command) {
    runEditor([&] { m_editor.run(command); });
}

// Enter opens the entry dialog of the cursor cell or line, as a double-click
// there does.
void CChildFrame::enterKey() {
    if (m_view.m_bListMode) {
        runEditor([&] { m_editor.editListLine(m_view.m_nListCursor); });
        return;
    }
    const int row = m_view.grid->m_nCursorRow, col = m_view.grid->m_nCursorCol;
    if (rs::shell::ladderCellEditable(*m_view.grid, row, col))
        runEditor([&] { m_editor.cellEdit(row, col); });
}

void CChildFrame::switchPresentation() {
    recorded([this] {
        rs::ladder::switchPresentation(m_session);
        modelChanged();
    });
}

void CChildFrame::convert() {
    recorded([this] { convertProgram(); });
}

void CChildFrame::convertProgram() {
    // Convert does nothing while the list is shown; on the ladder it replaces
    // the mark of an earlier report with its own, if any.
    if (!m_view.m_bListMode) m_view.highlight = {};
    const rs::ConvertOutcome outcome = rs::convertLadder(m_session);
    if (!outcome.ran) return;
    m_doc.setModifiedFlag(true);
    // The report puts the cursor on the cell it names and scrolls to it.
    const bool report = outcome.unconvertible && outcome.reportRow >= 0 && outcome.reportCol >= 0;
    if (report) {
        m_view.grid->m_nCursorRow = outcome.reportRow;
        m_view.grid->m_nCursorCol = outcome.reportCol;
    }
    modelChanged();
    if (report) m_pView->scrollToCursor();
}

CChildFrame::~CChildFrame() = default;

void CChildFrame::modelChanged() {
    if (m_doc.m_bJustLoaded) m_doc.takeOver();
    if (m_view.m_bListMode) {
        rs::shell::prepareListForDrawing(m_session);
    } else {
        rs::tidyGrid(m_session);
    }
    m_pSimulation->gridChanged();
    m_pView->refresh();
    emit m_frame->stateChanged();
}

void CChildFrame::edited() {
    m_doc.setModifiedFlag(true);
    modelChanged();
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
    if (m_bClosingNow || m_frame->childMayClose(this)) {
        event->accept();
        m_frame->childClosed(this);
        return;
    }
    event->ignore();
}

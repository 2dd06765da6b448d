#include "app/qt/search_commands.h"

#include <QMainWindow>
#include <QScrollBar>
#include <QStatusBar>

#include "app/model/ladder_geometry.h"
#include "app/qt/child_frame.h"

using rs::search::FindKind;
using rs::search::FindOutcome;
using rs::shell::kListLineHeight;

namespace {

constexpr int kNoteMilliseconds = 6000;

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

CSearchCommands::CSearchCommands(QMainWindow* frame, ProjectWindow project)
    : QObject(frame),
      m_frame(frame),
      m_project(std::move(project)),
      m_pXref(new CCrossReferenceBar(frame)) {
    frame->addDockWidget(Qt::RightDockWidgetArea, m_pXref);
    m_pXref->hide();
    connect(m_pXref, &CCrossReferenceBar::placeChosen, this, &CSearchCommands::goTo);
    connect(m_pXref, &QDockWidget::visibilityChanged, this, &CSearchCommands::stateChanged);
}

void CSearchCommands::findNext() {
    if (m_lastQuery)
        find(*m_lastQuery);
    else
        showDialog(FindKind::Device);
}

void CSearchCommands::replaceDevice() {
    CReplaceDeviceDialog dialog(m_frame);
    if (m_lastQuery && m_lastQuery->kind == FindKind::Device)
        dialog.fromEdit()->setText(qs(m_lastQuery->text));
    if (dialog.exec() == QDialog::Accepted)
        replace(dialog.fromEdit()->text().toStdString(), dialog.toEdit()->text().toStdString());
}

void CSearchCommands::toggleCrossReference() {
    m_pXref->setVisible(!m_pXref->isVisibleTo(m_frame));
    refreshCrossReference();
}

CFindDialog* CSearchCommands::findDialog(FindKind kind) {
    QPointer<CFindDialog>& dialog = m_dialogs[kind];
    if (!dialog) {
        dialog = new CFindDialog(kind, m_frame);
        connect(dialog, &CFindDialog::findNext, this, &CSearchCommands::find);
    }
    return dialog;
}

void CSearchCommands::showDialog(FindKind kind) {
    CFindDialog* dialog = findDialog(kind);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    dialog->textEdit()->selectAll();
    dialog->textEdit()->setFocus();
}

void CSearchCommands::note(const QString& text) {
    m_frame->statusBar()->showMessage(text, kNoteMilliseconds);
}

void CSearchCommands::find(const rs::search::FindQuery& query) {
    CChildFrame* project = m_project();
    if (!project) return;
    m_lastQuery = query;
    rs::Session& s = project->session();
    const rs::DeviceComments& comments = project->document().comments();
    const FindOutcome out = rs::search::findNext(s, query, [&comments](const std::string& word) {
        return std::string(comments.findText(word));
    });
    const QString text = qs(query.text).trimmed();
    switch (out.result) {
        case FindOutcome::Invalid:
            note(query.kind == FindKind::Device && !text.isEmpty()
                     ? QString("\"%1\" is not a device.").arg(text)
                     : QString("Nothing to find."));
            return;
        case FindOutcome::NotFound:
            note(QString("\"%1\" was not found.").arg(text));
            return;
        case FindOutcome::Wrapped:
            note(query.down ? "Passed the end; continued from the start."
                            : "Passed the start; continued from the end.");
            break;
        case FindOutcome::Found:
            m_frame->statusBar()->clearMessage();
            break;
    }
    rs::search::DevicePlace place;
    place.inList = out.inList;
    place.row = out.row;
    place.col = out.col;
    goTo(place);
}

// Puts the cursor on a place of the shown presentation and scrolls to it.
void CSearchCommands::goTo(const rs::search::DevicePlace& place) {
    CChildFrame* project = m_project();
    if (!project) return;
    rs::Session& s = project->session();
    if (place.inList != (s.view.m_bListMode != 0)) return;  // the other presentation
    CCorvaneElectricPLCView* view = project->view();
    if (place.inList) {
        s.view.m_nListCursor = place.row;
        const int y = place.row * kListLineHeight;
        const int top = view->verticalScrollBar()->value();
        const int height = view->viewport()->height();
        if (y < top || y + kListLineHeight > top + height)
            view->scrollToY(std::max(0, y - height / 2));
    } else {
        s.view.grid->m_nCursorRow = place.row;
        s.view.grid->m_nCursorCol = place.col;
        view->scrollToCursor();
    }
    view->refresh();
    view->setFocus();
}

void CSearchCommands::replace(const std::string& from, const std::string& to) {
    CChildFrame* project = m_project();
    if (!project) return;
    const rs::search::ReplaceOutcome out = project->project().replaceDevice(from, to);
    switch (out.result) {
        case rs::search::ReplaceOutcome::Replaced:
            note(QString("%1 renamed to %2 in %3 places.")
                     .arg(qs(from).trimmed().toUpper(), qs(to).trimmed().toUpper())
                     .arg(out.places));
            break;
        case rs::search::ReplaceOutcome::NotFound:
            note(QString("\"%1\" is not used in the program.").arg(qs(from).trimmed()));
            break;
        case rs::search::ReplaceOutcome::Invalid:
            note("Both texts must be devices.");
            break;
        case rs::search::ReplaceOutcome::Refused:
            break;  // the line check showed its message
    }
}

void CSearchCommands::refreshCrossReference() {
    if (!m_pXref->isVisibleTo(m_frame)) return;
    CChildFrame* project = m_project();
    m_pXref->refresh(project ? &project->session() : nullptr,
                     project ? &project->document().comments() : nullptr);
}

#include "app/qt/child_frame.h"

#include <QCloseEvent>

#include "app/model/list_scene.h"
#include "app/qt/main_frame.h"
#include "core/convert/tidy.h"

CChildFrame::CChildFrame(rs::AppStore& app, rs::MessageSink& sink, const rs::RangeFile& ranges,
                         CMainFrame* frame)
    : m_frame(frame),
      m_session(app, m_view, sink, ranges),
      m_doc(m_session),
      m_pView(new CCorvaneElectricPLCView(m_session, this)) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWidget(m_pView);
    m_session.startView();
}

CChildFrame::~CChildFrame() = default;

void CChildFrame::modelChanged() {
    if (m_doc.m_bJustLoaded) m_doc.takeOver();
    if (m_view.m_bListMode) {
        rs::shell::prepareListForDrawing(m_session);
    } else {
        rs::tidyGrid(m_session);
    }
    m_pView->refresh();
    emit m_frame->stateChanged();
}

void CChildFrame::edited() {
    m_doc.setModifiedFlag(true);
    modelChanged();
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

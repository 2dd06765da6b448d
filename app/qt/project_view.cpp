#include "app/qt/project_view.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "app/model/ladder_scene.h"
#include "app/model/list_scene.h"
#include "app/model/menu_layout.h"
#include "app/model/scroll_extent.h"
#include "app/model/stepping_scene.h"
#include "app/qt/scene_painter.h"
#include "translations/system_text.h"

namespace {

// A page and a line of the scroll bars, in pixels.
constexpr int kPageStep = 2000;
constexpr int kLineStep = 200;

}  // namespace

CCorvaneElectricPLCView::CCorvaneElectricPLCView(rs::Session& session, QWidget* parent)
    : QAbstractScrollArea(parent), m_session(session) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(true);
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(pal);
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
        bar->setPageStep(kPageStep);
        bar->setSingleStep(kLineStep);
    }
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

rs::shell::LadderGeometry CCorvaneElectricPLCView::geometry() const {
    return rs::shell::LadderGeometry(viewport()->width(), viewport()->height());
}

void CCorvaneElectricPLCView::refresh() {
    updateScrollRange();
    const int listMode = m_session.view.m_bListMode != 0 ? 1 : 0;
    if (listMode != m_nShownListMode) {
        if (m_nShownListMode >= 0) m_session.view.highlight = {};
        m_nShownListMode = listMode;
        horizontalScrollBar()->setValue(0);
        scrollToY(0);
        scrollToCursor();
    }
    viewport()->update();
}

void CCorvaneElectricPLCView::updateScrollRange() {
    const rs::shell::ScrollExtent extent =
        rs::shell::viewExtent(m_session, geometry(), viewport()->height());
    horizontalScrollBar()->setRange(0, std::max(0, extent.width - viewport()->width()));
    verticalScrollBar()->setRange(0, std::max(0, extent.height - viewport()->height()));
}

void CCorvaneElectricPLCView::scrollToY(int y) {
    verticalScrollBar()->setValue(y);
}

void CCorvaneElectricPLCView::scrollToCursor() {
    using rs::shell::scrollToShow;
    updateScrollRange();
    QScrollBar* vbar = verticalScrollBar();
    const int height = viewport()->height();
    if (m_session.view.m_bListMode) {
        const int top = m_session.view.m_nListCursor * rs::shell::kListLineHeight;
        vbar->setValue(scrollToShow(vbar->value(), height, top, top + rs::shell::kListLineHeight));
        return;
    }
    const auto g = geometry();
    const rs::LadderGrid& grid = m_session.grid();
    const int top = grid.m_nCursorRow * g.H;
    vbar->setValue(scrollToShow(vbar->value(), height, top, top + g.H));
    QScrollBar* hbar = horizontalScrollBar();
    const int left = std::max(grid.m_nCursorCol, 0) * g.W;
    hbar->setValue(scrollToShow(hbar->value(), viewport()->width(), left, left + g.W));
}

void CCorvaneElectricPLCView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
}

rs::shell::Point CCorvaneElectricPLCView::scrolled(const QPoint& p) const {
    return {p.x() + horizontalScrollBar()->value(), p.y() + verticalScrollBar()->value()};
}

void CCorvaneElectricPLCView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const int dx = horizontalScrollBar()->value(), dy = verticalScrollBar()->value();
    painter.translate(-dx, -dy);
    const auto g = geometry();
    const int firstY = dy, lastY = dy + viewport()->height();
    if (m_session.view.m_bListMode) {
        rs::shell::ListSceneInput in{m_session, g.clientWidth, firstY, lastY, {}, m_pComments};
        if (m_bSelecting)
            in.selection = {true, m_session.view.m_nListCursor,
                            m_session.view.m_nListCursor + m_session.view.m_nListSelExtent};
        const rs::shell::Scene scene = rs::shell::listScene(in);
        paintScene(painter, scene);
        if (m_overlay) m_overlay(painter, scene, firstY, lastY);
        return;
    }
    rs::shell::LadderSceneInput in{
        m_session.grid(),         g,          m_session.mode2(), firstY, lastY, {},
        m_session.view.highlight, m_pComments};
    if (m_bSelecting) {
        const rs::LadderGrid& grid = m_session.grid();
        in.selection = {true, grid.m_nCursorRow, grid.m_nCursorCol, m_session.view.m_nSelEndRow,
                        m_session.view.m_nSelEndCol};
    }
    const rs::shell::Scene scene = rs::shell::ladderScene(in);
    paintScene(painter, scene);
    if (m_overlay) m_overlay(painter, scene, firstY, lastY);
}

void CCorvaneElectricPLCView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_bSelecting = false;
        const rs::shell::Point at = scrolled(event->position().toPoint());
        rs::shell::pressAt(m_session, m_pointer, at, geometry());
        refresh();
        if (const auto row = rs::shell::marginRowAt(m_session.view.m_bListMode, at, geometry()))
            emit marginPressed(*row);
        return;
    }
    if (event->button() == Qt::RightButton) {
        showContextMenu(event->globalPosition().toPoint());
        return;
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void CCorvaneElectricPLCView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) return;
    rs::shell::dragTo(m_session, m_pointer, scrolled(event->position().toPoint()), geometry());
    m_bSelecting = true;
    refresh();
}

void CCorvaneElectricPLCView::mouseReleaseEvent(QMouseEvent* event) {
    // The highlight stays until the next repaint after the drag.
    m_bSelecting = false;
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void CCorvaneElectricPLCView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const auto at = scrolled(event->position().toPoint());
    if (m_session.view.m_bListMode) {
        const int line = at.y / rs::shell::kListLineHeight;
        const int end = rs::shell::listEndLine(m_session.table());
        if (end >= 0 && line > end) {
            m_session.view.m_nListCursor = end;
        } else {
            m_session.view.m_nListCursor = line;
            emit lineEditRequested();
        }
    } else if (const auto cell =
                   rs::shell::ladderDoubleClickCell(m_session.grid(), at, geometry())) {
        emit cellEditRequested(cell->y, cell->x);
    }
    refresh();
}

void CCorvaneElectricPLCView::wheelEvent(QWheelEvent* event) {
    const int notches = static_cast<int>(event->angleDelta().y() * 0.01);
    QScrollBar* bar = verticalScrollBar();
    if (notches > 0) bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    if (notches < 0) bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    event->accept();
}

void CCorvaneElectricPLCView::applyMove(const rs::shell::CursorMove& move) {
    if (move.scrollY) scrollToY(*move.scrollY);
    if (!move.moved) return;
    // Past the rows the key itself scrolls to, the cursor stays in sight.
    scrollToCursor();
    refresh();
}

void CCorvaneElectricPLCView::keyPressEvent(QKeyEvent* event) {
    using rs::shell::Arrow;
    const bool list = m_session.view.m_bListMode;
    const auto arrow = [&](Arrow a) {
        if (list) {
            applyMove(rs::shell::listArrow(m_session, a));
        } else {
            applyMove(rs::shell::ladderArrow(m_session, a, geometry()));
        }
    };
    switch (event->key()) {
        case Qt::Key_Left:
            arrow(Arrow::Left);
            return;
        case Qt::Key_Right:
            arrow(Arrow::Right);
            return;
        case Qt::Key_Up:
            arrow(Arrow::Up);
            return;
        case Qt::Key_Down:
            arrow(Arrow::Down);
            return;
        case Qt::Key_Delete:
            if (event->modifiers() == Qt::NoModifier) {
                emit deleteRequested();
                return;
            }
            break;
        default:
            break;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void CCorvaneElectricPLCView::showContextMenu(const QPoint& globalPos) {
    QMenu menu(this);
    for (const auto& entry : rs::shell::viewContextMenu()) {
        if (entry.kind == rs::shell::MenuEntry::Separator) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(rs::qt::sysText(entry.text));
        action->setData(entry.command);
        if (m_isEnabled) action->setEnabled(m_isEnabled(entry.command));
    }
    if (QAction* chosen = menu.exec(globalPos)) emit commandRequested(chosen->data().toInt());
}

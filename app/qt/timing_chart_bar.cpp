#include "app/qt/timing_chart_bar.h"

#include <QAction>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

#include "app/qt/scene_painter.h"

namespace {

// A waveform's lines, all horizontal or vertical, two pixels wide: filled as
// rectangles in one call, which costs a fraction of stroking thousands of
// wide lines. Its texts follow in the same colour.
void paintWaves(QPainter& painter, const rs::shell::Scene& waves, const QColor& colour) {
    QVector<QRect> rects;
    rects.reserve(static_cast<qsizetype>(waves.lines.size()));
    for (const auto& l : waves.lines)
        rects.append(QRect(QPoint(std::min(l.from.x, l.to.x), std::min(l.from.y, l.to.y)),
                           QPoint(std::max(l.from.x, l.to.x) + 1, std::max(l.from.y, l.to.y) + 1)));
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRects(rects);
    painter.restore();
    rs::shell::Scene texts;
    texts.texts = waves.texts;
    paintScene(painter, texts, QPen(colour, 1));
}

}  // namespace

void paintTimingChart(QPainter& painter, const rs::shell::ChartScene& scene, int width) {
    painter.fillRect(QRect(0, 0, width, scene.height), Qt::white);
    paintScene(painter, scene.frame, QPen(QColor(80, 80, 80), 1));
    paintWaves(painter, scene.bits, QColor(0, 140, 0));
    paintWaves(painter, scene.words, QColor(0, 0, 190));
    paintScene(painter, scene.cursor, QPen(QColor(210, 0, 0), 1));
}

CTimingChartView::CTimingChartView(const rs::sim::TraceHistory& history,
                                   rs::shell::ChartControl& control, QWidget* parent)
    : QWidget(parent), m_history(history), m_control(control) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    refresh();
}

rs::shell::ChartView CTimingChartView::chartView() const {
    return m_control.view(m_history, width());
}

QSize CTimingChartView::sizeHint() const {
    return {600, rs::shell::chartHeight(m_history.tracedSignals().size())};
}

void CTimingChartView::refresh() {
    setMinimumHeight(rs::shell::chartHeight(m_history.tracedSignals().size()));
    update();
}

void CTimingChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    paintTimingChart(painter, rs::shell::timingChartScene(m_history, chartView()), width());
}

void CTimingChartView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton)
        m_control.setCursor(std::nullopt);
    else
        m_control.setCursor(rs::shell::chartTimeAt(chartView(), event->position().toPoint().x()));
    update();
}

void CTimingChartView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier) || event->angleDelta().y() == 0) {
        event->ignore();
        return;
    }
    emit zoomRequested(event->angleDelta().y() > 0 ? -1 : 1);
}

CTimingChartBar::CTimingChartBar(const rs::sim::TraceHistory& history, QWidget* parent)
    : QDockWidget("Timing chart", parent), m_history(history) {
    setObjectName("Timing chart");
    setAllowedAreas(Qt::AllDockWidgetAreas);
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* tools = new QToolBar(body);
    QAction* zoomIn = tools->addAction("Zoom in");
    QAction* zoomOut = tools->addAction("Zoom out");
    m_pause = tools->addAction("Pause");
    m_pause->setCheckable(true);
    layout->addWidget(tools);
    auto* scroll = new QScrollArea(body);
    scroll->setWidgetResizable(true);
    m_view = new CTimingChartView(history, m_control, scroll);
    scroll->setWidget(m_view);
    layout->addWidget(scroll, 1);
    setWidget(body);

    auto zoom = [this](int steps) {
        m_control.zoom(steps);
        m_view->update();
    };
    connect(zoomIn, &QAction::triggered, this, [zoom] { zoom(-1); });
    connect(zoomOut, &QAction::triggered, this, [zoom] { zoom(1); });
    connect(m_view, &CTimingChartView::zoomRequested, this, zoom);
    connect(m_pause, &QAction::toggled, this, [this](bool paused) {
        m_control.setPaused(paused, m_history);
        m_view->update();
    });
}

void CTimingChartBar::restart() {
    m_control.restart();
    const QSignalBlocker quiet(m_pause);
    m_pause->setChecked(false);
    m_view->refresh();
}

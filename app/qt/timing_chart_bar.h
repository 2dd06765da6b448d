#pragma once

#include <QDockWidget>
#include <QWidget>

#include "app/model/timing_chart.h"

class QAction;
class QPainter;

// Paints the timing chart of a trace as the chart's geometry lays it out; a
// click sets the time cursor, a right click removes it, Ctrl and the wheel
// zoom.
class CTimingChartView : public QWidget {
    Q_OBJECT
  public:
    CTimingChartView(const rs::sim::TraceHistory& history, rs::shell::ChartControl& control,
                     QWidget* parent = nullptr);

    rs::shell::ChartView chartView() const;
    QSize sizeHint() const override;
    // The trace or the watches changed: the height follows, then a repaint.
    void refresh();

  signals:
    void zoomRequested(int steps);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    const rs::sim::TraceHistory& m_history;
    rs::shell::ChartControl& m_control;
};

// "Timing chart": a dock with the watched devices' waveforms over the last
// seconds of virtual time, with "Zoom in", "Zoom out" and "Pause".
class CTimingChartBar : public QDockWidget {
    Q_OBJECT
  public:
    CTimingChartBar(const rs::sim::TraceHistory& history, QWidget* parent = nullptr);

    void refresh() { m_view->refresh(); }
    // A new run: live, no cursor.
    void restart();
    CTimingChartView* chart() const { return m_view; }
    QAction* pauseAction() const { return m_pause; }
    const rs::shell::ChartControl& control() const { return m_control; }

  private:
    const rs::sim::TraceHistory& m_history;
    rs::shell::ChartControl m_control;
    CTimingChartView* m_view;
    QAction* m_pause;
};

// Draws a chart's scenes, each in its colour.
void paintTimingChart(QPainter& painter, const rs::shell::ChartScene& scene, int width);

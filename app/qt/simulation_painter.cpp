#include "app/qt/simulation_painter.h"

#include "app/qt/scene_painter.h"

void paintSimulationScene(QPainter& painter, const rs::shell::Scene& lit) {
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 200, 0, 70));
    for (const auto& h : lit.highlights)
        painter.drawRect(QRect(h.left, h.top, h.right - h.left, h.bottom - h.top));
    rs::shell::Scene strokes;
    strokes.lines = lit.lines;
    strokes.arcs = lit.arcs;
    painter.setBrush(Qt::NoBrush);
    paintScene(painter, strokes, QPen(QColor(0, 170, 0), 3));
    painter.setPen(QColor(0, 0, 160));
    for (const auto& t : lit.texts) {
        const int align = t.align == rs::shell::Scene::Align::Center
                              ? Qt::AlignCenter
                              : (Qt::AlignLeft | Qt::AlignVCenter);
        painter.drawText(
            QRect(t.rect.left, t.rect.top, t.rect.right - t.rect.left, t.rect.bottom - t.rect.top),
            align | Qt::TextSingleLine, QString::fromStdString(t.text));
    }
    painter.restore();
}

void paintSteppingScene(QPainter& painter, const rs::shell::Scene& stepping) {
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 160, 0, 110));
    for (const auto& h : stepping.highlights)
        painter.drawRect(QRect(h.left, h.top, h.right - h.left, h.bottom - h.top));
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(QColor(210, 0, 0));
    for (const auto& b : stepping.boxes)
        painter.drawEllipse(QRect(b.left, b.top, b.right - b.left, b.bottom - b.top));
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const auto& t : stepping.texts) {
        const QString text = QString::fromStdString(t.text);
        const QRect area(t.rect.left, t.rect.top, t.rect.right - t.rect.left,
                         t.rect.bottom - t.rect.top);
        QRect used =
            painter.fontMetrics().boundingRect(area, Qt::AlignLeft | Qt::AlignVCenter, text);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 248, 220));
        painter.drawRect(used.adjusted(-3, 0, 3, 0));
        painter.setPen(QColor(90, 40, 0));
        painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    }
    painter.restore();
}

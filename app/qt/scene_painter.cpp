#include "app/qt/scene_painter.h"

#include <cmath>

namespace {

const QColor kCommentColour(0, 96, 0);  // dark green: a comment is not part of the program

QRect toQt(const rs::shell::Rect& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// The painter's angle of the point where the ray from the ellipse's centre
// through p meets the ellipse, in sixteenths of a degree.
int arcAngle(const rs::shell::Rect& b, rs::shell::Point p) {
    const double cx = (b.left + b.right) / 2.0, cy = (b.top + b.bottom) / 2.0;
    const double rx = (b.right - b.left) / 2.0, ry = (b.bottom - b.top) / 2.0;
    if (rx <= 0 || ry <= 0) return 0;
    const double t = std::atan2(-(p.y - cy) / ry, (p.x - cx) / rx);
    return static_cast<int>(std::lround(t * 180.0 / M_PI * 16.0));
}

}  // namespace

void paintScene(QPainter& painter, const rs::shell::Scene& scene, const QPen& pen) {
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 0));
    for (const auto& h : scene.highlights) painter.drawRect(toQt(h));

    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    for (const auto& l : scene.lines) painter.drawLine(l.from.x, l.from.y, l.to.x, l.to.y);
    for (const auto& a : scene.arcs) {
        const int start = arcAngle(a.bounds, a.from);
        int span = arcAngle(a.bounds, a.to) - start;
        while (span <= 0) span += 360 * 16;
        painter.drawArc(toQt(a.bounds), start, span);
    }
    for (const auto& b : scene.boxes)
        painter.drawRect(QRect(b.left, b.top, b.right - b.left - 1, b.bottom - b.top - 1));
    for (const auto& t : scene.texts) {
        const int align = t.align == rs::shell::Scene::Align::Center
                              ? Qt::AlignCenter
                              : (Qt::AlignLeft | Qt::AlignVCenter);
        const QRect rect = toQt(t.rect);
        QString text = QString::fromStdString(t.text);
        if (t.comment) {
            // One line, cut with an ellipsis to its rectangle, in the comments' colour.
            text = painter.fontMetrics().elidedText(text, Qt::ElideRight, rect.width());
            painter.save();
            painter.setPen(kCommentColour);
            painter.drawText(rect, align | Qt::TextSingleLine, text);
            painter.restore();
            continue;
        }
        painter.drawText(rect, align | Qt::TextSingleLine, text);
    }
    painter.restore();
}

#include "online/qt/list_report.h"

#include <qdrawutil.h>

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

using rs::online::CellKind;

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// Draws the cells of an owner-drawn list from their descriptors.
class CellPainter : public QStyledItemDelegate {
  public:
    explicit CellPainter(CListReport* list) : QStyledItemDelegate(list), m_list(list) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect cell = option.rect;
        const QRect line(0, cell.top(), m_list->viewport()->width(), cell.height());
        const bool highlighted = (m_list->highlightMode() & 1) ? cell.contains(m_list->lastClick())
                                                               : line.contains(m_list->lastClick());
        const QPalette& pal = option.palette;
        const QColor background = pal.color(highlighted ? QPalette::Highlight : QPalette::Base);
        p->save();
        p->fillRect(cell, background);
        const std::string* d = m_list->cellModel().descriptor(static_cast<size_t>(index.row()),
                                                              static_cast<size_t>(index.column()));
        if (d) {
            const rs::online::CellStyle style = rs::online::parseDescriptor(*d);
            const QString text = index.data().toString().left(255);
            if (style.kind == CellKind::Text) drawText(p, cell, text, style, pal);
            if (style.kind == CellKind::CheckBox) drawCheckBox(p, cell, text, pal);
        }
        p->restore();
    }

  private:
    void drawText(QPainter* p, const QRect& cell, const QString& text,
                  const rs::online::CellStyle& style, const QPalette& pal) const {
        QFont font = m_list->font();
        if (style.bold) {
            font = QFont("Arial");
            font.setStyleHint(QFont::SansSerif);
            font.setWeight(QFont::Bold);
            font.setPixelSize(std::max(1, cell.height()));
        }
        const QFontMetrics metrics(font);
        const std::string fitted = rs::online::fittedText(
            text.toStdString(), cell.width(),
            [&](std::string_view t) { return metrics.horizontalAdvance(qs(std::string(t))); });
        QColor colour = pal.color(QPalette::Text);
        if (style.colour) {
            const uint32_t c = *style.colour;
            colour = QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
        }
        p->setFont(font);
        p->setPen(colour);
        p->drawText(cell.left() + 2, cell.top() + 2 + metrics.ascent(), qs(fitted));
    }

    void drawCheckBox(QPainter* p, const QRect& cell, const QString& text,
                      const QPalette& pal) const {
        const auto box =
            rs::online::checkBoxSquare(cell.left(), cell.top(), cell.width(), cell.height());
        qDrawShadePanel(p, box.left, box.top, box.side, box.side, pal, true, 2);
        if (!rs::online::isChecked(text.toStdString())) return;
        p->setPen(pal.color(QPalette::Text));
        for (const auto& s : rs::online::checkMarkStrokes(box))
            p->drawLine(s.x, s.y, s.x, s.y + 2);  // three pixels
    }

    CListReport* m_list;
};

}  // namespace

CListReport::CListReport(int highlightMode, bool ownerDrawn, QWidget* parent)
    : QTreeWidget(parent), m_highlightMode(highlightMode), m_ownerDrawn(ownerDrawn) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setColumnCount(0);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    if (m_ownerDrawn) {
        setItemDelegate(new CellPainter(this));
        setSelectionMode(QAbstractItemView::NoSelection);
        setFocusPolicy(Qt::NoFocus);
    } else {
        setSelectionMode(QAbstractItemView::SingleSelection);
    }
}

int CListReport::InsertColumn(const QString& heading, int width) {
    const int at = columnCount();
    setColumnCount(at + 1);
    headerItem()->setText(at, heading);
    if (width <= 0) width = fontMetrics().horizontalAdvance(heading) + 15;
    header()->resizeSection(at, width);
    return at;
}

void CListReport::DeleteAllColumns() {
    DeleteAll();
    setColumnCount(0);
}

bool CListReport::SetCell(int r, int c, const QString& text, const std::string& descriptor) {
    if (r < 0 || c < 0 || c >= std::max(1, columnCount())) return false;
    if (r > topLevelItemCount() || (c > 0 && r >= topLevelItemCount())) return false;
    if (!m_model.setCell(static_cast<size_t>(r), static_cast<size_t>(c), descriptor)) return false;
    if (c == 0) {
        auto* line = new QTreeWidgetItem;
        line->setText(0, text);
        insertTopLevelItem(r, line);
    } else {
        topLevelItem(r)->setText(c, text);
    }
    return true;
}

bool CListReport::DeleteRow(int r) {
    if (r < 0 || r >= topLevelItemCount()) return false;
    delete takeTopLevelItem(r);
    m_model.deleteRow(static_cast<size_t>(r));
    return true;
}

bool CListReport::DeleteAll() {
    clear();
    m_model.clear();
    return true;
}

QString CListReport::CellText(int r, int c) const {
    const QTreeWidgetItem* line = topLevelItem(r);
    return line ? line->text(c) : QString();
}

void CListReport::clickCell(const QPoint& point) {
    const QModelIndex at = indexAt(point);
    if (!at.isValid()) return;
    const std::string* d =
        m_model.descriptor(static_cast<size_t>(at.row()), static_cast<size_t>(at.column()));
    if (!d || rs::online::parseDescriptor(*d).kind != CellKind::CheckBox) return;
    QTreeWidgetItem* line = topLevelItem(at.row());
    line->setText(at.column(),
                  qs(rs::online::toggledCheckText(line->text(at.column()).toStdString())));
}

void CListReport::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QTreeWidget::mousePressEvent(event);
    m_lastClick = event->position().toPoint();
    clickCell(m_lastClick);
    QTreeWidget::mousePressEvent(event);
    viewport()->update();
    emit leftButtonPressed();
}

void CListReport::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QTreeWidget::mouseDoubleClickEvent(event);
    m_lastClick = event->position().toPoint();
    clickCell(m_lastClick);
    QTreeWidget::mouseDoubleClickEvent(event);
    viewport()->update();
    emit leftButtonDoubleClicked();
}

#pragma once

#include <QPoint>
#include <QTreeWidget>
#include <string>

#include "online/list_report_model.h"

// A report list that keeps, beside each cell's display text, a cell
// descriptor saying how the cell is drawn and how it answers a click: text
// cells (bold and coloured as the descriptor says) and check-box cells that a
// click toggles. Owner-drawn lists draw every cell themselves and highlight
// the row (or, with highlight mode bit 0, the cell) under the last click;
// other lists show plain texts.
class CListReport : public QTreeWidget {
    Q_OBJECT
  public:
    explicit CListReport(int highlightMode = 0, bool ownerDrawn = false, QWidget* parent = nullptr);

    // Appends a column; a width of 0 or less is the heading's width plus 15.
    // Returns the new column's position.
    int InsertColumn(const QString& heading, int width);
    // Removes every line and every column.
    void DeleteAllColumns();
    // Sets cell (r, c): cell 0 inserts a new line at r (r may be the line
    // count), another cell sets the text of an existing line. False, and
    // nothing changed, when the model refuses the cell.
    bool SetCell(int r, int c, const QString& text, const std::string& descriptor);
    bool DeleteRow(int r);
    bool DeleteAll();

    QString CellText(int r, int c) const;
    int highlightMode() const { return m_highlightMode; }
    bool ownerDrawn() const { return m_ownerDrawn; }
    QPoint lastClick() const { return m_lastClick; }
    const rs::online::CellModel& cellModel() const { return m_model; }
    // The row and column of cell under a viewport point; (-1, -1) for none.
    QModelIndex cellAt(const QPoint& point) const { return indexAt(point); }

  signals:
    // After every left-button press and every left double click; neither
    // says where.
    void leftButtonPressed();
    void leftButtonDoubleClicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    // The click of the item under the point: a check box toggles its text.
    void clickCell(const QPoint& point);

    int m_highlightMode;
    bool m_ownerDrawn;
    QPoint m_lastClick{-1, -1};
    rs::online::CellModel m_model;
};

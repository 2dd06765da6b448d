#pragma once

#include <QDockWidget>
#include <vector>

#include "app/model/watch_list.h"

class QLineEdit;
class QTableWidget;

// "Watch": a dock listing the watched devices with their values while a
// simulation runs. A device is added by typing its name; a double click on a
// bit's value flips it, a word's value is typed over. Forced inputs are
// marked "forced". The dock only shows and asks: the watch list decides.
class CWatchBar : public QDockWidget {
    Q_OBJECT
  public:
    explicit CWatchBar(QWidget* parent = nullptr);

    // Shows the lines; `editable` while a simulation is active. A value being
    // typed is not overwritten.
    void showRows(const std::vector<rs::shell::WatchRow>& rows, bool editable);

    QTableWidget* table() const { return m_table; }
    QLineEdit* deviceEdit() const { return m_device; }

  signals:
    void addRequested(const QString& device);
    void removeRequested(int index);
    void toggleRequested(int index);
    void valueEntered(int index, const QString& text);

  private:
    QTableWidget* m_table;
    QLineEdit* m_device;
    std::vector<rs::shell::WatchRow> m_rows;
    bool m_bEditable = false;
};

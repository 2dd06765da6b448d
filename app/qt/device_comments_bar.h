#pragma once

#include <QDockWidget>
#include <QTableWidget>

#include "core/session.h"
#include "project/device_comments.h"

// "Device comments": a dock with a table of every device that has a comment
// or is used by the shown program (device, comment, where used). Editing a
// comment asks for it to be kept; typing a device in the last, empty row
// adds that device's row.
class CDeviceCommentsBar : public QDockWidget {
    Q_OBJECT
  public:
    explicit CDeviceCommentsBar(QWidget* parent = nullptr);

    // Fills the table from a project, or empties it (no project). Rows of
    // devices typed since, that have no comment yet, stay.
    void refresh(const rs::DeviceComments* comments, const rs::Session* session);
    QTableWidget* table() const { return m_table; }
    // The row of a device, -1 when none.
    int rowOf(const QString& device) const;

  signals:
    void commentEdited(const QString& device, const QString& comment);
    // A text typed in the device column names no device.
    void deviceRefused(const QString& text);

  private:
    void cellChanged(int row, int column);
    void takeDevice(const QString& typed);  // a device typed in the last row
    void addRow(const QString& device, const QString& comment, const QString& where);
    void addEntryRow();

    QTableWidget* m_table;
    QStringList m_typed;  // devices typed in, kept until the next project
    bool m_bFilling = false;
};

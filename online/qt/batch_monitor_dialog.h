#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <map>
#include <functional>
#include <string>

#include "comm/qt/qt_serial_link.h"
#include "comm/qt/qt_timer.h"
#include "core/message_sink.h"
#include "core/par_range.h"
#include "online/batch_monitor.h"

class CListReport;
class DevicePortBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Dialog 172, "Device bath": from a starting device, reads 32 bytes of the
// controller's devices again and again and shows them as bits or words, the
// values as 16-bit or 32-bit integers in decimal or hexadecimal. Values the
// controller has not confirmed are greyed, with the reason in the status
// line under the table.
class CDeviceBatchMonitor : public QDialog {
    Q_OBJECT
  public:
    // Every starting device passes the range file's check.
    CDeviceBatchMonitor(rs::MessageSink& sink, const rs::RangeFile& ranges,
                        QWidget* parent = nullptr);
    ~CDeviceBatchMonitor() override;

    // The comment of a device text (empty when none). When given, and a
    // shown row's first device has a comment, the table ends with a
    // "Comment" column naming it.
    using CommentOf = std::function<std::string(const std::string& device)>;
    void setCommentOf(CommentOf commentOf);

    DevicePortBox* portBox() const { return m_pPort; }
    QLineEdit* deviceBox() const { return m_pDevice; }
    QRadioButton* radio(const QString& text) const;
    QPushButton* button(const QString& text) const;
    CListReport* table() const { return m_pTable; }
    QLabel* statusLine() const { return m_pStatus; }
    const rs::online::BatchMonitor& monitor() const { return m_monitor; }

    void done(int result) override;

  private:
    void buildControls();
    void onStart();
    void showTable();
    void fitColumns(const rs::online::MonitorTable& t);

    rs::QtSerialLink m_link;
    rs::QtTimer m_waitTimer;
    rs::QtTimer m_retryTimer;
    rs::online::BatchMonitor m_monitor;
    DevicePortBox* m_pPort = nullptr;
    QLineEdit* m_pDevice = nullptr;
    CListReport* m_pTable = nullptr;
    QLabel* m_pStatus = nullptr;
    QStringList m_headings;           // the columns shown
    std::map<int, int> m_userWidths;  // columns the user resized, and their widths
    bool m_sizing = false;            // the dialog itself is sizing the columns
    CommentOf m_commentOf;
};

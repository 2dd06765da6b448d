#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <string>

#include "comm/qt/qt_serial_link.h"
#include "comm/qt/qt_timer.h"
#include "core/message_sink.h"
#include "online/batch_monitor.h"

class CListReport;
class DevicePortBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Dialog 172, "Device bath": from a starting device, reads 32 bytes of the
// controller's devices again and again and shows them as bits or words, the
// values as 16-bit or 32-bit integers in decimal or hexadecimal.
class CDeviceBatchMonitor : public QDialog {
    Q_OBJECT
  public:
    explicit CDeviceBatchMonitor(rs::MessageSink& sink, QWidget* parent = nullptr);
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
    const rs::online::BatchMonitor& monitor() const { return m_monitor; }

    void done(int result) override;

  private:
    void buildControls();
    void onStart();
    void showTable();

    rs::QtSerialLink m_link;
    rs::QtTimer m_waitTimer;
    rs::QtTimer m_retryTimer;
    rs::online::BatchMonitor m_monitor;
    DevicePortBox* m_pPort = nullptr;
    QLineEdit* m_pDevice = nullptr;
    CListReport* m_pTable = nullptr;
    CommentOf m_commentOf;
};

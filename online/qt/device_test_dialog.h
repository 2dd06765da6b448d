#pragma once

#include <QDialog>
#include <array>
#include <memory>
#include <optional>

#include "comm/qt/qt_serial_link.h"
#include "comm/qt/qt_timer.h"
#include "core/message_sink.h"
#include "core/par_range.h"
#include "online/device_test.h"

class CListReport;
class DevicePortBox;
class QFrame;
class QGroupBox;
class QLineEdit;
class QPushButton;

// Dialog 168, "Device test": forces a bit device on or off, writes up to
// eight words to a word device or reads them, and keeps an execution history
// of what the controller answered (or that it did not).
class CDeviceTest : public QDialog {
    Q_OBJECT
  public:
    // Every device passes the range file's check.
    CDeviceTest(rs::MessageSink& sink, const rs::RangeFile& ranges, QWidget* parent = nullptr);
    ~CDeviceTest() override;

    DevicePortBox* portBox() const { return m_pPort; }
    QLineEdit* bitDeviceBox() const { return m_pBitDevice; }
    QLineEdit* wordDeviceBox() const { return m_pWordDevice; }
    QLineEdit* byteCountBox() const { return m_pByteCount; }
    QLineEdit* dataBox(int i) const { return m_data[static_cast<size_t>(i)]; }
    QLineEdit* timerCounterBox() const { return m_pTimerCounter; }
    QPushButton* button(const QString& text) const;
    CListReport* history() const { return m_pHistory; }
    bool historyShown() const { return m_historyShown; }

    void done(int result) override;

  private:
    void buildControls();
    void onForce(bool on);
    void onWrite();
    void onRead();
    void onHideHistory();
    void onHistoryDoubleClick();
    void addHistory(const rs::online::HistoryEntry& entry);
    bool usePort();
    std::optional<int> byteCount();

    rs::MessageSink& m_sink;
    rs::QtSerialLink m_link;
    rs::QtTimer m_replyTimer;
    rs::online::DeviceTest m_test;
    DevicePortBox* m_pPort = nullptr;
    QLineEdit* m_pBitDevice = nullptr;
    QLineEdit* m_pWordDevice = nullptr;
    QLineEdit* m_pByteCount = nullptr;
    std::array<QLineEdit*, rs::online::kWordCount> m_data{};
    QLineEdit* m_pTimerCounter = nullptr;
    QPushButton* m_pHideHistory = nullptr;
    QFrame* m_pSeparator = nullptr;
    QGroupBox* m_pHistoryGroup = nullptr;
    CListReport* m_pHistory = nullptr;
    bool m_historyShown = true;
};

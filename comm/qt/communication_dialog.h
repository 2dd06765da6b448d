#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QProgressBar>
#include <QPushButton>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "comm/comm_choices.h"
#include "comm/qt/comm_environment.h"
#include "comm/qt/qt_serial_link.h"
#include "comm/qt/qt_timer.h"
#include "comm/transfer.h"
#include "core/instruction_store.h"
#include "core/message_sink.h"

// The "Communication" dialog: the serial port and line settings, and the
// download of the converted program to the controller with its progress.
// The transfer runs on timers and the port's receive events, so the window
// stays responsive; closing the dialog during a transfer asks first.
class CCommunication : public QDialog, private rs::TransferObserver {
    Q_OBJECT
  public:
    CCommunication(rs::AppStore& app, rs::MessageSink& sink, rs::CommEnvironment environment = {},
                   QWidget* parent = nullptr);
    ~CCommunication() override;

    QComboBox* portList() const { return m_pPort; }
    QComboBox* baudList() const { return m_pBaud; }
    QComboBox* parityList() const { return m_pParity; }
    QComboBox* dataLengthList() const { return m_pDataLength; }
    QComboBox* stopBitList() const { return m_pStopBit; }
    QPushButton* downloadButton() const { return m_pDownload; }
    QPushButton* uploadButton() const { return m_pUpload; }
    QCheckBox* comDebugBox() const { return m_pComDebug; }
    QProgressBar* progressBar() const { return m_pProgress; }

    bool transferRunning() const { return m_transfer && m_transfer->running(); }
    bool portOpen() const { return m_link.isOpen(); }

  public slots:
    // Every way of closing the dialog ends here: during a transfer it asks
    // "Stop the transfer?" and closes only on Yes, once the transfer stopped.
    void done(int result) override;

  signals:
    // A download ended, whatever its outcome.
    void transferFinished();

  private:
    // Forwards the transfer's messages and tells whether one is showing.
    class ShowingSink : public rs::MessageSink {
      public:
        explicit ShowingSink(rs::MessageSink& sink) : m_sink(sink) {}
        void inform(const std::string& text, const std::string& caption,
                    rs::MessageIcon icon) override;
        rs::MessageAnswer ask(const std::string& text, const std::string& caption,
                              rs::MessageButtons buttons, rs::MessageAnswer defaultAnswer,
                              rs::MessageIcon icon) override;
        bool showing() const { return m_depth > 0; }

      private:
        rs::MessageSink& m_sink;
        int m_depth = 0;
    };

    void createControls();
    void initDialog();
    void onDownload();
    void closeNow(int result);
    void select(const rs::CommSelection& selection);
    // The five lists as they are selected now.
    rs::CommSelection selection() const;

    void downloadEnabled(bool enabled) override;
    void progressRange(int maximum) override;
    void progress(int value) override;
    void finished(rs::TransferOutcome outcome) override;

    rs::AppStore& m_app;
    rs::MessageSink& m_sink;
    ShowingSink m_transferSink;
    rs::CommEnvironment m_env;
    // Entries of the port list that the system does not list (paths).
    std::set<std::string> m_pathPorts;
    int m_progressMax = 0;
    // Set while a close waits for the transfer to stop: the dialog's result.
    std::optional<int> m_closeResult;
    // The user stopped a download: the controller holds part of the program.
    bool m_stopped = false;

    QComboBox* m_pPort = nullptr;
    QComboBox* m_pBaud = nullptr;
    QComboBox* m_pParity = nullptr;
    QComboBox* m_pDataLength = nullptr;
    QComboBox* m_pStopBit = nullptr;
    QPushButton* m_pDownload = nullptr;
    QPushButton* m_pUpload = nullptr;
    QCheckBox* m_pComDebug = nullptr;
    QProgressBar* m_pProgress = nullptr;

    rs::QtSerialLink m_link;
    rs::QtTimer m_retryTimer;
    rs::QtTimer m_waitTimer;
    // Declared last: it goes first, while the link and the timers still exist.
    std::unique_ptr<rs::Transfer> m_transfer;
};

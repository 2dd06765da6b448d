#pragma once

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <memory>
#include <vector>

#include "comm/qt/comm_environment.h"
#include "comm/qt/qt_serial_link.h"
#include "comm/qt/qt_timer.h"
#include "comm/transfer.h"
#include "core/instruction_store.h"
#include "core/message_sink.h"

// "Verify with controller": reads the controller's program on the port and
// line settings of the last transfer and compares it with the open converted
// program. It says "The controller holds this program." or lists the steps
// that differ (step, the project's row, what the controller holds); a double
// click on a step asks to show that row. The read runs on timers and the
// port's events, so the window stays responsive.
class CVerifyDialog : public QDialog, private rs::TransferObserver {
    Q_OBJECT
  public:
    CVerifyDialog(rs::AppStore& app, std::vector<int64_t> stepOfRow, rs::MessageSink& sink,
                  rs::CommEnvironment environment = {}, QWidget* parent = nullptr);
    ~CVerifyDialog() override;

    QLabel* resultLabel() const { return m_pResult; }
    QTreeWidget* stepList() const { return m_pSteps; }
    bool running() const { return m_transfer->running(); }

  public slots:
    void done(int result) override;

  signals:
    // The user asked to see this list row of the project.
    void rowChosen(int row);

  private:
    void start();
    void progressRange(int maximum) override;
    void progress(int value) override;
    void finished(rs::TransferOutcome outcome) override;

    rs::AppStore& m_app;
    std::vector<int64_t> m_stepOfRow;
    rs::CommEnvironment m_env;
    int m_progressMax = 0;

    QLabel* m_pPortLabel = nullptr;
    QProgressBar* m_pProgress = nullptr;
    QLabel* m_pResult = nullptr;
    QTreeWidget* m_pSteps = nullptr;
    QPushButton* m_pAgain = nullptr;

    rs::QtSerialLink m_link;
    rs::QtTimer m_retryTimer;
    rs::QtTimer m_waitTimer;
    // Declared last: it goes first, while the link and the timers still exist.
    std::unique_ptr<rs::Transfer> m_transfer;
};

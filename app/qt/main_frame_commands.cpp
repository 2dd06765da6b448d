// The handlers of the command table that the main window carries out: the
// window's own commands here, the open project's, the search's and the
// print's passed on to them.
#include <QDesktopServices>
#include <QInputDialog>
#include <QLineEdit>
#include <QStatusBar>
#include <QUrl>

#include "app/model/examples_folder.h"
#include "app/qt/about_dialog.h"
#include "app/qt/child_frame.h"
#include "app/qt/comment_commands.h"
#include "app/qt/main_frame.h"
#include "app/qt/print_commands.h"
#include "app/qt/search_commands.h"
#include "comm/comm_choices.h"
#include "app/qt/watch_docks.h"
#include "comm/qt/communication_dialog.h"
#include "comm/qt/connection_setup_dialog.h"
#include "comm/qt/verify_dialog.h"
#include "core/limits.h"
#include "core/list_steps.h"
#include "core/messages.h"
#include "core/program_dir.h"
#include "online/poll_messages.h"
#include "online/qt/batch_monitor_dialog.h"
#include "online/qt/device_test_dialog.h"
#include "online/qt/list_report.h"

using namespace rs::shell;

void CMainFrame::newProject() {
    startNewProject();
}

void CMainFrame::openProject() {
    const QString path = m_chooseFile(false, {});
    if (!path.isEmpty()) openProjectFile(path);
}

void CMainFrame::openRecentFile(int index) {
    const size_t i = static_cast<size_t>(index);
    if (i >= m_recent.paths().size()) return;
    // An entry that no longer opens leaves the list, as the platform's lists do.
    const std::string path = m_recent.paths()[i];
    if (!openProjectFile(QString::fromStdString(path)) && !m_pProject) {
        m_recent.remove(path);
        storeRecentFiles();
        buildMenuBar();
    }
}

void CMainFrame::closeProject() {
    if (saveModified()) closeProjectWithoutQuestions();
}

void CMainFrame::saveProject(bool saveAs) {
    save(saveAs);
}

void CMainFrame::exitProgram() {
    close();
}

void CMainFrame::setMode2(bool mode2) {
    m_app.setMode2(mode2);
}

void CMainFrame::toggleFileToolbar() {
    m_toolBars.front()->setVisible(!m_toolBars.front()->isVisibleTo(this));
}

void CMainFrame::toggleStatusBarFlag() {
    m_nStatusBarFlag = m_nStatusBarFlag ? 0 : 1;
    statusBar()->setVisible(m_nStatusBarFlag != 0);
}

void CMainFrame::toggleStatusBar() {
    statusBar()->setVisible(!statusBar()->isVisible());
}

void CMainFrame::toggleDataList() {
    m_pDataBar->setVisible(!m_pDataBar->isVisibleTo(this));
}

void CMainFrame::toggleCrossReference() {
    m_pSearch->toggleCrossReference();
}

void CMainFrame::toggleDeviceComments() {
    m_pComments->toggleBar();
}

void CMainFrame::arrangeWindows(WindowArrangement how) {
    switch (how) {
        case WindowArrangement::Cascade:
            m_pMdi->cascadeSubWindows();
            return;
        case WindowArrangement::Tile:
            m_pMdi->tileSubWindows();
            return;
        case WindowArrangement::Icons: {
            int x = 0;
            for (QMdiSubWindow* w : m_pMdi->subWindowList()) {
                if (!w->isMinimized()) continue;
                w->move(x, m_pMdi->viewport()->height() - w->height());
                x += w->width();
            }
            return;
        }
    }
}

void CMainFrame::showDialog(ShellDialog dialog) {
    switch (dialog) {
        case ShellDialog::TransferSetup: {
            CCommunication communication(m_app, m_sink, m_comm, this);
            communication.exec();
            return;
        }
        case ShellDialog::ConnectionSetup: {
            CConnectionSetup setup(m_app.m_bMode2, m_comm, this);
            setup.exec();
            return;
        }
        case ShellDialog::DeviceTest: {
            CDeviceTest test(m_sink, m_ranges, this);
            // Newest first, as the dialog adds its own.
            for (const rs::online::HistoryEntry& e : m_deviceHistory) {
                test.history()->SetCell(0, 0, QString::fromStdString(e.device), "0");
                test.history()->SetCell(0, 1, QString::fromStdString(e.condition), "0");
            }
            test.exec();
            return;
        }
        case ShellDialog::DeviceBatchMonitor: {
            CDeviceBatchMonitor monitor(m_sink, m_ranges, this);
            // The open project's names beside the rows.
            if (m_pProject) {
                const rs::DeviceComments& comments = m_pProject->document().comments();
                monitor.setCommentOf([&comments](const std::string& device) {
                    return std::string(comments.findText(device));
                });
            }
            monitor.exec();
            return;
        }
        case ShellDialog::About: {
            CAboutDlg about(this);
            about.exec();
            return;
        }
        case ShellDialog::Verify: {
            if (!m_pProject) return;
            const size_t records = m_pProject->session().view.records.m_InstructionList.size();
            CVerifyDialog verify(m_app, rs::listStepNumbers(*m_app.table, records), m_sink, m_comm,
                                 this);
            // A step chosen shows its row in the list.
            connect(&verify, &CVerifyDialog::rowChosen, this, [this](int row) {
                if (!m_pProject) return;
                if (!m_pProject->session().view.m_bListMode)
                    m_pProject->project().switchPresentation();
                m_pSearch->showListRow(row);
            });
            verify.exec();
            return;
        }
    }
}

void CMainFrame::openHelp() {
    // The help page beside the program; a missing page reports nothing.
    QDesktopServices::openUrl(
        QUrl::fromLocalFile(QString::fromStdString(rs::programDirectory()) + "Help/Help-CN.html"));
}

void CMainFrame::openExamples() {
    // Like the help page: a missing folder reports nothing.
    const std::string folder = examplesFolder(rs::programDirectory());
    if (!folder.empty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(folder)));
}

void CMainFrame::edit(rs::EditCommand command) {
    if (m_pProject) m_pProject->edit(command);
}

void CMainFrame::enterKey() {
    if (m_pProject) m_pProject->enterKey();
}

void CMainFrame::convert() {
    if (m_pProject) m_pProject->project().convert();
}

void CMainFrame::switchPresentation() {
    if (m_pProject) m_pProject->project().switchPresentation();
}

void CMainFrame::undo() {
    if (m_pProject) m_pProject->project().undo();
}

void CMainFrame::redo() {
    if (m_pProject) m_pProject->project().redo();
}

void CMainFrame::editComment() {
    m_pComments->editComment();
}

void CMainFrame::find(rs::search::FindKind kind) {
    m_pSearch->showDialog(kind);
}

void CMainFrame::findNext() {
    m_pSearch->findNext();
}

void CMainFrame::replaceDevice() {
    m_pSearch->replaceDevice();
}

void CMainFrame::print(PrintOutput output) {
    m_pPrint->run(output);
}

void CMainFrame::keepDeviceHistory(const rs::online::HistoryEntry& entry) {
    m_deviceHistory.push_back(entry);
    if (m_deviceHistory.size() > size_t{rs::kDeviceHistoryLines}) m_deviceHistory.pop_front();
}

// The monitor reads on the port and settings the last download saved, as
// Verify does.
void CMainFrame::monitor(MonitorStep step) {
    if (!m_pProject) return;
    MonitorController& monitor = m_pProject->monitor();
    if (step == MonitorStep::Stop) return monitor.stop();
    const rs::SavedComm saved = rs::readSavedComm(m_comm.protocolFile);
    const std::vector<std::string> ports = m_comm.probe(rs::savedPortsToOffer(saved));
    const rs::CommSelection selection = rs::startSelection(ports, saved);
    if (selection.port < 0 || selection.port >= static_cast<int>(ports.size())) {
        m_sink.inform(rs::msg::kNoPortChosen, rs::msg::kErrorCaption, rs::MessageIcon::Information);
        return;
    }
    monitor.start(ports[static_cast<size_t>(selection.port)], rs::settingsOf(selection));
}

void CMainFrame::simulate(SimulationStep step) {
    if (!m_pProject) return;
    SimulationController& simulation = m_pProject->simulation();
    switch (step) {
        case SimulationStep::Start:
            simulation.start();
            return;
        case SimulationStep::Stop:
            simulation.stop();
            return;
        case SimulationStep::SingleScan:
            simulation.singleScan();
            return;
        case SimulationStep::StepRow:
            simulation.stepRow();
            return;
        case SimulationStep::StepRung:
            simulation.stepRung();
            return;
        case SimulationStep::ToggleBreakpoint:
            simulation.toggleBreakpointAtCursor();
            return;
        case SimulationStep::RunUntil: {
            bool ok = false;
            const QString condition = QInputDialog::getText(
                this, "Run until", "Condition (Y000 = 1, D0 >= 100, T0 on):", QLineEdit::Normal,
                QString::fromStdString(simulation.lastCondition()), &ok);
            if (ok) simulation.runUntil(condition.toStdString());
            return;
        }
    }
}

void CMainFrame::addToWatch() {
    m_pWatch->addFromCursor();
}

void CMainFrame::toggleWatchWindow() {
    m_pWatch->toggleWatchWindow();
}

void CMainFrame::toggleTimingChart() {
    m_pWatch->toggleTimingChart();
}

#pragma once

#include <QLockFile>
#include <QMdiSubWindow>
#include <functional>
#include <memory>

#include "app/model/project.h"
#include "app/qt/monitor_controller.h"
#include "app/qt/project_view.h"
#include "app/qt/simulation_controller.h"

class QStatusBar;

// The project window: holds the project and the view widget that shows it,
// and follows the project's changes. Its close box asks the close check the
// main window gives it.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
  public:
    CChildFrame(rs::AppStore& app, rs::MessageSink& sink, const rs::RangeFile& ranges,
                rs::DialogProvider& dialogs, rs::ClipboardText& clipboard, QStatusBar* status);
    ~CChildFrame() override;

    rs::shell::Project& project() { return m_project; }
    rs::Session& session() { return m_project.session(); }
    rs::ViewState& viewState() { return m_project.view(); }
    rs::ProjectDocument& document() { return m_project.document(); }
    CCorvaneElectricPLCView* view() const { return m_pView; }
    rs::Editor& editor() { return m_project.editor(); }
    SimulationController& simulation() { return *m_pSimulation; }
    MonitorController& monitor() { return *m_pMonitor; }
    const rs::UndoHistory& history() const { return m_project.history(); }

    // The commands of the view: an editing command and Enter at the pointer's
    // drag state.
    void edit(rs::EditCommand command);
    void enterKey();

    // The program was replaced (new, opened): tidied and drawn again.
    void modelChanged() { m_project.refresh(); }

    // Asked when the close box is pressed: whether the window may close.
    void setCloseCheck(std::function<bool()> mayClose) { m_mayClose = std::move(mayClose); }
    // Keeps the project's lock (other instances see the project as open).
    void setLock(std::unique_ptr<QLockFile> lock) { m_lock = std::move(lock); }
    void releaseLock() { m_lock.reset(); }
    // Closes without any question.
    void closeNow();

    // Restored or cascaded, the window takes three quarters of the area.
    QSize sizeHint() const override;

  signals:
    // The program, its history or the simulation changed: menus and buttons follow.
    void stateChanged();
    // The window accepted its close.
    void closed(CChildFrame* child);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void follow(bool program, bool followCursor, bool comments);

    rs::shell::Project m_project;
    CCorvaneElectricPLCView* m_pView;
    SimulationController* m_pSimulation;
    MonitorController* m_pMonitor;
    std::function<bool()> m_mayClose;
    std::unique_ptr<QLockFile> m_lock;
    bool m_bClosingNow = false;
};

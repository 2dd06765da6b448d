#pragma once

#include <QLockFile>
#include <QMdiSubWindow>
#include <functional>
#include <memory>

#include "app/qt/project_view.h"
#include "app/qt/simulation_controller.h"
#include "core/session.h"
#include "editor/editor.h"
#include "editor/history/undo_history.h"
#include "project/project_document.h"

class CMainFrame;

// The project window: holds the project's view state, its document and the
// view widget. Its close box asks the frame, which applies the close rules.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
  public:
    CChildFrame(rs::AppStore& app, rs::MessageSink& sink, const rs::RangeFile& ranges,
                rs::DialogProvider& dialogs, rs::ClipboardText& clipboard, CMainFrame* frame);
    ~CChildFrame() override;

    rs::Session& session() { return m_session; }
    rs::ViewState& viewState() { return m_view; }
    rs::ProjectDocument& document() { return m_doc; }
    CCorvaneElectricPLCView* view() const { return m_pView; }
    rs::Editor& editor() { return m_editor; }
    SimulationController& simulation() { return *m_pSimulation; }
    const rs::UndoHistory& history() const { return m_history; }

    // The commands of the view: an editing command, Enter, Convert, the list
    // switch, and undo (older) or redo with the document's modified flag.
    void edit(rs::EditCommand command);
    void enterKey();
    void convert();
    void switchPresentation();
    void stepHistory(bool older);

    // After every change of the program: the tidy steps of the paint pass run
    // on the model, then the view repaints from it.
    void modelChanged();
    // The program was edited: the model changed and the document is modified.
    void edited();
    // Runs a command that may change the program as one step of the history.
    void recorded(const std::function<void()>& command);

    // Keeps the project's lock (other instances see the project as open).
    void setLock(std::unique_ptr<QLockFile> lock) { m_lock = std::move(lock); }
    void releaseLock() { m_lock.reset(); }
    // Closes without any question.
    void closeNow();

    // Restored or cascaded, the window takes three quarters of the area.
    QSize sizeHint() const override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void runEditor(const std::function<void()>& edit);
    void convertProgram();

    CMainFrame* m_frame;
    rs::ViewState m_view;
    rs::Session m_session;
    rs::ProjectDocument m_doc;
    rs::Editor m_editor;
    rs::UndoHistory m_history;
    CCorvaneElectricPLCView* m_pView;
    SimulationController* m_pSimulation;
    std::unique_ptr<QLockFile> m_lock;
    bool m_bClosingNow = false;
};

#pragma once

#include <QLabel>
#include <QLockFile>
#include <QMainWindow>
#include <QMdiArea>
#include <QToolBar>
#include <deque>
#include <functional>
#include <map>
#include <memory>

#include "app/model/command_handlers.h"
#include "app/model/command_state.h"
#include "app/model/recent_files.h"
#include "comm/qt/comm_environment.h"
#include "core/instruction_store.h"
#include "core/message_sink.h"
#include "core/par_range.h"
#include "editor/clipboard_text.h"
#include "editor/dialog_provider.h"
#include "online/device_test.h"
#include "project/project_document.h"

class CChildFrame;
class CDatalistTreeCtrldlg;
class CSearchCommands;
class CCommentCommands;
class CPrintCommands;
class CWatchDocks;
class QDockWidget;
class QMenu;

// The main window: both menu bars, the shortcut table, three toolbars, the
// status bar, the project data list, and the one project window at a time
// with its open, save and close rules. It carries out the handlers of the
// command table.
class CMainFrame : public QMainWindow, public rs::shell::CommandHandlers {
    Q_OBJECT
  public:
    // Chooses a file: for opening (saving false) or saving with a proposed
    // name. Empty when the user cancels.
    using FileChooser = std::function<QString(bool saving, const QString& proposed)>;
    // Ends the program at once with an exit code.
    using ProcessExit = std::function<void(int code)>;

    CMainFrame(rs::MessageSink& sink, rs::DialogProvider& dialogs, rs::ClipboardText& clipboard,
               QWidget* parent = nullptr);
    ~CMainFrame() override;

    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    void setProcessExit(ProcessExit exit) { m_exitProcess = std::move(exit); }
    // The ports and the settings file of the transfer dialogs.
    void setCommEnvironment(rs::CommEnvironment environment) { m_comm = std::move(environment); }

    // Runs a command as its menu item, toolbar button or shortcut does: its
    // row of the command table; a disabled command does nothing.
    void runCommand(int command);

    // The handlers of the command table (main_frame_commands.cpp).
    void newProject() override;
    void openProject() override;
    void openRecentFile(int index) override;
    void closeProject() override;
    void saveProject(bool saveAs) override;
    void exitProgram() override;
    void setMode2(bool mode2) override;
    void toggleFileToolbar() override;
    void toggleStatusBarFlag() override;
    void toggleStatusBar() override;
    void toggleDataList() override;
    void toggleCrossReference() override;
    void toggleDeviceComments() override;
    void arrangeWindows(rs::shell::WindowArrangement how) override;
    void showDialog(rs::shell::ShellDialog dialog) override;
    void openHelp() override;
    void openExamples() override;
    void edit(rs::EditCommand command) override;
    void enterKey() override;
    void convert() override;
    void switchPresentation() override;
    void undo() override;
    void redo() override;
    void editComment() override;
    void find(rs::search::FindKind kind) override;
    void findNext() override;
    void replaceDevice() override;
    void print(rs::shell::PrintOutput output) override;
    void simulate(rs::shell::SimulationStep step) override;
    void monitor(rs::shell::MonitorStep step) override;
    void addToWatch() override;
    void toggleWatchWindow() override;
    void toggleTimingChart() override;
    // Opens a project file as "Open project" does after its dialog.
    bool openProjectFile(const QString& path);

    rs::shell::ShellState shellState() const;
    rs::AppStore& appStore() { return m_app; }
    CChildFrame* project() const { return m_pProject; }
    QMdiArea* mdiArea() const { return m_pMdi; }
    QDockWidget* dataListBar() const { return m_pDataBar; }
    const std::vector<QToolBar*>& toolBars() const { return m_toolBars; }
    CSearchCommands* searchCommands() const { return m_pSearch; }
    CPrintCommands* printCommands() const { return m_pPrint; }
    CWatchDocks* watchDocks() const { return m_pWatch; }
    CCommentCommands* commentCommands() const { return m_pComments; }
    const rs::shell::RecentFiles& recentFiles() const { return m_recent; }

    // The actions that show a command in the menu bar and the toolbars.
    std::vector<QAction*> actionsFor(int command) const;

  signals:
    // The program or the windows changed: menus and buttons follow.
    void stateChanged();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The close box of the project window: whether it may close now.
    bool childMayClose(CChildFrame* child);
    void childClosed(CChildFrame* child);
    void createToolBars();
    void createDataList();
    void createStatusBar();
    void buildMenuBar();
    void updateCommandStates();
    void updateCaption();
    QAction* makeAction(const QString& text, int command);

    bool startNewProject();
    bool save(bool saveAs);
    bool saveModified();
    bool mayCreateProject();
    CChildFrame* createProjectWindow();
    void closeProjectWithoutQuestions();
    void loadRecentFiles();
    void storeRecentFiles();
    std::unique_ptr<QLockFile> lockProject(const QString& path, bool& heldElsewhere);

    rs::MessageSink& m_sink;
    rs::DialogProvider& m_dialogs;
    rs::ClipboardText& m_clipboard;
    rs::AppStore m_app;
    rs::RangeFile m_ranges;
    rs::TitleCounter m_titles;
    rs::shell::RecentFiles m_recent;
    QMdiArea* m_pMdi;
    CChildFrame* m_pProject = nullptr;
    std::vector<QToolBar*> m_toolBars;
    QDockWidget* m_pDataBar = nullptr;
    CSearchCommands* m_pSearch = nullptr;     // find, replace, cross reference
    CPrintCommands* m_pPrint = nullptr;       // print, preview, export
    CWatchDocks* m_pWatch = nullptr;          // watch window, timing chart
    CCommentCommands* m_pComments = nullptr;  // device comments
    CDatalistTreeCtrldlg* m_pDataList = nullptr;
    QLabel* m_pIdle = nullptr;
    std::map<int, QLabel*> m_indicators;  // Qt key -> indicator
    std::map<int, bool> m_lockKeys;       // Qt key -> lock state seen
    int m_nStatusBarFlag = 1;
    std::vector<QMenu*> m_menus;  // the menus of the menu bar, with their actions
    std::multimap<int, QAction*> m_menuActions;
    std::multimap<int, QAction*> m_toolActions;
    std::vector<std::pair<QKeySequence, int>> m_shortcuts;
    FileChooser m_chooseFile;
    ProcessExit m_exitProcess;
    rs::CommEnvironment m_comm;
    // The forces and writes made from the monitored ladder, oldest first: the
    // device test shows them in its history.
    std::deque<rs::online::HistoryEntry> m_deviceHistory;
    void keepDeviceHistory(const rs::online::HistoryEntry& entry);
};

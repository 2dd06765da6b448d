#include "app/qt/main_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolButton>
#include <cstdlib>

#include "app/model/command_table.h"
#include "app/model/commands.h"
#include "app/model/menu_layout.h"
#include "app/model/project_names.h"
#include "app/model/shortcuts.h"
#include "app/model/toolbars.h"
#include "app/qt/child_frame.h"
#include "app/qt/comment_commands.h"
#include "app/qt/data_list_dialog.h"
#include "app/qt/print_commands.h"
#include "app/qt/search_commands.h"
#include "app/qt/settings_store.h"
#include "app/qt/timing_chart_bar.h"
#include "app/qt/watch_bar.h"
#include "app/qt/watch_docks.h"
#include "core/messages.h"
#include "core/program_dir.h"
#include "translations/system_text.h"

using namespace rs::shell;
using rs::qt::sysText;

namespace {

constexpr const char* kFileFilter = "记录文件(*.epj);;All Files (*.*)";

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

QString defaultChooseFile(QWidget* parent, bool saving, const QString& proposed) {
    QFileDialog dialog(parent, sysText(saving ? "Save As" : "Open"), proposed,
                       sysText(kFileFilter));
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix("epj");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

}  // namespace

// The images are compiled into this static library, which registers them.
static void loadImages() {
    Q_INIT_RESOURCE(rungsmith);
}

CMainFrame::CMainFrame(rs::MessageSink& sink, rs::DialogProvider& dialogs,
                       rs::ClipboardText& clipboard, QWidget* parent)
    : QMainWindow(parent),
      m_sink(sink),
      m_dialogs(dialogs),
      m_clipboard(clipboard),
      m_ranges(rs::defaultRangeFilePath()),
      m_pMdi(new QMdiArea(this)) {
    loadImages();
    setWindowTitle("Rungsmith");
    setWindowIcon(QIcon(":/rungsmith.png"));
    setCentralWidget(m_pMdi);
    setAcceptDrops(true);
    m_chooseFile = [this](bool saving, const QString& proposed) {
        return defaultChooseFile(this, saving, proposed);
    };
    m_exitProcess = [](int code) { std::exit(code); };

    createToolBars();
    createDataList();
    const auto project = [this] { return m_pProject; };
    m_pSearch = new CSearchCommands(this, project);
    m_pPrint = new CPrintCommands(this, project);
    connect(m_pSearch, &CSearchCommands::stateChanged, this, &CMainFrame::stateChanged);
    connect(this, &CMainFrame::stateChanged, m_pSearch, &CSearchCommands::refreshCrossReference);
    m_pWatch = new CWatchDocks(this, m_sink, project);
    connect(m_pWatch, &CWatchDocks::stateChanged, this, &CMainFrame::stateChanged);
    m_pComments = new CCommentCommands(this, project);
    connect(m_pComments, &CCommentCommands::stateChanged, this, &CMainFrame::stateChanged);
    connect(this, &CMainFrame::stateChanged, m_pComments, &CCommentCommands::refresh);
    createStatusBar();
    loadRecentFiles();
    buildMenuBar();
    for (const auto& e : effectiveShortcuts())
        m_shortcuts.emplace_back(QKeySequence(qs(e.key)), e.command);
    qApp->installEventFilter(this);
    connect(this, &CMainFrame::stateChanged, this, &CMainFrame::updateCommandStates);
    updateCommandStates();
}

CMainFrame::~CMainFrame() {
    qApp->removeEventFilter(this);
    // The bars report their hiding while the window goes away.
    for (QToolBar* bar : m_toolBars) disconnect(bar, nullptr, this, nullptr);
    disconnect(m_pDataBar, nullptr, this, nullptr);
    if (m_pSearch) disconnect(m_pSearch, nullptr, this, nullptr);
    if (m_pWatch) disconnect(m_pWatch, nullptr, this, nullptr);
    if (m_pComments) disconnect(m_pComments, nullptr, this, nullptr);
    if (m_pProject) disconnect(m_pProject, nullptr, this, nullptr);
    disconnect(this, &CMainFrame::stateChanged, nullptr, nullptr);
}

// ---- bars -------------------------------------------------------------------

QAction* CMainFrame::makeAction(const QString& text, int command) {
    auto* action = new QAction(text, this);
    action->setData(command);
    action->setStatusTip(sysText(statusPrompt(command)));
    connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
    return action;
}

void CMainFrame::createToolBars() {
    for (const auto& layout : toolbarLayouts()) {
        auto* bar = new QToolBar(sysText(layout.name), this);
        bar->setObjectName(qs(layout.name));
        bar->setIconSize(QSize(23, 23));
        bar->setAllowedAreas(Qt::TopToolBarArea | Qt::LeftToolBarArea);
        bar->setMovable(true);
        for (int command : layout.buttons) {
            if (command == CmdNone) {
                bar->addSeparator();
                continue;
            }
            QAction* action = makeAction({}, command);
            action->setIcon(QIcon(":/toolbar/" + qs(buttonImageName(command)) + ".png"));
            action->setToolTip(sysText(buttonTip(command)));
            bar->addAction(action);
            if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action)))
                button->setAutoRaise(false);
            m_toolActions.emplace(command, action);
        }
        addToolBar(Qt::TopToolBarArea, bar);
        m_toolBars.push_back(bar);
        connect(bar, &QToolBar::visibilityChanged, this, &CMainFrame::updateCommandStates);
    }
}

void CMainFrame::createDataList() {
    m_pDataBar = new QDockWidget(sysText("Project data list"), this);
    m_pDataBar->setObjectName("Project data list");
    m_pDataBar->setAllowedAreas(Qt::AllDockWidgetAreas);
    m_pDataList = new CDatalistTreeCtrldlg(m_pDataBar);
    m_pDataBar->setWidget(m_pDataList);
    addDockWidget(Qt::LeftDockWidgetArea, m_pDataBar);
    connect(m_pDataBar, &QDockWidget::visibilityChanged, this, &CMainFrame::updateCommandStates);
}

void CMainFrame::createStatusBar() {
    QStatusBar* bar = statusBar();
    m_pIdle = new QLabel(sysText(kIdlePrompt), bar);
    bar->addWidget(m_pIdle, 1);
    const std::pair<int, const char*> indicators[] = {
        {Qt::Key_CapsLock, "CAP"}, {Qt::Key_NumLock, "NUM"}, {Qt::Key_ScrollLock, "SCRL"}};
    for (const auto& [key, text] : indicators) {
        auto* label = new QLabel(text, bar);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setEnabled(false);  // shown greyed while the lock is off
        bar->addPermanentWidget(label);
        m_indicators[key] = label;
        m_lockKeys[key] = false;
    }
}

// The menu bar itself stays for the life of the window: a maximized project
// window keeps its system buttons in it. Only its menus are made anew.
void CMainFrame::buildMenuBar() {
    QMenuBar* bar = menuBar();
    bar->clear();
    m_menuActions.clear();
    qDeleteAll(m_menus);
    m_menus.clear();
    const bool open = m_pProject != nullptr;
    std::function<void(QMenu*, const std::vector<MenuEntry>&)> fill =
        [&](QMenu* menu, const std::vector<MenuEntry>& entries) {
            for (const auto& e : entries) {
                switch (e.kind) {
                    case MenuEntry::Separator:
                        menu->addSeparator();
                        break;
                    case MenuEntry::Submenu:
                        fill(menu->addMenu(sysText(e.text)), e.children);
                        break;
                    case MenuEntry::RecentFiles: {
                        const auto& paths = m_recent.paths();
                        if (paths.empty()) {
                            QAction* a = makeAction(sysText(e.text), CmdNone);
                            a->setParent(menu);
                            a->setEnabled(false);
                            menu->addAction(a);
                        }
                        for (size_t i = 0; i < paths.size(); ++i) {
                            const int command = CmdRecentFile1 + static_cast<int>(i);
                            QAction* a = makeAction(
                                qs(recentFileMenuText(static_cast<int>(i), paths[i])), command);
                            a->setParent(menu);
                            menu->addAction(a);
                            m_menuActions.emplace(command, a);
                        }
                        break;
                    }
                    case MenuEntry::Item: {
                        QAction* a = makeAction(sysText(e.text), e.command);
                        a->setParent(menu);  // gone with the menu
                        menu->addAction(a);
                        m_menuActions.emplace(e.command, a);
                        break;
                    }
                }
            }
        };
    for (const auto& m : open ? projectMenuBar() : noProjectMenuBar()) {
        auto* menu = new QMenu(sysText(m.title), bar);
        bar->addMenu(menu);
        m_menus.push_back(menu);
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::updateCommandStates);
        fill(menu, m.entries);
    }
    updateCommandStates();
}

ShellState CMainFrame::shellState() const {
    ShellState s;
    s.projectOpen = m_pProject != nullptr;
    s.listMode = m_pProject && m_pProject->viewState().m_bListMode;
    s.mode1Check = m_app.m_nMode1Check != 0;
    s.mode2Check = m_app.m_nMode2Check != 0;
    s.fileToolbarVisible = !m_toolBars.empty() && m_toolBars.front()->isVisibleTo(this);
    s.statusBarFlag = m_nStatusBarFlag != 0;
    s.dataListVisible = m_pDataBar && m_pDataBar->isVisibleTo(this);
    s.simulating = m_pProject && m_pProject->simulation().active();
    s.simulationRunning = m_pProject && m_pProject->simulation().running();
    s.monitoring = m_pProject && m_pProject->monitor().active();
    s.canUndo = m_pProject && m_pProject->history().canUndo();
    s.canRedo = m_pProject && m_pProject->history().canRedo();
    s.crossReferenceVisible = m_pSearch && m_pSearch->crossReferenceBar()->isVisibleTo(this);
    s.watchWindowVisible = m_pWatch && m_pWatch->watchBar()->isVisibleTo(this);
    s.timingChartVisible = m_pWatch && m_pWatch->chartBar()->isVisibleTo(this);
    s.deviceCommentsVisible = m_pComments && m_pComments->bar()->isVisibleTo(this);
    return s;
}

void CMainFrame::updateCommandStates() {
    const ShellState state = shellState();
    for (auto* actions : {&m_menuActions, &m_toolActions}) {
        for (auto& [command, action] : *actions) {
            const CommandState cs = commandState(command, state);
            action->setEnabled(cs.enabled);
            action->setCheckable(cs.checkable);
            if (cs.checkable) action->setChecked(cs.checked);
        }
    }
}

std::vector<QAction*> CMainFrame::actionsFor(int command) const {
    std::vector<QAction*> out;
    for (auto* actions : {&m_menuActions, &m_toolActions}) {
        auto [from, to] = actions->equal_range(command);
        for (auto it = from; it != to; ++it) out.push_back(it->second);
    }
    return out;
}

void CMainFrame::updateCaption() {
    if (!m_pProject) {
        setWindowTitle("Rungsmith");
        return;
    }
    // The project window's own title bar (shown when it is not maximized)
    // names the project too.
    m_pProject->setWindowTitle(qs(m_pProject->document().title()));
    setWindowTitle(qs(captionFor(m_pProject->document().title(), m_pProject->isMaximized())));
}

// ---- commands -----------------------------------------------------------------

void CMainFrame::runCommand(int command) {
    if (rs::shell::runCommand(command, shellState(), *this)) emit stateChanged();
}

// ---- projects -------------------------------------------------------------------

// Before a project window is created: offers to save the open project and
// closes it. False keeps the open project and refuses the new one.
bool CMainFrame::mayCreateProject() {
    if (!m_pProject) return true;
    const auto answer =
        m_sink.ask(kSaveProjectQuestion, rs::msg::kAppTitle, rs::MessageButtons::YesNoCancel,
                   rs::MessageAnswer::Yes, rs::MessageIcon::Question);
    bool mayClose = answer == rs::MessageAnswer::No;
    // A save that is refused (unconverted ladder) or fails keeps the open
    // project, as Cancel does, so that its edits are not lost.
    if (answer == rs::MessageAnswer::Yes) mayClose = save(false);
    if (!mayClose) {
        m_sink.inform(kFailedToCreateDocument, rs::msg::kAppTitle, rs::MessageIcon::Warning);
        return false;
    }
    closeProjectWithoutQuestions();
    return true;
}

// A project window is always created visible and maximized.
CChildFrame* CMainFrame::createProjectWindow() {
    auto* child = new CChildFrame(m_app, m_sink, m_ranges, m_dialogs, m_clipboard, statusBar());
    child->setWindowIcon(windowIcon());
    m_pMdi->addSubWindow(child);
    child->setWindowState(Qt::WindowMaximized);
    child->show();
    m_pProject = child;
    connect(child, &QMdiSubWindow::windowStateChanged, this, &CMainFrame::updateCaption);
    connect(child, &CChildFrame::stateChanged, this, &CMainFrame::stateChanged);
    connect(child, &CChildFrame::closed, this, &CMainFrame::childClosed);
    connect(&child->monitor(), &MonitorController::historyAdded, this,
            [this](const rs::online::HistoryEntry& e) { keepDeviceHistory(e); });
    m_pWatch->follow(child);
    child->setCloseCheck([this, child] { return childMayClose(child); });
    connect(child->view(), &CCorvaneElectricPLCView::commandRequested, this,
            &CMainFrame::runCommand);
    // The two line entries without a command can be chosen and do nothing.
    child->view()->setCommandEnabled(
        [this](int command) { return command < 0 || commandState(command, shellState()).enabled; });
    buildMenuBar();
    return child;
}

bool CMainFrame::startNewProject() {
    m_app.setMode2(true);  // a project document is constructed in mode 2
    if (!mayCreateProject()) return false;
    CChildFrame* child = createProjectWindow();
    child->project().startNew(m_titles);
    updateCaption();
    child->view()->setFocus();
    return true;
}

bool CMainFrame::openProjectFile(const QString& path) {
    m_app.setMode2(true);
    if (!mayCreateProject()) return false;
    bool heldElsewhere = false;
    auto lock = lockProject(path, heldElsewhere);
    if (heldElsewhere) {
        m_sink.inform(kAlreadyOpen, rs::msg::kAppTitle, rs::MessageIcon::Warning);
        m_exitProcess(0);
        return false;
    }
    CChildFrame* child = createProjectWindow();
    if (!child->project().open(QFileInfo(path).absoluteFilePath().toStdString())) {
        child->closeNow();
        return false;
    }
    child->setLock(std::move(lock));
    m_recent.add(child->document().pathName());
    storeRecentFiles();
    buildMenuBar();
    updateCaption();
    child->view()->setFocus();
    return true;
}

std::unique_ptr<QLockFile> CMainFrame::lockProject(const QString& path, bool& heldElsewhere) {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    const std::string name = projectLockName(path.toStdString());
    auto lock = std::make_unique<QLockFile>(dir + "/" + qs(name));
    lock->setStaleLockTime(0);
    heldElsewhere = false;
    if (lock->tryLock(0)) return lock;
    heldElsewhere = lock->error() == QLockFile::LockFailedError;
    return nullptr;
}

bool CMainFrame::save(bool saveAs) {
    if (!m_pProject) return false;
    rs::ProjectDocument& doc = m_pProject->document();
    QString path = qs(doc.pathName());
    if (saveAs || path.isEmpty()) {
        path = m_chooseFile(true, qs(doc.title()) + ".epj");
        if (path.isEmpty()) return false;
    }
    const std::string before = doc.pathName();
    if (doc.save(path.toStdString()) != rs::SaveResult::Saved) return false;
    if (doc.pathName() != before) {
        // Other instances now see the project under its new name.
        bool heldElsewhere = false;
        m_pProject->setLock(lockProject(qs(doc.pathName()), heldElsewhere));
    }
    m_recent.add(doc.pathName());
    storeRecentFiles();
    buildMenuBar();
    updateCaption();
    return true;
}

// The framework's question for a modified project: false when the user
// cancels or the save does not happen.
bool CMainFrame::saveModified() {
    if (!m_pProject || !m_pProject->document().isModified()) return true;
    const std::string text = saveChangesQuestion(m_pProject->document().title());
    switch (m_sink.ask(text, rs::msg::kAppTitle, rs::MessageButtons::YesNoCancel,
                       rs::MessageAnswer::Yes, rs::MessageIcon::Question)) {
        case rs::MessageAnswer::Yes:
            return save(false);
        case rs::MessageAnswer::No:
            return true;
        default:
            return false;
    }
}

void CMainFrame::closeProjectWithoutQuestions() {
    if (m_pProject) m_pProject->closeNow();
}

bool CMainFrame::childMayClose(CChildFrame* child) {
    if (!child->viewState().m_bCompiled) {
        return m_sink.ask(kDeleteUnconverted, rs::msg::kCaption, rs::MessageButtons::YesNo,
                          rs::MessageAnswer::No,
                          rs::MessageIcon::Warning) == rs::MessageAnswer::Yes;
    }
    return saveModified();
}

void CMainFrame::childClosed(CChildFrame* child) {
    if (child != m_pProject) return;
    child->releaseLock();  // the project is no longer shown here
    m_pProject = nullptr;
    m_pMdi->removeSubWindow(child);
    child->deleteLater();
    buildMenuBar();
    updateCaption();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_pProject && !m_app.m_bCompiled &&
        m_sink.ask(kDeleteUnconverted, rs::msg::kCaption, rs::MessageButtons::YesNo,
                   rs::MessageAnswer::No, rs::MessageIcon::Warning) != rs::MessageAnswer::Yes) {
        event->ignore();
        return;
    }
    if (!saveModified()) {
        event->ignore();
        return;
    }
    closeProjectWithoutQuestions();
    event->accept();
}

// ---- recent files, dropped files ----------------------------------------------------

void CMainFrame::loadRecentFiles() {
    QSettings settings(kSettingsOrganization, kSettingsApplication);
    std::vector<std::string> paths;
    for (int i = 1; i <= kRecentFileCount; ++i)
        paths.push_back(
            settings.value(QString("Recent File List/File%1").arg(i)).toString().toStdString());
    m_recent = RecentFiles(paths);
}

void CMainFrame::storeRecentFiles() {
    QSettings settings(kSettingsOrganization, kSettingsApplication);
    const auto& paths = m_recent.paths();
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString key = QString("Recent File List/File%1").arg(i);
        if (static_cast<size_t>(i) <= paths.size())
            settings.setValue(key, qs(paths[i - 1]));
        else
            settings.remove(key);
    }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    event->acceptProposedAction();
    for (const QUrl& url : urls)
        if (url.isLocalFile()) openProjectFile(url.toLocalFile());
}

// ---- shortcut table and lock indicators ------------------------------------------------

// Keys of the shortcut table are translated before any widget sees them, as
// long as this window (not a dialog or a menu) has the key.
bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride)
        return QMainWindow::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (type == QEvent::KeyPress && m_indicators.count(key->key()) && !key->isAutoRepeat()) {
        const bool on = !m_lockKeys[key->key()];
        m_lockKeys[key->key()] = on;
        m_indicators[key->key()]->setEnabled(on);
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this || QApplication::activeModalWidget()) return false;
    // A label being edited in the project data list keeps its keys.
    if (qobject_cast<QLineEdit*>(widget)) return false;
    const QKeySequence pressed(
        QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, static_cast<Qt::Key>(key->key())));
    for (const auto& [sequence, command] : m_shortcuts) {
        if (sequence != pressed) continue;
        event->accept();
        if (type == QEvent::KeyPress) runCommand(command);
        return true;
    }
    return false;
}

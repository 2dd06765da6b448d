#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <optional>

#include "app/qt/cross_reference_bar.h"
#include "app/qt/find_dialog.h"

class CChildFrame;
class QMainWindow;

// The find, find-next (F3), replace and cross reference commands of the main
// window: the find dialogs and the cross reference dock, the search of the
// open project and its status bar notes.
class CSearchCommands : public QObject {
    Q_OBJECT
  public:
    // The open project window, or null.
    using ProjectWindow = std::function<CChildFrame*()>;

    CSearchCommands(QMainWindow* window, ProjectWindow project);

    // Shows the find dialog of a kind.
    void showDialog(rs::search::FindKind kind);
    // F3: the last search again; before any, "Find device".
    void findNext();
    // "Replace device...": its dialog, then the rename.
    void replaceDevice();
    void toggleCrossReference();
    // Searches the open project and reports in the status bar.
    void find(const rs::search::FindQuery& query);
    // Renames a device as one step of the project's history.
    void replace(const std::string& from, const std::string& to);

    // Lists the open project's devices again while the cross reference shows.
    void refreshCrossReference();

    CCrossReferenceBar* crossReferenceBar() const { return m_pXref; }
    CFindDialog* findDialog(rs::search::FindKind kind);

    // Puts the cursor on a row of the list, when the list is shown.
    void showListRow(int row) { goTo({true, row}); }

  signals:
    // The cross reference was shown or hidden.
    void stateChanged();

  private:
    void goTo(const rs::search::DevicePlace& place);
    void note(const QString& text);

    QMainWindow* m_frame;
    ProjectWindow m_project;
    CCrossReferenceBar* m_pXref;
    std::map<rs::search::FindKind, QPointer<CFindDialog>> m_dialogs;
    std::optional<rs::search::FindQuery> m_lastQuery;
};

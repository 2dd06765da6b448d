#pragma once

#include <QObject>
#include <QPointer>
#include <map>
#include <optional>

#include "app/qt/cross_reference_bar.h"
#include "app/qt/find_dialog.h"

class CMainFrame;

// The find, find-next (F3), replace and cross reference commands of the main
// window: the find dialogs and the cross reference dock, the search of the
// open project and its status bar notes.
class CSearchCommands : public QObject {
    Q_OBJECT
  public:
    explicit CSearchCommands(CMainFrame* frame);

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

    CCrossReferenceBar* crossReferenceBar() const { return m_pXref; }
    CFindDialog* findDialog(rs::search::FindKind kind);

  private:
    void goTo(const rs::search::DevicePlace& place);
    void refreshCrossReference();
    void note(const QString& text);

    CMainFrame* m_frame;
    CCrossReferenceBar* m_pXref;
    std::map<rs::search::FindKind, QPointer<CFindDialog>> m_dialogs;
    std::optional<rs::search::FindQuery> m_lastQuery;
};

#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/instruction_store.h"
#include "core/session.h"
#include "editor/editor.h"
#include "editor/history/undo_history.h"
#include "editor/search/replace_device.h"
#include "project/project_document.h"

namespace rs::shell {

// What a change did, for those who show the project.
struct ProjectChange {
    bool program = false;       // the program or its presentation changed: draw it again
    bool followCursor = false;  // the cursor moved on: keep it in sight
    bool comments = false;      // a device comment changed: draw the names again
};

class ProjectObserver {
  public:
    virtual ~ProjectObserver() = default;
    virtual void projectChanged(const ProjectChange& change) = 0;
};

// One open project: its view state (grid, record lists, flags, presentation),
// its document (title, path, modified flag), its editor and its undo history,
// over the window's store (instruction table, encoding mode). Every change of
// the program goes through perform(), undo() or redo(): one step of the
// history, the modified flag, the tidy steps of the paint pass, then the
// observers hear of it.
class Project {
  public:
    Project(AppStore& app, MessageSink& sink, const RangeFile& ranges, DialogProvider& dialogs,
            ClipboardText& clipboard);
    Project(const Project&) = delete;
    Project& operator=(const Project&) = delete;

    Session& session() { return m_session; }
    ViewState& view() { return m_view; }
    ProjectDocument& document() { return m_doc; }
    Editor& editor() { return m_editor; }
    const UndoHistory& history() const { return m_history; }
    bool listMode() const { return m_view.m_bListMode != 0; }

    void addObserver(ProjectObserver* observer) { m_observers.push_back(observer); }

    // While locked (a simulation runs) the editing commands change nothing.
    void setLocked(bool locked) { m_bLocked = locked; }
    bool locked() const { return m_bLocked; }

    // Runs a change of the program as one step of the history; the change
    // calls changed() when it changed what is shown.
    void perform(const std::function<void()>& change);
    // Within perform(): the program changed; the tidy steps run before the
    // step is taken, so that undo gives back the program as it was drawn.
    void changed(bool followCursor = false);
    // Undo and redo: the program as it was, the document's modified flag with it.
    bool undo();
    bool redo();
    // The program was replaced outside the history (new, opened): tidied and shown.
    void refresh();

    // "New project" and "Open project": a loaded program is taken over by
    // the view (the list is shown) before it is first drawn.
    void startNew(TitleCounter& titles);
    bool open(const std::string& path);

    // The operations of the commands. `dragged` says whether the pointer
    // dragged a selection before the command.
    void edit(EditCommand command, bool dragged);
    void editCell(int row, int col, bool dragged);
    void editListLine(bool dragged);
    void enterKey(bool dragged);  // the entry dialog of the cursor cell or line
    void convert();
    void switchPresentation();
    // Renames a device everywhere; its comment goes with it to the new
    // device (unless that one has its own), in the same step of the history.
    search::ReplaceOutcome replaceDevice(const std::string& from, const std::string& to);

    // Gives a device its comment (empty removes it) as one step of the
    // history; the document is modified, the program is not. Refused (false,
    // nothing changed) for a text that names no device and for a comment the
    // comments refuse.
    bool setComment(const std::string& device, const std::string& comment);

  private:
    // An entry of the editor: the report mark of an earlier one goes, the
    // modified flag follows the compiled flag, the cursor stays in sight.
    void runEditor(bool dragged, const std::function<void()>& entry);
    bool step(bool older);  // undo (older) or redo
    void tidy();
    void notify(const ProjectChange& change);
    // Within perform(): one comment changed, noted for undo.
    bool writeComment(const CommentDevice& device, const std::string& comment);

    ViewState m_view;
    Session m_session;
    ProjectDocument m_doc;
    Editor m_editor;
    UndoHistory m_history;
    std::vector<ProjectObserver*> m_observers;
    ProjectChange m_pending;
    bool m_bLocked = false;
};

}  // namespace rs::shell

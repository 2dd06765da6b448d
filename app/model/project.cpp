#include "app/model/project.h"

#include "app/model/list_scene.h"
#include "app/model/view_input.h"
#include "core/convert/convert.h"
#include "core/convert/tidy.h"
#include "core/list_to_ladder/presentation_switch.h"
#include "editor/search/device_words.h"

namespace rs::shell {

namespace {

// The device a typed text names: one word, blanks around it passed over.
std::optional<CommentDevice> namedDevice(const std::string& text) {
    const std::vector<std::string> ws = search::words(text);
    if (ws.size() != 1) return std::nullopt;
    return readCommentDevice(ws.front());
}

}  // namespace

Project::Project(AppStore& app, MessageSink& sink, const RangeFile& ranges, DialogProvider& dialogs,
                 ClipboardText& clipboard)
    : m_session(app, m_view, sink, ranges),
      m_doc(m_session),
      m_editor(m_session, dialogs, clipboard),
      m_history(m_session) {
    m_session.startView();
    m_editor.onModified = [this] { m_doc.setModifiedFlag(true); };
    // Undo and redo give a device back the comment it had.
    m_history.setValueWriter([this](const std::string& name, const std::string& value) {
        if (const auto device = readCommentDevice(name)) m_doc.comments().set(*device, value);
    });
}

void Project::perform(const std::function<void()>& change) {
    m_pending = {};
    m_history.begin(m_doc.isModified());
    change();
    if (m_pending.program) tidy();
    m_history.commit(m_doc.isModified());
    notify(m_pending);
}

bool Project::writeComment(const CommentDevice& device, const std::string& comment) {
    DeviceComments& comments = m_doc.comments();
    const std::string older(comments.find(device));
    if (older == comment) return true;
    if (!comments.set(device, comment)) return false;
    m_history.noteValue(device.text(), older, comment);
    m_doc.setModifiedFlag(true);
    m_pending.comments = true;
    return true;
}

bool Project::setComment(const std::string& device, const std::string& comment) {
    const auto named = namedDevice(device);
    if (!named) return false;
    bool written = false;
    perform([&] { written = writeComment(*named, comment); });
    return written;
}

void Project::changed(bool followCursor) {
    m_pending.program = true;
    m_pending.followCursor = m_pending.followCursor || followCursor;
}

bool Project::undo() {
    return step(true);
}

bool Project::redo() {
    return step(false);
}

bool Project::step(bool older) {
    const bool done =
        older ? m_history.undo(m_doc.isModified()) : m_history.redo(m_doc.isModified());
    if (!done) return false;
    m_doc.setModifiedFlag(m_history.modified());
    tidy();
    notify({true, !listMode(), true});
    return true;
}

void Project::refresh() {
    tidy();
    notify({true, false});
}

void Project::startNew(TitleCounter& titles) {
    m_doc.initNew(titles);
    refresh();
}

bool Project::open(const std::string& path) {
    if (!m_doc.open(path)) return false;
    refresh();
    return true;
}

void Project::tidy() {
    if (m_doc.m_bJustLoaded) m_doc.takeOver();
    if (listMode())
        prepareListForDrawing(m_session);
    else
        tidyGrid(m_session);
}

void Project::notify(const ProjectChange& change) {
    for (ProjectObserver* observer : m_observers) observer->projectChanged(change);
}

// Every entry sets the document's modified flag when it leaves the program
// unconverted; one that does not (a cancelled dialog on a converted program)
// has changed nothing.
void Project::runEditor(bool dragged, const std::function<void()>& entry) {
    if (m_bLocked) return;
    perform([&] {
        m_editor.m_bDragged = dragged;
        // The mark of an earlier report goes with the next edit; a report of this
        // edit sets its own.
        m_view.highlight = {};
        entry();
        if (!m_view.m_bCompiled) m_doc.setModifiedFlag(true);
        changed(true);
    });
}

void Project::edit(EditCommand command, bool dragged) {
    runEditor(dragged, [&] { m_editor.run(command); });
}

void Project::editCell(int row, int col, bool dragged) {
    runEditor(dragged, [&] { m_editor.cellEdit(row, col); });
}

void Project::editListLine(bool dragged) {
    runEditor(dragged, [&] { m_editor.editListLine(m_view.m_nListCursor); });
}

// Enter opens the entry dialog of the cursor cell or line, as a double-click
// there does.
void Project::enterKey(bool dragged) {
    if (listMode()) {
        editListLine(dragged);
        return;
    }
    const int row = m_view.grid->m_nCursorRow, col = m_view.grid->m_nCursorCol;
    if (ladderCellEditable(*m_view.grid, row, col)) editCell(row, col, dragged);
}

void Project::convert() {
    perform([this] {
        // Convert does nothing while the list is shown; on the ladder it replaces
        // the mark of an earlier report with its own, if any.
        if (!listMode()) m_view.highlight = {};
        const ConvertOutcome outcome = convertLadder(m_session);
        if (!outcome.ran) return;
        m_doc.setModifiedFlag(true);
        // The report puts the cursor on the cell it names and scrolls to it.
        const bool report =
            outcome.unconvertible && outcome.reportRow >= 0 && outcome.reportCol >= 0;
        if (report) {
            m_view.grid->m_nCursorRow = outcome.reportRow;
            m_view.grid->m_nCursorCol = outcome.reportCol;
        }
        changed(report);
    });
}

void Project::switchPresentation() {
    perform([this] {
        ladder::switchPresentation(m_session);
        changed();
    });
}

search::ReplaceOutcome Project::replaceDevice(const std::string& from, const std::string& to) {
    search::ReplaceOutcome out;
    perform([&] {
        out = search::replaceDevice(m_session, from, to);
        if (out.result != search::ReplaceOutcome::Replaced) return;
        m_doc.setModifiedFlag(true);
        changed();
        // The name belongs to what the device does: it follows the device,
        // unless the new device already has a name of its own.
        const auto older = namedDevice(from);
        const auto newer = namedDevice(to);
        if (!older || !newer || *older == *newer) return;
        const std::string comment(m_doc.comments().find(*older));
        if (comment.empty() || !m_doc.comments().find(*newer).empty()) return;
        writeComment(*newer, comment);
        writeComment(*older, "");
    });
    return out;
}

}  // namespace rs::shell

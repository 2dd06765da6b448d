#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "core/records.h"
#include "core/session.h"
#include "editor/history/program_rows.h"
#include "editor/history/row_splice.h"

namespace rs {

// The undo history of one open project. Each step holds what one command
// changed (the grid rows, table rows and record list entries it rewrote, the
// flags, the cursor before and after), not copies of the program, so the
// history grows with the size of the edits. A shadow copy of the program as
// the last step left it lets a step be worked out after any command, whatever
// it touched.
//
// Use: begin() before a command, commit() after it (after the grid was
// tidied); undo() and redo() rewrite the session, after which the caller
// tidies and repaints as after any command.
//
// Values kept beside the program under a name (a device's comment) are
// undone with it: a command notes each change with noteValue(), and undo and
// redo write the older or newer text back through the value writer.
class UndoHistory {
  public:
    // Writes a named value back; an empty text removes it.
    using ValueWriter = std::function<void(const std::string& name, const std::string& value)>;

    explicit UndoHistory(Session& session);

    void setValueWriter(ValueWriter writer) { m_writeValue = std::move(writer); }
    // Within a command (between begin() and commit()): the value of `name`
    // went from `older` to `newer`. Several changes of one name in a command
    // make one change.
    void noteValue(const std::string& name, const std::string& older, const std::string& newer);

    // Before a command. `modified` is the document's modified flag now: a
    // project saved since the last step makes the present state the saved one.
    void begin(bool modified);
    // After the command: records a step when the program or its flags changed.
    // Returns whether a step was recorded.
    bool commit(bool modified);

    bool canUndo() const { return m_nPosition > 0; }
    bool canRedo() const { return m_nPosition < m_steps.size(); }
    // Rewrite the session to the state before (after) the step; false when
    // there is nothing to undo (redo). `modified` as for begin().
    bool undo(bool modified);
    bool redo(bool modified);
    // The document's modified flag for the state the session is in: clear
    // exactly in the state last saved.
    bool modified() const;

    // Forgets every step; the present state becomes the starting point.
    void clear(bool modified);

    size_t stepCount() const { return m_steps.size(); }
    size_t position() const { return m_nPosition; }
    // Bytes the steps and the shadow copy hold (an estimate of their heap use).
    size_t memoryBytes() const;

  private:
    struct ValueChange {
        std::string name;
        std::string older;
        std::string newer;
    };
    struct Step {
        history::RowSplice<history::GridRow> grid;
        history::RowSplice<history::TableRow> table;
        history::RowSplice<CFunNo> funNo;
        history::RowSplice<CInstruction> instruction;
        history::RowSplice<CParameter1> parameter;
        history::RowSplice<CFunStep> funStep;
        std::vector<ValueChange> values;
        history::ProgramMarks before;
        history::ProgramMarks after;
        bool modifiedBefore = false;
        bool modifiedAfter = false;
    };

    void takeShadow();
    void noteSaved(bool modified);
    void absorb();
    void apply(const Step& step, bool toOlder);

    Session& m_s;
    std::vector<Step> m_steps;
    size_t m_nPosition = 0;           // steps before the present state
    long m_nSaved = 0;                // position of the saved state; -1 when none
    bool m_bModified = false;         // the flag of the present state
    history::ProgramMarks m_pending;  // marks when the command began
    bool m_bPendingModified = false;
    std::vector<ValueChange> m_pendingValues;  // noted by the command in progress
    ValueWriter m_writeValue;

    // The program as the last step left it.
    std::vector<history::GridRow> m_grid;
    std::vector<history::TableRow> m_table;
    RecordLists m_records;
};

}  // namespace rs

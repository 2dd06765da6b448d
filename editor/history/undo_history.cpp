#include "editor/history/undo_history.h"

#include <string>

namespace rs {

using history::GridRow;
using history::GridRows;
using history::ProgramMarks;
using history::RecordRows;
using history::TableRow;
using history::TableRows;

namespace {

// The flags that make a command an edit even when no row changed (Convert of
// a program whose list was already there sets the compiled flags).
bool flagsDiffer(const ProgramMarks& a, const ProgramMarks& b) {
    return a.viewCompiled != b.viewCompiled || a.appCompiled != b.appCompiled ||
           a.listMode != b.listMode || a.unconvertible != b.unconvertible;
}

size_t heapOf(const std::string& s) {
    return s.capacity() > 15 ? s.capacity() + 1 : 0;
}
size_t heapOf(const GridRow& row) {
    size_t n = heapOf(row.step);
    for (const auto& cell : row.cells) n += heapOf(cell.text);
    return n;
}
size_t heapOf(const TableRow& row) {
    return heapOf(row.mnemonic) + heapOf(row.operand);
}
size_t heapOf(const CInstruction& r) {
    return heapOf(r.m_strText);
}
size_t heapOf(const CParameter1& r) {
    return heapOf(r.m_strText);
}
size_t heapOf(const CFunNo&) {
    return 0;
}
size_t heapOf(const CFunStep&) {
    return 0;
}

template <class Row>
size_t bytesOf(const std::vector<Row>& rows) {
    size_t n = rows.capacity() * sizeof(Row);
    for (const Row& r : rows) n += heapOf(r);
    return n;
}
template <class Row>
size_t bytesOf(const history::RowSplice<Row>& s) {
    return bytesOf(s.older) + bytesOf(s.newer);
}

// Applies one record-list splice to the shadow and to the live list.
template <class Record>
void applyList(std::vector<Record>& shadow, std::vector<Record>& live,
               const history::RowSplice<Record>& change, bool toOlder) {
    if (change.empty()) return;
    history::applySplice(shadow, change, toOlder, false);
    history::applySplice(live, change, toOlder, false);
}

}  // namespace

UndoHistory::UndoHistory(Session& session) : m_s(session) {
    takeShadow();
}

void UndoHistory::takeShadow() {
    const GridRows grid{*m_s.view.grid};
    m_grid.clear();
    m_grid.reserve(kGridRows);
    for (int r = 0; r < kGridRows; ++r) m_grid.push_back(grid.get(r));
    const TableRows table{*m_s.app.table};
    m_table.clear();
    m_table.reserve(kListRows);
    for (int r = 0; r < kListRows; ++r) m_table.push_back(table.get(r));
    m_records = m_s.view.records;
    m_records.m_ProtocolList.clear();
}

void UndoHistory::clear(bool modified) {
    m_steps.clear();
    m_nPosition = 0;
    m_nSaved = modified ? -1 : 0;
    m_bModified = modified;
    takeShadow();
}

// A document flag that is clear while the present state was recorded as
// modified means the project was saved here; every other state now differs
// from the file.
void UndoHistory::noteSaved(bool modified) {
    if (modified == m_bModified) return;
    m_bModified = modified;
    if (modified) {
        if (m_nSaved == static_cast<long>(m_nPosition)) m_nSaved = -1;
        return;
    }
    m_nSaved = static_cast<long>(m_nPosition);
    for (Step& step : m_steps) step.modifiedBefore = step.modifiedAfter = true;
}

void UndoHistory::begin(bool modified) {
    noteSaved(modified);
    absorb();
    m_pending = ProgramMarks::read(m_s);
    m_bPendingModified = m_bModified;
    m_pendingValues.clear();
}

void UndoHistory::noteValue(const std::string& name, const std::string& older,
                            const std::string& newer) {
    for (auto it = m_pendingValues.begin(); it != m_pendingValues.end(); ++it) {
        if (it->name != name) continue;
        it->newer = newer;
        if (it->older == it->newer) m_pendingValues.erase(it);
        return;
    }
    if (older != newer) m_pendingValues.push_back({name, older, newer});
}

// Whatever changed the program outside a command (a repaint, an upload) stays
// part of the present state: the shadow takes it without a step.
void UndoHistory::absorb() {
    history::diffAndUpdate(m_grid, GridRows{*m_s.view.grid}, true);
    history::diffAndUpdate(m_table, TableRows{*m_s.app.table}, true);
    m_records = m_s.view.records;
    m_records.m_ProtocolList.clear();
}

bool UndoHistory::commit(bool modified) {
    Step step;
    step.grid = history::diffAndUpdate(m_grid, GridRows{*m_s.view.grid}, true);
    step.table = history::diffAndUpdate(m_table, TableRows{*m_s.app.table}, true);
    const RecordLists& live = m_s.view.records;
    step.funNo =
        history::diffAndUpdate(m_records.m_FunNoList, RecordRows<CFunNo>{live.m_FunNoList}, false);
    step.instruction = history::diffAndUpdate(
        m_records.m_InstructionList, RecordRows<CInstruction>{live.m_InstructionList}, false);
    step.parameter = history::diffAndUpdate(m_records.m_ParameterList,
                                            RecordRows<CParameter1>{live.m_ParameterList}, false);
    step.funStep = history::diffAndUpdate(m_records.m_FunStepList,
                                          RecordRows<CFunStep>{live.m_FunStepList}, false);
    step.before = m_pending;
    step.after = ProgramMarks::read(m_s);
    const bool unchanged = step.grid.empty() && step.table.empty() && step.funNo.empty() &&
                           step.instruction.empty() && step.parameter.empty() &&
                           step.funStep.empty() && m_pendingValues.empty() &&
                           !flagsDiffer(step.before, step.after);
    step.values = std::move(m_pendingValues);
    m_pendingValues.clear();
    m_pending = step.after;
    if (unchanged) {
        noteSaved(modified);
        return false;
    }
    step.modifiedBefore = m_bPendingModified;
    step.modifiedAfter = modified;
    m_steps.resize(m_nPosition);
    m_steps.push_back(std::move(step));
    ++m_nPosition;
    if (m_nSaved >= static_cast<long>(m_nPosition)) m_nSaved = -1;  // a redo branch was dropped
    m_bModified = modified;
    m_bPendingModified = modified;
    return true;
}

void UndoHistory::apply(const Step& step, bool toOlder) {
    LadderGrid& grid = *m_s.view.grid;
    if (!step.grid.empty()) {
        const auto [from, to] = history::applySplice(m_grid, step.grid, toOlder, true);
        for (int r = from; r < to; ++r) history::writeGridRow(grid, r, m_grid[r]);
    }
    InstructionTable& table = *m_s.app.table;
    if (!step.table.empty()) {
        const auto [from, to] = history::applySplice(m_table, step.table, toOlder, true);
        for (int r = from; r < to; ++r) history::writeTableRow(table, r, m_table[r]);
    }
    RecordLists& live = m_s.view.records;
    applyList(m_records.m_FunNoList, live.m_FunNoList, step.funNo, toOlder);
    applyList(m_records.m_InstructionList, live.m_InstructionList, step.instruction, toOlder);
    applyList(m_records.m_ParameterList, live.m_ParameterList, step.parameter, toOlder);
    applyList(m_records.m_FunStepList, live.m_FunStepList, step.funStep, toOlder);
    if (m_writeValue) {
        // Undo writes the older texts back in the reverse order of the changes.
        const size_t n = step.values.size();
        for (size_t k = 0; k < n; ++k) {
            const ValueChange& v = step.values[toOlder ? n - 1 - k : k];
            m_writeValue(v.name, toOlder ? v.older : v.newer);
        }
    }
    const ProgramMarks& marks = toOlder ? step.before : step.after;
    marks.write(m_s);
    m_pending = marks;
}

bool UndoHistory::undo(bool modified) {
    if (!canUndo()) return false;
    noteSaved(modified);
    absorb();
    const Step& step = m_steps[--m_nPosition];
    apply(step, true);
    m_bModified = static_cast<long>(m_nPosition) == m_nSaved ? false : step.modifiedBefore;
    m_bPendingModified = m_bModified;
    return true;
}

bool UndoHistory::redo(bool modified) {
    if (!canRedo()) return false;
    noteSaved(modified);
    absorb();
    const Step& step = m_steps[m_nPosition++];
    apply(step, false);
    m_bModified = static_cast<long>(m_nPosition) == m_nSaved ? false : step.modifiedAfter;
    m_bPendingModified = m_bModified;
    return true;
}

bool UndoHistory::modified() const {
    return m_bModified;
}

size_t UndoHistory::memoryBytes() const {
    size_t n = bytesOf(m_grid) + bytesOf(m_table) + bytesOf(m_records.m_FunNoList) +
               bytesOf(m_records.m_InstructionList) + bytesOf(m_records.m_ParameterList) +
               bytesOf(m_records.m_FunStepList);
    n += m_steps.capacity() * sizeof(Step);
    for (const Step& s : m_steps) {
        n += bytesOf(s.grid) + bytesOf(s.table) + bytesOf(s.funNo) + bytesOf(s.instruction) +
             bytesOf(s.parameter) + bytesOf(s.funStep);
        n += s.values.capacity() * sizeof(ValueChange);
        for (const ValueChange& v : s.values)
            n += heapOf(v.name) + heapOf(v.older) + heapOf(v.newer);
    }
    return n;
}

}  // namespace rs

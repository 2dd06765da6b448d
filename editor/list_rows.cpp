#include "editor/list_rows.h"

#include <algorithm>

namespace rs {

namespace {

template <typename List, typename Rec>
void insertAt(List& list, int pos, Rec rec) {
    const size_t at = std::min(static_cast<size_t>(pos), list.size());
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), std::move(rec));
}

template <typename List>
void eraseAt(List& list, int pos) {
    if (static_cast<size_t>(pos) < list.size())
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(pos));
}

}  // namespace

LineSpan selectedLines(int cursor, int extent) {
    return {std::max(std::min(cursor, cursor + extent), 0),
            std::min(std::max(cursor, cursor + extent), kListRows - 1)};
}

int lastUsedRow(const InstructionTable& table) {
    for (int r = kListRows - 1; r >= 0; --r)
        if (table.rowUsed(r)) return r;
    return -1;
}

bool listHasRoomFor(const InstructionTable& table, int n) {
    return lastUsedRow(table) + n < kListRows;
}

void insertListRow(InstructionTable& table, RecordLists& records, int r,
                   const std::string& mnemonic, const std::string& operand, int32_t fun,
                   int32_t step) {
    if (r < 0 || r >= kListRows) return;
    table.insertRow(r);
    table.setRow(r, mnemonic, operand, fun, step);
    insertAt(records.m_InstructionList, r, CInstruction{r, mnemonic});
    insertAt(records.m_ParameterList, r, CParameter1{r, operand});
    insertAt(records.m_FunNoList, r, CFunNo{r, fun});
    insertAt(records.m_FunStepList, r, CFunStep{r, step});
}

void eraseListRow(InstructionTable& table, RecordLists& records, int r) {
    if (r < 0 || r >= kListRows) return;
    eraseAt(records.m_InstructionList, r);
    eraseAt(records.m_ParameterList, r);
    eraseAt(records.m_FunNoList, r);
    eraseAt(records.m_FunStepList, r);
    table.deleteRow(r);
}

}  // namespace rs

#include "core/instruction_store.h"

#include <algorithm>

namespace rs {

void InstructionTable::clear(int32_t stepCount) {
    for (auto& s : m_Instruction) s.clear();
    for (auto& s : m_Parameter) s.clear();
    m_FunNo.fill(0);
    m_FunStep.fill(stepCount);
}

int InstructionTable::usedRows() const {
    int n = 0;
    while (n < kListRows && rowUsed(n)) ++n;
    return n;
}

void InstructionTable::setRow(int r, std::string mnemonic, std::string operand, int32_t fun,
                              int32_t step) {
    if (r < 0 || r >= kListRows) return;
    m_Instruction[r] = std::move(mnemonic);
    m_Parameter[r] = std::move(operand);
    m_FunNo[r] = fun;
    m_FunStep[r] = step;
}

bool InstructionTable::insertRow(int r) {
    if (r < 0 || r >= kListRows) return false;
    for (int i = kListRows - 1; i > r; --i) {
        m_Instruction[i] = std::move(m_Instruction[i - 1]);
        m_Parameter[i] = std::move(m_Parameter[i - 1]);
        m_FunNo[i] = m_FunNo[i - 1];
        m_FunStep[i] = m_FunStep[i - 1];
    }
    setRow(r, {}, {}, 0, 0);
    return true;
}

bool InstructionTable::deleteRow(int r) {
    if (r < 0 || r >= kListRows) return false;
    for (int i = r; i + 1 < kListRows; ++i) {
        m_Instruction[i] = std::move(m_Instruction[i + 1]);
        m_Parameter[i] = std::move(m_Parameter[i + 1]);
        m_FunNo[i] = m_FunNo[i + 1];
        m_FunStep[i] = m_FunStep[i + 1];
    }
    setRow(kListRows - 1, {}, {}, 0, 0);
    return true;
}

namespace store {

void clearForConvert(InstructionTable& table, RecordLists& records) {
    records.clearProgram();
    table.clear(0);
}

bool emitRow(InstructionTable& table, RecordLists& records, int r, const std::string& mnemonic,
             const std::string& operand, int32_t fun, int32_t step) {
    if (r < 0 || r >= kListRows) return false;
    table.setRow(r, mnemonic, operand, fun, step);
    records.m_InstructionList.push_back({r, mnemonic});
    records.m_ParameterList.push_back({r, operand});
    records.m_FunNoList.push_back({r, fun});
    records.m_FunStepList.push_back({r, step});
    return true;
}

bool appendEnd(InstructionTable& table, RecordLists& records, int r) {
    if (r < 0 || r >= kListRows) return false;
    table.m_Instruction[r] = "END";
    table.m_Parameter[r].clear();
    records.m_InstructionList.push_back({r, "END"});
    records.m_ParameterList.push_back({r, ""});
    return true;
}

namespace {
template <typename List, typename Rec>
void putAt(List& list, size_t pos, Rec rec) {
    if (pos < list.size())
        list[pos] = std::move(rec);
    else
        list.push_back(std::move(rec));
}
}  // namespace

bool applyRow(InstructionTable& table, RecordLists& records, int r, const std::string& mnemonic,
              const std::string& operand, int32_t fun, int32_t step) {
    if (r < 0 || r >= kListRows) return false;
    if (table.m_Instruction[r].empty())
        return emitRow(table, records, r, mnemonic, operand, fun, step);
    table.setRow(r, mnemonic, operand, fun, step);
    const size_t pos = static_cast<size_t>(r);
    putAt(records.m_InstructionList, pos, CInstruction{r, mnemonic});
    putAt(records.m_ParameterList, pos, CParameter1{r, operand});
    putAt(records.m_FunNoList, pos, CFunNo{r, fun});
    putAt(records.m_FunStepList, pos, CFunStep{r, step});
    return true;
}

void loadCopy(InstructionTable& table, const RecordLists& records) {
    const size_t n = std::min<size_t>(records.m_InstructionList.size(), kListRows);
    size_t full = n;
    if (n > 0 && records.m_InstructionList[n - 1].m_strText == "END") full = n - 1;
    for (size_t j = 0; j < n; ++j) {
        table.m_Instruction[j] = records.m_InstructionList[j].m_strText;
        if (j >= full) continue;
        if (j < records.m_ParameterList.size())
            table.m_Parameter[j] = records.m_ParameterList[j].m_strText;
        if (j < records.m_FunNoList.size()) table.m_FunNo[j] = records.m_FunNoList[j].m_nValue;
        if (j < records.m_FunStepList.size())
            table.m_FunStep[j] = records.m_FunStepList[j].m_nValue;
    }
}

void uploadRebuild(const InstructionTable& table, RecordLists& records) {
    for (int r = 0; r < kListRows && table.rowUsed(r); ++r) {
        records.m_InstructionList.push_back({r, table.m_Instruction[r]});
        records.m_ParameterList.push_back({r, table.m_Parameter[r]});
        records.m_FunNoList.push_back({r, table.m_FunNo[r]});
        records.m_FunStepList.push_back({r, table.m_FunStep[r]});
    }
}

void prepareForSave(RecordLists& records, bool mode2) {
    if (records.m_InstructionList.empty()) {
        records.m_InstructionList.push_back({0, "END"});
        records.m_ParameterList.push_back({0, ""});
        records.m_FunNoList.push_back({-1, 0});
        records.m_FunStepList.push_back({-1, 1});
    }
    records.m_ProtocolList.clear();
    records.m_ProtocolList.push_back({0, mode2 ? "1" : "0"});
}

bool listsConsistent(const RecordLists& records) {
    const size_t n = records.m_InstructionList.size();
    size_t full = n;
    if (n > 0 && records.m_InstructionList[n - 1].m_strText == "END") full = n - 1;
    auto fits = [&](size_t size) { return size == n || size == full; };
    return records.m_ParameterList.size() == n && fits(records.m_FunNoList.size()) &&
           fits(records.m_FunStepList.size()) &&
           records.m_FunNoList.size() == records.m_FunStepList.size() && n <= kListRows;
}

}  // namespace store
}  // namespace rs

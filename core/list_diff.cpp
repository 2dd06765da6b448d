#include "core/list_diff.h"

#include <vector>

#include "core/line_diff.h"
#include "core/list_steps.h"
#include "core/list_text.h"

namespace rs {

namespace {

struct NumberedRows {
    std::vector<std::string> rows;
    std::vector<int64_t> steps;
};

NumberedRows numberedRows(const InstructionTable& table, size_t records) {
    NumberedRows n;
    n.steps = listStepNumbers(table, records);
    for (size_t k = 0; k < n.steps.size(); ++k)
        n.rows.push_back(listLineText(table.m_Instruction[k], table.m_Parameter[k]));
    return n;
}

}  // namespace

std::string listDiffText(const InstructionTable& from, size_t fromRecords,
                         const InstructionTable& to, size_t toRecords) {
    const NumberedRows a = numberedRows(from, fromRecords);
    const NumberedRows b = numberedRows(to, toRecords);
    std::string out;
    for (const LineEdit& e : diffLines(a.rows, b.rows)) {
        if (e.kind == LineEdit::Same) continue;
        const NumberedRows& side = e.kind == LineEdit::Removed ? a : b;
        out += e.kind == LineEdit::Removed ? "- " : "+ ";
        out += std::to_string(side.steps[e.index]) + ' ' + side.rows[e.index] + '\n';
    }
    return out;
}

}  // namespace rs

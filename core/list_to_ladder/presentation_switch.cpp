#include "core/list_to_ladder/presentation_switch.h"

#include "core/instructions/instruction.h"
#include "core/limits.h"
#include "core/line_check.h"
#include "core/list_to_ladder/list_to_ladder.h"
#include "core/messages.h"
#include "core/program/row_refusal.h"

namespace rs::ladder {

namespace {

// The row checks, in row order; stops at the first finding.
bool rowsPass(Session& s) {
    const InstructionTable& t = s.table();
    LineChecker checker(s);
    for (int i = 0; i < kListRows; ++i) {
        if (t.m_Instruction[static_cast<size_t>(i)].empty()) continue;
        const TypedRow row =
            typeRow(t.m_Instruction[static_cast<size_t>(i)], t.m_Parameter[static_cast<size_t>(i)]);
        switch (rowRefusal(row, s.mode2(), instr::ListToLadder)) {
            case RowRefusal::None:
                continue;
            case RowRefusal::Nop:
                msg::refuse(s.sink, msg::kNopNotSupported);
                return false;
            case RowRefusal::DeviceSetting:
                msg::refuse(s.sink, msg::kDeviceSettingWrong);
                return false;
            case RowRefusal::Unsupported:
                checker.reportUnsupported(row.mnemonic, ReportPlace{true, i, 0});
                return false;
        }
    }
    return true;
}

}  // namespace

bool switchChecksPass(Session& s) {
    if (s.view.m_bUnconvertible != 0) {
        msg::refuse(s.sink, msg::kUnconvertible);
        s.view.m_bUnconvertible = 0;
        return false;
    }
    if (!s.view.m_bCompiled) {
        msg::refuse(s.sink, msg::kNotCompiled);
        s.view.m_bUnconvertible = 0;
        return false;
    }
    s.view.m_nConvertErrors = 0;
    s.view.m_nUnsupportedErrors = 0;
    return rowsPass(s);
}

bool switchPresentation(Session& s) {
    if (!switchChecksPass(s)) return false;
    if (s.view.m_bListMode != 0) {
        // Back to the ladder: only a list that could be placed leaves the list view.
        if (!listToLadder(s)) return false;
        s.view.m_bListMode = 0;
        return true;
    }
    s.view.m_bListMode = 1;
    return true;
}

}  // namespace rs::ladder

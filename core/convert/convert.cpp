#include "core/convert/convert.h"

#include "core/convert/converter.h"
#include "core/convert/series_parallel.h"
#include "core/convert/tidy.h"
#include "core/instructions/instruction.h"
#include "core/line_check.h"
#include "core/messages.h"

namespace rs {

namespace convert {

Converter::Converter(Session& s, const ConvertLimits& limits)
    : m_s(s), m_g(s.grid()), m_limits(limits) {}

void Converter::reportUnconvertible(int row, int col) {
    if (m_trial) {
        if (m_trialRow < 0) {
            m_trialRow = row;
            m_trialCol = col;
        }
        return;
    }
    m_bConvertible = false;
    if (!m_out.unconvertible) {
        m_out.unconvertible = true;
        m_out.reportRow = row;
        m_out.reportCol = col;
    }
    if (m_s.view.m_nConvertErrors != 0) return;
    m_g.m_nCursorRow = row;
    m_g.m_nCursorCol = col;
    m_s.view.highlight = Highlight{true, false, row, col};
    msg::refuse(m_s.sink, msg::kUnconvertible);
    m_s.view.m_bUnconvertible = 1;
    m_s.view.m_nConvertErrors = 1;
}

bool Converter::enterSubWalk(int R, int c) {
    if (m_depth >= m_limits.nestingDepth || ++m_calls > m_limits.subWalkCalls) {
        reportUnconvertible(R, c);
        return false;
    }
    return true;
}

ConvertOutcome Converter::run() {
    ViewState& v = m_s.view;
    if (v.m_bListMode) return m_out;
    m_out.ran = true;
    // The view tidies the grid after every edit; doing it here too makes a
    // grid from any source (a cell table, a test) look as the user saw it.
    tidyGrid(m_s);

    v.m_nConvertErrors = 0;
    v.m_nUnsupportedErrors = 0;
    v.m_bCompiled = false;
    m_s.app.m_bCompiled = false;
    store::clearForConvert(m_s.table(), v.records);

    captureDrawnMeaning();
    passConnectivity();
    passBranchEnds();
    passCheck();
    if (m_bConvertible) {
        const bool afterReport = v.m_bUnconvertible != 0;
        if (!afterReport) passCompaction();
        if (m_bConvertible) {
            passBranchEnds();
            passEmptyBranches();
        }
        if (m_bConvertible) {
            passOutputBranches();
            passRegroup();
            passEmptyRows();
            passBranchGaps();
            compileWalk();
        }
        if (afterReport) {
            v.m_bUnconvertible = 0;
        } else if (v.m_nConvertErrors == 0 && v.m_nUnsupportedErrors == 0 && m_bConvertible &&
                   !m_out.stepOverflow && !m_bLineRefused) {
            v.m_bCompiled = true;
            m_s.app.m_bCompiled = true;
        }
    }
    m_out.compiled = v.m_bCompiled;
    m_out.rows = m_r;
    // The repaint that follows every Convert.
    tidyGrid(m_s);
    return m_out;
}

// ---- emitters ----

void Converter::emitRow(const std::string& mnemonic, const std::string& operand, int fun,
                        int step) {
    // The last row of the table is kept for END; a ladder that fills the rest
    // is far past the step limit.
    if (m_r >= kListRows - 1) {
        if (!m_out.stepOverflow) msg::refuse(m_s.sink, msg::kStepOutOfRange);
        m_out.stepOverflow = true;
        m_bWalkStopped = true;
        return;
    }
    store::emitRow(m_s.table(), m_s.view.records, m_r, mnemonic, operand, fun, step);
    m_rowCell.push_back(-1);
    ++m_r;
}

// A branch kind loads only as a contact in parallel.
void Converter::emitContact(int R, int c, instr::Kind role) {
    const int32_t kind = m_g.kind(R, c);
    const instr::Instruction* contact = role == instr::Kind::Or || !isBranchKind(kind)
                                            ? instr::contactOfCell(role, serialTwin(kind))
                                            : nullptr;
    if (contact == nullptr) {
        // No instruction loads this kind: the cell cannot be converted.
        reportUnconvertible(R, c);
        return;
    }
    emitRow(std::string(contact->mnemonic), m_g.text(R, c), 0, 1);
    noteWritten(R, c);
}

void Converter::emitLoad(int R, int c) {
    emitContact(R, c, instr::Kind::Load);
}
void Converter::emitAnd(int R, int c) {
    emitContact(R, c, instr::Kind::And);
}
void Converter::emitOr(int R, int c) {
    emitContact(R, c, instr::Kind::Or);
}

void Converter::emitContact(int R, int c, int spKind) {
    const int before = m_r;
    emitContact(m_g, R, c, spKind);
    if (m_r != before) noteWritten(R, c);
}

// A contact of grid g; its row notes the cell, not yet as written.
void Converter::emitContact(const LadderGrid& g, int R, int c, int spKind) {
    const instr::Kind role = spKind == SpStep::Load  ? instr::Kind::Load
                             : spKind == SpStep::And ? instr::Kind::And
                                                     : instr::Kind::Or;
    const instr::Instruction* contact = instr::contactOfCell(role, serialTwin(g.kind(R, c)));
    if (contact == nullptr) return reportUnconvertible(R, c);
    emitRow(std::string(contact->mnemonic), g.text(R, c), 0, 1);
    if (!m_rowCell.empty()) m_rowCell.back() = R * (kOutputCol + 1) + c;
}

void Converter::emitPlain(const char* mnemonic) {
    emitRow(mnemonic, {}, 0, 0);
    const std::string m = mnemonic;
    if (m == "MPS") ++m_nMpsCount;
    if (m == "MPP") ++m_nMppCount;
}

void Converter::emitOutput(int R) {
    const int32_t kind = m_g.kind(R, kOutputCol);
    if (kind == Coil) {
        emitRow("OUT", m_g.text(R, kOutputCol), 0, 1);
        noteWritten(R, kOutputCol);
    } else if (kind == AppInstruction) {
        if (m_r >= kListRows - 1) {
            emitRow({}, {}, 0, 0);  // reports the overflow
            return;
        }
        // The cell's text is checked and written as an entered line; a refused
        // line leaves its row empty and the program unconverted.
        if (!applyLine(m_s, m_g.text(R, kOutputCol), m_r, ReportPlace{false, R, kOutputCol}))
            m_bLineRefused = true;
        m_rowCell.push_back(-1);
        ++m_r;
        noteWritten(R, kOutputCol);
    }
}

}  // namespace convert

ConvertOutcome convertLadder(Session& s, const ConvertLimits& limits) {
    return convert::Converter(s, limits).run();
}

}  // namespace rs

// One rung of the compile walk. The walk writes it first; its list is kept
// when the walk made no report, covered exactly the rows the rung's wires
// join, and means what the rung's circuit means. Otherwise the general
// series-parallel compiler writes the rung; when that cannot either, the
// rung is reported (at the walk's own cell when the walk reported one).
#include <algorithm>

#include "core/convert/converter.h"
#include "core/convert/series_parallel.h"

namespace rs::convert {

namespace {
bool wiredDown(const LadderGrid& g, int r) {
    for (int c = 2; c <= kOutputCol; ++c)
        if (g.has(r, c, LinkDown)) return true;
    return false;
}
}  // namespace

// The last row of the rung starting at row H: rows follow while a vertical
// wire (right of the rail) joins a row to the next.
int Converter::rungBottom(int H) const {
    int B = H;
    while (B < lastRow() && wiredDown(m_g, B)) ++B;
    return B;
}

Converter::RungMark Converter::markRung() const {
    const RecordLists& rec = m_s.view.records;
    RungMark m;
    m.r = m_r;
    m.rowCells = m_rowCell.size();
    m.writtenLog = m_writtenLog.size();
    m.records[0] = rec.m_InstructionList.size();
    m.records[1] = rec.m_ParameterList.size();
    m.records[2] = rec.m_FunNoList.size();
    m.records[3] = rec.m_FunStepList.size();
    m.mps = m_nMpsCount;
    m.mpp = m_nMppCount;
    m.blockStartCol = m_nBlockStartCol;
    m.blockJoined = m_bBlockJoined;
    m.blockOred = m_bBlockOred;
    m.splitPending = m_bSplitPending;
    return m;
}

// Takes back every row written since the mark and the cells they wrote.
void Converter::rollBack(const RungMark& m, int H) {
    InstructionTable& table = m_s.table();
    for (int k = m.r; k < m_r; ++k) table.setRow(k, {}, {}, 0, 0);
    RecordLists& rec = m_s.view.records;
    rec.m_InstructionList.resize(m.records[0]);
    rec.m_ParameterList.resize(m.records[1]);
    rec.m_FunNoList.resize(m.records[2]);
    rec.m_FunStepList.resize(m.records[3]);
    for (size_t k = m.writtenLog; k < m_writtenLog.size(); ++k) m_written[m_writtenLog[k]] = 0;
    m_writtenLog.resize(m.writtenLog);
    m_rowCell.resize(m.rowCells);
    m_r = m.r;
    m_nMpsCount = m.mps;
    m_nMppCount = m.mpp;
    m_nBlockStartCol = m.blockStartCol;
    m_bBlockJoined = m.blockJoined;
    m_bBlockOred = m.blockOred;
    m_bSplitPending = m.splitPending;
    m_bWalkStopped = false;
    m_nRowReached = H;
}

void Converter::compileRung(int H) {
    const int B = rungBottom(H);
    const RungMark mark = markRung();
    const bool lineRefused = m_bLineRefused;
    const int unsupported = m_s.view.m_nUnsupportedErrors;
    m_trial = true;
    m_trialRow = m_trialCol = -1;
    columnWalk(H);
    m_trial = false;
    const int walkRow = m_trialRow, walkCol = m_trialCol;
    if (m_out.stepOverflow) return;
    // A refused application line has shown its message: the rung is not
    // written again, and the program stays unconverted anyway.
    if (m_bLineRefused != lineRefused || m_s.view.m_nUnsupportedErrors != unsupported) {
        if (walkRow >= 0) reportUnconvertible(walkRow, walkCol);
        return;
    }
    if (walkRow < 0 && m_nRowReached == B && rungMeansItsList(H, B, mark.r)) return;

    // A compiler's rows stay when they mean what the rung draws; a step
    // overflow ends the conversion either way.
    const auto settled = [&](bool compiled) {
        if (m_out.stepOverflow) return true;
        if (!compiled || !rungMeansItsList(H, B, mark.r)) return false;
        m_nRowReached = B;
        return true;
    };
    rollBack(mark, H);
    int failRow = H, failCol = 1;
    if (settled(compileGeneral(H, B, failRow, failCol))) return;
    rollBack(mark, H);
    if (settled(compileDrawn(H, B))) return;
    rollBack(mark, H);
    if (reportReversedContact(H, B)) return;
    if (walkRow >= 0) {
        // The walk again, now making its report as it always did.
        columnWalk(H);
        return;
    }
    reportUnconvertible(failRow, failCol);
    m_bWalkStopped = true;
}

// The general series-parallel compiler on rows H..B, its rows written through
// the emitters. False, with the cell to report, when the circuit does not
// reduce.
bool Converter::compileGeneral(int H, int B, int& failRow, int& failCol) {
    if (B - H + 1 > m_limits.rungRows) return false;
    const SpResult sp = compileSeriesParallel(m_g, H, B, m_limits.nestingDepth);
    if (!sp.ok) {
        failRow = sp.row;
        failCol = sp.col;
        return false;
    }
    // Any report of an emitter means the rows are not the circuit's.
    m_trial = true;
    m_trialRow = m_trialCol = -1;
    for (const SpStep& s : sp.steps) {
        if (stopped()) break;
        switch (s.kind) {
            case SpStep::Load:
            case SpStep::And:
            case SpStep::Or:
                emitContact(s.row, s.col, s.kind);
                break;
            case SpStep::Plain:
                emitPlain(s.mnemonic);
                break;
            case SpStep::Output:
                emitOutput(s.row);
                break;
        }
    }
    m_trial = false;
    if (m_trialRow < 0) return true;
    failRow = m_trialRow;
    failCol = m_trialCol;
    return false;
}

}  // namespace rs::convert

namespace rs::convert {

bool Converter::compileDrawn(int H, int B) {
    const DrawnRung* drawn = drawnRungOf(H, B);
    if (!drawn) return false;
    const DrawnRung& rung = *drawn;
    const SpResult sp =
        compileSeriesParallel(*m_drawnGrid, rung.first, rung.last, m_limits.nestingDepth);
    if (!sp.ok) return false;
    // Drawn output row -> its row in the walked grid (outputs keep their order).
    std::vector<int> drawnRows;
    for (int i = 0; i < rung.outputs; ++i)
        drawnRows.push_back(m_drawnOutputs[static_cast<size_t>(rung.firstOutput + i)].row);
    m_trial = true;
    m_trialRow = m_trialCol = -1;
    for (const SpStep& s : sp.steps) {
        if (stopped()) break;
        if (s.kind == SpStep::Plain) {
            emitPlain(s.mnemonic);
        } else if (s.kind == SpStep::Output) {
            const auto at = std::find(drawnRows.begin(), drawnRows.end(), s.row);
            if (at == drawnRows.end()) {
                reportUnconvertible(H, 1);
                break;
            }
            emitOutput(
                m_outputRows[static_cast<size_t>(rung.firstOutput + (at - drawnRows.begin()))]);
        } else {
            emitContact(*m_drawnGrid, s.row, s.col, s.kind);
        }
    }
    m_trial = false;
    if (m_trialRow >= 0) return false;
    for (int r = H; r <= B; ++r)
        for (int c = 1; c <= 9; ++c)
            if (sym(r, c)) noteCovered(r, c);
    return true;
}

}  // namespace rs::convert

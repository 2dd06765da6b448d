// The list the walk wrote, checked against the grid before END is appended.
#include <algorithm>

#include "core/convert/converter.h"
#include "core/evaluate/list_eval.h"

namespace rs::convert {

namespace {
constexpr int kCols = kOutputCol + 1;
}

// Called right after the row of cell (R, c) was written. A cell written a
// second time means the walk went over it twice.
void Converter::noteWritten(int R, int c) {
    if (R < 0 || R >= kGridRows || c < 0 || c > kOutputCol) return;
    if (m_written.empty()) m_written.assign(static_cast<size_t>(kGridRows) * kCols, 0);
    const size_t cell = static_cast<size_t>(R) * kCols + static_cast<size_t>(c);
    if (!m_rowCell.empty()) m_rowCell.back() = static_cast<int>(cell);
    if (m_written[cell] != 0) return reportUnconvertible(R, c);
    m_written[cell] = 1;
    m_writtenLog.push_back(cell);
}

// A cell accounted for by a rung written as a whole, without a row of its own.
void Converter::noteCovered(int R, int c) {
    if (R < 0 || R >= kGridRows || c < 0 || c > kOutputCol) return;
    if (m_written.empty()) m_written.assign(static_cast<size_t>(kGridRows) * kCols, 0);
    const size_t cell = static_cast<size_t>(R) * kCols + static_cast<size_t>(c);
    if (m_written[cell] != 0) return;
    m_written[cell] = 1;
    m_writtenLog.push_back(cell);
}

// A flow row is written as its instruction alone; the contacts drawn on it
// are not walked and count as accounted for.
void Converter::noteFlowRow(int R) {
    noteWritten(R, kOutputCol);
    if (R < 0 || R >= kGridRows) return;
    for (int c = 1; c < kOutputCol; ++c) m_written[static_cast<size_t>(R) * kCols + c] = 1;
}

// Every symbol and label of the drawn rows written once, and a list that the list
// evaluator takes (blocks joined before every output, every MPS closed in its
// rung). A failure is reported at the first cell the walk missed, or at the
// cell of the row where the list goes wrong.
void Converter::checkWrittenList() {
    // A refused or unsupported application line already keeps the program
    // unconverted, with its own report.
    if (!m_bConvertible || m_bLineRefused || m_s.view.m_nUnsupportedErrors != 0) return;
    // A label is written where its rung starts; one on a row inside a rung
    // (or on a flow row) has no place in the list and would be lost.
    for (int r = 0; r <= lastRow(); ++r) {
        for (int c = 0; c <= kOutputCol; ++c) {
            const bool written =
                !m_written.empty() && m_written[static_cast<size_t>(r) * kCols + c] != 0;
            const bool needed = c == 0 ? !m_g.text(r, 0).empty() : sym(r, c);
            if (needed && !written) {
                reportUnconvertible(r, c);
                m_bWalkStopped = true;
                return;
            }
        }
    }
    const InstructionTable& table = m_s.table();
    std::vector<eval::ListRow> rows;
    rows.reserve(static_cast<size_t>(m_r));
    for (int k = 0; k < m_r; ++k) rows.push_back({table.m_Instruction[k], table.m_Parameter[k]});
    const eval::ListResult res = eval::runList(rows, [](const std::string&) { return false; });
    if (res.ok) return;
    int cell = 0;
    for (int k = std::min(res.errorRow, m_r - 1); k >= 0; --k) {
        if (m_rowCell[static_cast<size_t>(k)] >= 0) {
            cell = m_rowCell[static_cast<size_t>(k)];
            break;
        }
    }
    reportUnconvertible(cell / kCols, cell % kCols);
    m_bWalkStopped = true;
}

}  // namespace rs::convert

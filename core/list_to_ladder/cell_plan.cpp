#include "core/list_to_ladder/cell_plan.h"

namespace rs::ladder {

PlanCell* CellPlan::at(int row, int col) {
    if (!LadderGrid::inside(row, col)) return nullptr;
    if (row >= rows()) m_rows.resize(static_cast<size_t>(row) + 1);
    return &m_rows[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

const PlanCell* CellPlan::find(int row, int col) const {
    if (!LadderGrid::inside(row, col) || row >= rows()) return nullptr;
    return &m_rows[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

void CellPlan::writeTo(LadderGrid& grid) const {
    grid.clearAll();
    for (int r = 0; r < rows(); ++r)
        for (int c = 0; c < kGridCols; ++c) {
            const PlanCell& cell = m_rows[static_cast<size_t>(r)][static_cast<size_t>(c)];
            if (cell.kind != Empty || !cell.text.empty() || cell.links != 0)
                grid.setCell(r, c, cell.kind, cell.text, cell.links);
        }
}

}  // namespace rs::ladder

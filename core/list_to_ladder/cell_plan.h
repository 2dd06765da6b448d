#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/cell.h"
#include "core/ladder_grid.h"
#include "core/limits.h"

namespace rs::ladder {

struct PlanCell {
    int32_t kind = Empty;
    std::string text;
    CellLinks links = 0;
};

// The cells of a ladder being laid out, row by row, before they go into the
// grid. Rows are added as the layout reaches them, never past the grid's rows.
class CellPlan {
  public:
    // The cell at (row, col), adding rows up to it; nullptr outside the grid.
    PlanCell* at(int row, int col);
    const PlanCell* find(int row, int col) const;
    int rows() const { return static_cast<int>(m_rows.size()); }

    // Replaces the whole grid with the plan: every cell cleared first.
    void writeTo(LadderGrid& grid) const;

  private:
    std::vector<std::array<PlanCell, kGridCols>> m_rows;
};

}  // namespace rs::ladder

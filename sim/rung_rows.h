#pragma once

#include <utility>
#include <vector>

#include "core/instruction_store.h"
#include "core/ladder_grid.h"

namespace rs::sim {

// Which ladder rung holds each row of the converted list. Convert writes the
// step count reached so far as the step label of each rung's first grid row;
// counting each list row's steps the same way puts every row in the rung
// whose label its first step falls under.
class RungRows {
  public:
    // Reads the labels of a converted grid and the rows of its list (up to
    // its END row or first free row).
    void prepare(const LadderGrid& grid, const InstructionTable& table, bool mode2);

    // The first grid row of the rung that holds list row `row`, or -1.
    int gridRowOf(int row) const;
    // The first list row of the rung drawn at grid row `gridRow` (any row of
    // the rung), or -1 when no list row belongs to it.
    int listRowOf(int gridRow) const;

  private:
    std::vector<std::pair<int, int64_t>> m_rungs;  // first grid row and its label, in order
    std::vector<int64_t> m_rowSteps;               // per list row: the steps before it
};

}  // namespace rs::sim

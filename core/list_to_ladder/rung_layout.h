#pragma once

#include "core/instruction_store.h"
#include "core/list_to_ladder/cell_plan.h"
#include "core/list_to_ladder/placement_fault.h"
#include "core/list_to_ladder/rung_model.h"

namespace rs::ladder {

// Lays the rungs out on cells, one below the other from row 0: contacts and
// wires, the vertical wires of parallel blocks and split points, outputs and
// instruction boxes in column 10, labels in column 0. `lastRow` is the last
// row used (-1 when none).
PlacementOutcome layoutRungs(const RungModel& model, const InstructionTable& table, bool mode2,
                             CellPlan& plan, int& lastRow);

}  // namespace rs::ladder

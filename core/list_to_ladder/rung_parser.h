#pragma once

#include "core/instruction_store.h"
#include "core/list_to_ladder/placement_fault.h"
#include "core/list_to_ladder/rung_model.h"

namespace rs::ladder {

// Reads list rows 0 up to "END" or the first free row into rungs: networks
// built block by block as the rows combine them, and the points where outputs
// and split branches hang. Refuses lists that no ladder gives.
PlacementOutcome parseRungs(const InstructionTable& table, RungModel& model);

}  // namespace rs::ladder

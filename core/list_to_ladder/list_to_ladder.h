#pragma once

#include "core/instruction_store.h"
#include "core/ladder_grid.h"
#include "core/list_to_ladder/placement_fault.h"
#include "core/session.h"

namespace rs::ladder {

// Builds the ladder of the instruction list: rows 0 up to "END" (or the first
// free row) are placed on the grid. On success the grid holds exactly the
// placed ladder and its last-row bookkeeping; on a refusal the grid is left
// as it was.
PlacementOutcome placeList(const InstructionTable& table, bool mode2, LadderGrid& grid);

// List to ladder of the view: "END" appended to the list when its last row is
// not "END", then the list placed on the grid. A list that cannot be placed is
// reported through the sink with the list line marked, and false returned.
bool listToLadder(Session& s);

}  // namespace rs::ladder

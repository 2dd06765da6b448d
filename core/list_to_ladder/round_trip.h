#pragma once

#include "core/convert/convert.h"
#include "core/session.h"

namespace rs::ladder {

struct RoundTripOutcome {
    bool placed = false;     // the list could be placed on the grid
    ConvertOutcome convert;  // what Convert of that grid did
};

// The list of the view turned into a ladder and converted back: list to
// ladder, the ladder shown, then Convert, which rewrites the list from the
// grid.
RoundTripOutcome roundTrip(Session& s);

}  // namespace rs::ladder

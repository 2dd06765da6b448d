#include "core/list_to_ladder/round_trip.h"

#include "core/list_to_ladder/list_to_ladder.h"

namespace rs::ladder {

RoundTripOutcome roundTrip(Session& s) {
    RoundTripOutcome out;
    out.placed = listToLadder(s);
    if (!out.placed) return out;
    s.view.m_bListMode = 0;
    out.convert = convertLadder(s);
    return out;
}

}  // namespace rs::ladder

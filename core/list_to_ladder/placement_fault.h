#pragma once

namespace rs::ladder {

// Why a list could not be placed on the grid.
enum class PlacementFault {
    None,
    Malformed,     // the list cannot have come from a ladder: a block or split point
                   // missing, left open, or a contact that would have to be drawn twice
    TooWide,       // contacts past column 9, or an instruction box that does not fit
    TooManyRows,   // the ladder needs more than the grid's rows
    ChainTooLong,  // a vertical wire longer than the editor allows
};

struct PlacementOutcome {
    PlacementFault fault = PlacementFault::None;
    int listRow = -1;  // the list row the fault was found at
    bool ok() const { return fault == PlacementFault::None; }
};

}  // namespace rs::ladder

#pragma once

#include <string>

#include "core/session.h"

namespace rs {

// Bounds that keep Convert finite on any grid. A grid that needs more is
// reported as a ladder that cannot be converted.
struct ConvertLimits {
    int compactionRestarts = 200000;  // restarts of the compaction pass
    int emptyBranchRepeats = 4000;    // repetitions of the empty-branch pass
    int nestingDepth = 64;            // nested block and split sub-walks
    int subWalkCalls = 64000;         // block and split sub-walks in one run
    // Rows of one rung that the meaning check and the series-parallel
    // compiler take; a taller rung (far past the step limit in any ladder
    // that converts) is reported.
    int rungRows = 600;
    // Nodes of the decision diagrams that check one rung of more devices than
    // its combinations are tried for, and the steps their operations may take
    // over the whole run; a rung that needs more is reported.
    int checkNodes = 1 << 16;
    long long checkSteps = 300000;
};

// What the last run did, for callers without a window (the command line, tests).
struct ConvertOutcome {
    bool ran = false;            // false while the instruction list is shown
    bool compiled = false;       // both compiled flags set
    bool unconvertible = false;  // a "cannot be converted" report was made
    int reportRow = -1;          // the cell of that report
    int reportCol = -1;
    bool stepOverflow = false;  // "Step number out of range!"
    int rows = 0;               // rows written, END included
};

// Convert (F4): compiles the ladder grid into the instruction table and the
// record lists, labels the rungs with their step numbers and, when nothing
// went wrong, marks the program compiled.
ConvertOutcome convertLadder(Session& s, const ConvertLimits& limits = {});

}  // namespace rs

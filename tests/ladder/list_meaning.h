#pragma once

#include <string>
#include <vector>

#include "core/evaluate/devices.h"
#include "core/evaluate/list_eval.h"

namespace rs::test {

// One scan of an instruction list, with the outputs in the order the rows
// write them; refused lists give ok false. Besides what eval::runList reads,
// it takes two forms Convert writes for a point with several outputs: MPS
// right after an output, and a block loaded after an output and joined to
// the output's condition with ANB (LD X000, OUT Y000, LD X001, OR X002, ANB,
// OUT Y001). A load after an output starts a new rung unless ANB or ORB joins
// its block to that condition before the next output.
eval::ListResult runListScan(const std::vector<eval::ListRow>& rows,
                             const eval::DeviceReader& devices);

}  // namespace rs::test

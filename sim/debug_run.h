#pragma once

#include <cstdint>
#include <optional>

#include "sim/condition.h"
#include "sim/engine.h"

namespace rs::sim {

// Where one scan of a debugging run came to rest.
enum class RunHalt : uint8_t {
    ScanDone,       // the scan ended and the run goes on
    Breakpoint,     // paused before a row holding a breakpoint
    ConditionHeld,  // the scan ended and the run-until condition holds
    Stopped,        // the program cannot go on
};

// Runs the scan in progress, or the next one after elapsedMs, to its end or
// to a breakpoint; with `until`, a run ends at the end of the first scan after
// which the condition holds.
RunHalt runScan(Engine& engine, int64_t elapsedMs, const std::optional<Condition>& until);

}  // namespace rs::sim

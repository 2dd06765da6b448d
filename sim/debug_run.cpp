#include "sim/debug_run.h"

namespace rs::sim {

RunHalt runScan(Engine& engine, int64_t elapsedMs, const std::optional<Condition>& until) {
    // A scan no breakpoint can halt takes the engine's whole-scan path.
    Halt halt = Halt::ScanEnd;
    if (engine.breakpoints().empty() && !engine.midScan())
        halt = engine.scan(elapsedMs) ? Halt::ScanEnd : Halt::Stopped;
    else
        halt = engine.step(StepTo::ScanEnd, elapsedMs);
    if (halt == Halt::Stopped) return RunHalt::Stopped;
    if (halt != Halt::ScanEnd) return RunHalt::Breakpoint;
    return until && holds(engine, *until) ? RunHalt::ConditionHeld : RunHalt::ScanDone;
}

}  // namespace rs::sim

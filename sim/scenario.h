#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "sim/condition.h"
#include "sim/trace.h"

namespace rs::sim {

// What a scenario expects of a run.
struct Expectation {
    enum class Kind : uint8_t {
        At,          // "at 1000ms Y000 = 1": after the first scan at or after the time
        Always,      // "within 0..500ms always Y000 = 0": after every scan in the span
        Never,       // "within 0..500ms never Y001 = 1"
        Eventually,  // "within 0..2s eventually T0 on": after some scan in the span
    };
    int line = 0;  // the scenario line, from 1
    Kind kind = Kind::At;
    int64_t fromMs = 0;
    int64_t toMs = 0;
    Condition condition;
    std::string text;  // the line as written, without surrounding blanks
};

// A program test on the virtual clock: the project to run, the scan time, the
// input changes at times and what the run must show.
struct Scenario {
    std::string project;  // as written; relative to the scenario's folder
    int projectLine = 0;
    int64_t scanMs = 10;
    int64_t runMs = 0;  // the last time to scan: "run", or the latest time named
    std::vector<SetEvent> sets;
    std::vector<Expectation> expectations;
};

// Where a scenario text is wrong: its line (from 1) and what is wrong there.
struct ScenarioError {
    int line = 0;
    std::string message;
};

// Reads a scenario text. Empty with the first malformed line in `error`.
std::optional<Scenario> parseScenario(const std::string& text, ScenarioError& error);

// Runs a scenario on an engine that has its program loaded, and writes one
// line per expectation ("ok   line 4: at 1000ms Y000 = 1", or "FAIL" with
// the first failing time and the value seen), then a summary line naming the
// first failure. True when every expectation holds. False also when the
// engine stopped (its message in engine.stopped(), the expectations not yet
// decided counted as failed).
bool runScenario(Engine& engine, const Scenario& scenario, std::ostream& out);

}  // namespace rs::sim

#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "sim/watch.h"

namespace rs::sim {

// A value a script gives a device at a moment of the virtual clock.
struct SetEvent {
    int64_t atMs = 0;
    Watch device;
    int32_t value = 0;
};

// A run on the virtual clock: scans every scanMs from 0, either `scans` of
// them or as many as fit in forMs (the scan at forMs included).
struct TraceOptions {
    std::optional<int64_t> scans;
    int64_t forMs = 1000;
    int64_t scanMs = 10;
    std::vector<SetEvent> sets;
    std::vector<Watch> watches;
};

// The scans a run of these options makes (a scripted run makes at most
// kMaxTraceScans).
int64_t traceScans(const TraceOptions& options);

// "250ms", "5s", "1.5s", "2min", "40" (milliseconds).
std::optional<int64_t> parseDuration(const std::string& text);

// "X000=1@0ms", "D0=-5@2s", "X001=0" (at 0).
std::optional<SetEvent> parseSet(const std::string& text, std::string& problem);

// The devices a program drives (OUT, SET, RST targets, timers and counters), in
// the order they first appear: what a trace watches when none are named.
std::vector<Watch> drivenDevices(const Program& program);

// Runs the engine as the options say and writes a table of the watched
// devices to `out`: a header line, every watched device after the first scan,
// then each device whenever its value changes, as "TIME DEVICE VALUE" with the
// time in milliseconds. False when the engine stopped (its message in
// engine.stopped()).
bool runTrace(Engine& engine, const TraceOptions& options, std::ostream& out);

}  // namespace rs::sim

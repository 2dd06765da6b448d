#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "sim/condition.h"
#include "sim/watch.h"

namespace rs::sim {

// A value a script gives a device at a moment of the virtual clock.
struct SetEvent {
    int64_t atMs = 0;
    Watch device;
    int32_t value = 0;
};

// A run on the virtual clock: scans every scanMs from 0, either `scans` of
// them or as many as fit in forMs (the scan at forMs included). With `until`
// the run ends after the first scan at whose end the condition holds.
struct TraceOptions {
    std::optional<int64_t> scans;
    int64_t forMs = 1000;
    int64_t scanMs = 10;
    std::vector<SetEvent> sets;
    std::vector<Watch> watches;
    std::optional<Condition> until;
};

// Called after every scan with the time of that scan.
using ScanObserver = std::function<void(int64_t atMs)>;

// Runs the engine as the options say: each set written before the first scan
// at or after its time, `afterScan` told of every scan. False when the engine
// stopped (its message in engine.stopped()). `untilMet` (when given) tells
// whether the run ended because `until` held.
bool runOnClock(Engine& engine, const TraceOptions& options, const ScanObserver& afterScan,
                bool* untilMet = nullptr);

// The scans a run of these options makes (a scripted run makes at most
// kMaxTraceScans).
int64_t traceScans(const TraceOptions& options);

// "250ms", "5s", "1.5s", "2min", "40" (milliseconds).
std::optional<int64_t> parseDuration(const std::string& text);

// Whether a device may be written from outside the program: V and Z, which
// the engine holds for the program alone, may not.
bool settable(const Watch& device, std::string& problem);
// A value written into a device from outside: a number from -32768 to 65535
// (0x for hexadecimal), for a bit 0 or 1.
std::optional<int32_t> parseSetValue(const Watch& device, const std::string& text,
                                     std::string& problem);

// "X000=1@0ms", "D0=-5@2s", "X001=0" (at 0).
std::optional<SetEvent> parseSet(const std::string& text, std::string& problem);

// The devices a program drives (OUT, SET, RST targets, timers and counters), in
// the order they first appear: what a trace watches when none are named.
std::vector<Watch> drivenDevices(const Program& program);

// The table of watched devices: a header line, every watched device at the
// first sample, then each device whenever its value changes, as
// "TIME DEVICE VALUE" with the time in milliseconds.
class WatchTable {
  public:
    // Writes the header.
    WatchTable(std::ostream& out, std::vector<Watch> watches);
    void sample(int64_t atMs, const Engine& engine);

  private:
    std::ostream& m_out;
    std::vector<Watch> m_watches;
    std::vector<std::string> m_last;
    bool m_first = true;
};

// Runs the engine as the options say and writes a table of the watched
// devices to `out`: a header line, every watched device after the first scan,
// then each device whenever its value changes, as "TIME DEVICE VALUE" with the
// time in milliseconds. `alsoAfterScan` (when set) sees every scan too, as a
// VCD writer does. False when the engine stopped (its message in
// engine.stopped()).
bool runTrace(Engine& engine, const TraceOptions& options, std::ostream& out,
              const ScanObserver& alsoAfterScan = {}, bool* untilMet = nullptr);

}  // namespace rs::sim

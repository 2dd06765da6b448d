#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/limits.h"
#include "sim/watch.h"

namespace rs::sim {

// One traced signal: a watched bit or word, or the contact of a watched timer
// or counter ("T0_on").
struct TraceSignal {
    std::string name;
    Operand device;
    int width = 1;  // 1 for a bit, 16 for a word, 32 for a 32-bit counter
};

// A signal's value from a moment of the virtual clock on.
struct TraceChange {
    int64_t atMs = 0;
    int32_t value = 0;
    bool operator==(const TraceChange&) const = default;
};

// The signals of a list of watches, in order: each watch's value and, after a
// timer's or counter's value, its contact.
std::vector<TraceSignal> traceSignals(const std::vector<Watch>& watches);

// What the watched devices showed after each scan of a run, kept as the
// changes of each signal. It keeps the last keepMs of virtual time (with the
// change in force at the start of that span) and at most kMaxTraceChanges
// changes a signal; keepMs 0 keeps only each signal's present value, which is
// all a writer that streams the changes needs. The timing chart draws from
// it and the value change dump is written from it.
class TraceHistory {
  public:
    explicit TraceHistory(const std::vector<Watch>& watches = {}, int64_t keepMs = kTraceKeepMs);

    // Other watches: a signal that stays keeps its changes, a new one starts
    // at the next sample.
    void setWatches(const std::vector<Watch>& watches);
    // Forgets every sample, as a new run does.
    void clear();
    // Reads every signal after the scan at atMs and records what changed. A
    // time before the last sample's starts the history anew (a new run).
    void sample(int64_t atMs, const Engine& engine);

    const std::vector<TraceSignal>& tracedSignals() const { return m_signals; }
    // A signal's changes, oldest first.
    const std::deque<TraceChange>& changes(size_t signal) const { return m_changes[signal]; }
    // The signals whose value the last sample recorded, in order (every
    // signal at its first sample).
    const std::vector<size_t>& lastChanged() const { return m_lastChanged; }
    bool empty() const { return m_lastMs < 0; }
    int64_t lastMs() const { return m_lastMs; }  // -1 before the first sample

    // The value of a signal at a time: its last change at or before it; empty
    // before the first change kept.
    std::optional<int32_t> valueAt(size_t signal, int64_t atMs) const;
    // The index of a signal's first change after atMs (its change count when
    // none follows).
    size_t firstChangeAfter(size_t signal, int64_t atMs) const;

  private:
    void trim(std::deque<TraceChange>& changes) const;

    int64_t m_keepMs;
    std::vector<TraceSignal> m_signals;
    std::vector<std::deque<TraceChange>> m_changes;
    std::vector<size_t> m_lastChanged;
    int64_t m_lastMs = -1;
};

}  // namespace rs::sim

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/session.h"
#include "sim/trace.h"
#include "sim/trace_history.h"

namespace rs::shell {

// One line of the watch window.
struct WatchRow {
    std::string device;
    std::string value;    // as the trace table shows it ("1", "-3", "10 on"); empty when idle
    bool bit = false;     // a bit flips when edited; a word takes a typed value
    bool forced = false;  // an X input held on: only the user sets inputs in a simulation
};

// The devices of the watch window, at most kMaxWatches, and the trace of
// their values that the timing chart draws. The list outlives a simulation;
// the trace starts again with each run.
class WatchList {
  public:
    WatchList() = default;

    // Adds a device by its name ("Y000", "t0"): false with the reason for a
    // name the engine cannot watch, one listed already, or a full list.
    bool add(const std::string& device, std::string& problem);
    void remove(size_t index);
    const std::vector<sim::Watch>& watches() const { return m_watches; }
    size_t size() const { return m_watches.size(); }

    // The lines as they stand after the last scan; without an engine (no
    // simulation) the values are empty.
    std::vector<WatchRow> rows(const sim::Engine* engine) const;

    // The write an edit of a line asks for, made through the engine's input
    // path by the caller: a bit flips (`typed` is not read), a word takes the
    // typed number. Empty with the reason when the device cannot take it.
    std::optional<sim::SetEvent> edit(size_t index, const std::string& typed,
                                      const sim::Engine& engine, std::string& problem) const;

    // After every scan: the trace takes the watched values at the engine's
    // clock; the first scan of a run starts it anew.
    void sampled(const sim::Engine& engine);
    const sim::TraceHistory& history() const { return m_history; }

  private:
    std::vector<sim::Watch> m_watches;
    sim::TraceHistory m_history;
};

}  // namespace rs::shell

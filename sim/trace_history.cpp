#include "sim/trace_history.h"

#include <algorithm>

namespace rs::sim {

std::vector<TraceSignal> traceSignals(const std::vector<Watch>& watches) {
    std::vector<TraceSignal> signals;
    for (const Watch& w : watches) {
        if (w.value.kind == Operand::Kind::Bit) {
            signals.push_back({w.name, w.value, 1});
            continue;
        }
        signals.push_back({w.name, w.value, w.value.wide ? 32 : 16});
        if (w.contact) signals.push_back({w.name + "_on", *w.contact, 1});
    }
    return signals;
}

TraceHistory::TraceHistory(const std::vector<Watch>& watches, int64_t keepMs)
    : m_keepMs(std::max<int64_t>(keepMs, 0)) {
    setWatches(watches);
}

void TraceHistory::setWatches(const std::vector<Watch>& watches) {
    std::vector<TraceSignal> signals = traceSignals(watches);
    std::vector<std::deque<TraceChange>> changes(signals.size());
    for (size_t i = 0; i < signals.size(); ++i)
        for (size_t old = 0; old < m_signals.size(); ++old)
            if (m_signals[old].name == signals[i].name) changes[i] = std::move(m_changes[old]);
    m_signals = std::move(signals);
    m_changes = std::move(changes);
    m_lastChanged.clear();
}

void TraceHistory::clear() {
    for (auto& c : m_changes) c.clear();
    m_lastChanged.clear();
    m_lastMs = -1;
}

void TraceHistory::trim(std::deque<TraceChange>& changes) const {
    while (changes.size() > static_cast<size_t>(kMaxTraceChanges)) changes.pop_front();
    // The change in force at the start of the kept span stays: it gives the
    // value there.
    while (changes.size() >= 2 && changes[1].atMs <= m_lastMs - m_keepMs) changes.pop_front();
}

void TraceHistory::sample(int64_t atMs, const Engine& engine) {
    if (atMs < m_lastMs) clear();
    m_lastMs = atMs;
    m_lastChanged.clear();
    for (size_t i = 0; i < m_signals.size(); ++i) {
        std::deque<TraceChange>& changes = m_changes[i];
        const int32_t v = deviceValue(engine, m_signals[i].device);
        const bool same = !changes.empty() && changes.back().value == v;
        if (!same && !changes.empty() && changes.back().atMs == atMs) {
            // A second sample at one time replaces the first one's change.
            changes.pop_back();
            if (!changes.empty() && changes.back().value == v) {
                m_lastChanged.push_back(i);
                continue;
            }
        }
        if (!same) {
            changes.push_back({atMs, v});
            m_lastChanged.push_back(i);
        }
        trim(changes);
    }
}

size_t TraceHistory::firstChangeAfter(size_t signal, int64_t atMs) const {
    const std::deque<TraceChange>& c = m_changes[signal];
    return static_cast<size_t>(
        std::upper_bound(c.begin(), c.end(), atMs,
                         [](int64_t t, const TraceChange& change) { return t < change.atMs; }) -
        c.begin());
}

std::optional<int32_t> TraceHistory::valueAt(size_t signal, int64_t atMs) const {
    const size_t after = firstChangeAfter(signal, atMs);
    if (after == 0) return std::nullopt;
    return m_changes[signal][after - 1].value;
}

}  // namespace rs::sim

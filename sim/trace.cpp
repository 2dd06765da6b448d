#include "sim/trace.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace rs::sim {

int64_t traceScans(const TraceOptions& options) {
    return options.scans ? *options.scans
                         : options.forMs / std::max<int64_t>(options.scanMs, 1) + 1;
}

std::optional<int64_t> parseDuration(const std::string& text) {
    size_t used = 0;
    double v = 0;
    try {
        v = std::stod(text, &used);
    } catch (...) {
        return std::nullopt;
    }
    const std::string unit = text.substr(used);
    double scale = 0;
    if (unit.empty() || unit == "ms") scale = 1;
    if (unit == "s") scale = 1000;
    if (unit == "min") scale = 60000;
    if (scale == 0 || !(v >= 0) || v * scale > 1e12 || text[0] == '+' || text[0] == ' ')
        return std::nullopt;
    return static_cast<int64_t>(v * scale + 0.5);
}

bool settable(const Watch& device, std::string& problem) {
    if (device.value.letter != 'V' && device.value.letter != 'Z') return true;
    problem = device.name + " cannot be set from outside the program";
    return false;
}

std::optional<int32_t> parseSetValue(const Watch& device, const std::string& text,
                                     std::string& problem) {
    int32_t value = 0;
    try {
        size_t used = 0;
        const long v = std::stol(text, &used, 0);
        if (used != text.size() || v < -32768 || v > 65535) throw 0;
        value = static_cast<int32_t>(v);
    } catch (...) {
        problem = "\"" + text + "\" is no value for " + device.name;
        return std::nullopt;
    }
    if (device.value.kind == Operand::Kind::Bit && value != 0 && value != 1) {
        problem = device.name + " is a bit: 0 or 1";
        return std::nullopt;
    }
    return value;
}

std::optional<SetEvent> parseSet(const std::string& text, std::string& problem) {
    const size_t eq = text.find('=');
    const size_t at = text.find('@');
    if (eq == std::string::npos || (at != std::string::npos && at < eq)) {
        problem = "--set takes DEVICE=VALUE@TIME, as X000=1@0ms";
        return std::nullopt;
    }
    SetEvent e;
    auto device = makeWatch(text.substr(0, eq), problem);
    if (!device || !settable(*device, problem)) return std::nullopt;
    e.device = *device;
    const auto value = parseSetValue(
        e.device, text.substr(eq + 1, at == std::string::npos ? std::string::npos : at - eq - 1),
        problem);
    if (!value) return std::nullopt;
    e.value = *value;
    if (at != std::string::npos) {
        const auto when = parseDuration(text.substr(at + 1));
        if (!when) {
            problem = "\"" + text.substr(at + 1) + "\" is no time (as 0ms, 1.5s, 2min)";
            return std::nullopt;
        }
        e.atMs = *when;
    }
    return e;
}

std::vector<Watch> drivenDevices(const Program& program) {
    std::vector<Watch> out;
    std::set<std::string> seen;
    for (size_t r = 0; r < program.rows.size(); ++r) {
        const Op op = program.rows[r].op;
        if (op != Op::Out && op != Op::OutTimer && op != Op::OutCounter && op != Op::Set &&
            op != Op::Rst)
            continue;
        const std::string& operand = program.text[r].operand;
        const size_t start = operand.find_first_not_of(' ');
        if (start == std::string::npos) continue;
        const std::string device = operand.substr(start, operand.find(' ', start) - start);
        std::string problem;
        if (!seen.insert(device).second) continue;
        if (auto w = makeWatch(device, problem)) out.push_back(*w);
    }
    return out;
}

bool runOnClock(Engine& engine, const TraceOptions& options, const ScanObserver& afterScan,
                bool* untilMet) {
    std::vector<SetEvent> sets = options.sets;
    std::stable_sort(sets.begin(), sets.end(),
                     [](const SetEvent& a, const SetEvent& b) { return a.atMs < b.atMs; });
    if (untilMet) *untilMet = false;
    size_t next = 0;
    const int64_t step = std::max<int64_t>(options.scanMs, 1);
    for (int64_t k = 0;; ++k) {
        const int64_t t = k * step;
        if (options.scans ? k >= *options.scans : t > options.forMs) return true;
        for (; next < sets.size() && sets[next].atMs <= t; ++next)
            engine.write(sets[next].device.value, sets[next].value);
        if (!engine.scan(k == 0 ? 0 : step)) return false;
        if (afterScan) afterScan(t);
        if (options.until && holds(engine, *options.until)) {
            if (untilMet) *untilMet = true;
            return true;
        }
    }
}

WatchTable::WatchTable(std::ostream& out, std::vector<Watch> watches)
    : m_out(out), m_watches(std::move(watches)), m_last(m_watches.size()) {
    m_out << "time       device   value\n";
}

void WatchTable::sample(int64_t atMs, const Engine& engine) {
    for (size_t i = 0; i < m_watches.size(); ++i) {
        const std::string value = watchValue(engine, m_watches[i]);
        if (!m_first && value == m_last[i]) continue;
        m_last[i] = value;
        char buf[160];
        std::snprintf(buf, sizeof buf, "%-10s %-8s %s\n", (std::to_string(atMs) + "ms").c_str(),
                      m_watches[i].name.c_str(), value.c_str());
        m_out << buf;
    }
    m_first = false;
}

bool runTrace(Engine& engine, const TraceOptions& options, std::ostream& out,
              const ScanObserver& alsoAfterScan, bool* untilMet) {
    WatchTable table(out, options.watches);
    auto sample = [&](int64_t t) {
        table.sample(t, engine);
        if (alsoAfterScan) alsoAfterScan(t);
    };
    return runOnClock(engine, options, sample, untilMet);
}

}  // namespace rs::sim

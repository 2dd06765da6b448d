#include "sim/scenario.h"

#include <algorithm>
#include <sstream>

#include "core/limits.h"

namespace rs::sim {

namespace {

using Kind = Expectation::Kind;

std::string trimmed(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(" \t\r") - a + 1);
}

// The first blank-separated word of `s`, taken off it.
std::string takeWord(std::string& s) {
    s = trimmed(s);
    const size_t blank = s.find_first_of(" \t");
    std::string word = s.substr(0, blank);
    s = blank == std::string::npos ? std::string() : trimmed(s.substr(blank));
    return word;
}

struct Reader {
    Scenario scenario;
    ScenarioError& error;
    int line = 0;
    int runLine = 0;
    int64_t runGiven = -1;
    int64_t latest = 0;
    int latestLine = 0;

    bool wrong(const std::string& message) {
        error = {line, message};
        return false;
    }
    std::optional<int64_t> time(const std::string& word) {
        const auto ms = parseDuration(word);
        if (!ms) wrong("\"" + word + "\" is no time (as 0ms, 1.5s, 2min)");
        return ms;
    }
    void named(int64_t ms) {
        if (ms < latest) return;
        latest = ms;
        latestLine = line;
    }

    bool read(const std::string& raw) {
        std::string rest = trimmed(raw.substr(0, raw.find('#')));
        if (rest.empty()) return true;
        const std::string text = rest;
        const std::string word = takeWord(rest);
        if (word == "project") {
            if (!scenario.project.empty()) return wrong("a second project line");
            if (rest.empty()) return wrong("project needs a file, as project latch.epj");
            scenario.project = rest;
            scenario.projectLine = line;
            return true;
        }
        if (word == "scan" || word == "run") {
            const auto ms = time(rest);
            if (!ms) return false;
            if (word == "run") {
                runGiven = *ms;
                runLine = line;
            } else if (*ms <= 0) {
                return wrong("the scan time must be above 0");
            } else {
                scenario.scanMs = *ms;
            }
            return true;
        }
        if (word == "at") return at(rest, text);
        if (word == "within") return within(rest, text);
        return wrong("\"" + word + "\" begins no scenario line (project, scan, run, at, within)");
    }

    bool at(std::string rest, const std::string& text) {
        const auto ms = time(takeWord(rest));
        if (!ms) return false;
        named(*ms);
        if (rest.compare(0, 4, "set ") == 0) {
            std::string assignment = trimmed(rest.substr(4));
            assignment.erase(std::remove(assignment.begin(), assignment.end(), ' '),
                             assignment.end());
            if (assignment.find('=') == std::string::npos ||
                assignment.find('@') != std::string::npos)
                return wrong("set takes DEVICE = VALUE, as set X000 = 1");
            std::string problem;
            auto e = parseSet(assignment, problem);
            if (!e) return wrong(problem);
            e->atMs = *ms;
            scenario.sets.push_back(*e);
            return true;
        }
        return expect(Kind::At, *ms, *ms, rest, text);
    }

    bool within(std::string rest, const std::string& text) {
        const std::string span = takeWord(rest);
        const size_t dots = span.find("..");
        if (dots == std::string::npos) return wrong("within takes a span, as within 0..500ms");
        // "0..500ms": a bare first time takes the unit of the second.
        std::string from = span.substr(0, dots);
        const std::string to = span.substr(dots + 2);
        const auto end = time(to);
        if (!end) return false;
        const size_t unit = to.find_first_not_of("0123456789.");
        if (!from.empty() && from.find_first_not_of("0123456789.") == std::string::npos &&
            unit != std::string::npos)
            from += to.substr(unit);
        const auto begin = time(from);
        if (!begin) return false;
        if (*begin > *end) return wrong("the span " + span + " ends before it begins");
        const std::string kind = takeWord(rest);
        Kind k;
        if (kind == "always")
            k = Kind::Always;
        else if (kind == "never")
            k = Kind::Never;
        else if (kind == "eventually")
            k = Kind::Eventually;
        else
            return wrong("within " + span + " takes always, never or eventually");
        named(*end);
        return expect(k, *begin, *end, rest, text);
    }

    bool expect(Kind kind, int64_t from, int64_t to, const std::string& condition,
                const std::string& text) {
        std::string problem;
        const auto c = parseCondition(condition, problem);
        if (!c) return wrong(problem);
        scenario.expectations.push_back({line, kind, from, to, *c, text});
        return true;
    }

    // What can only be checked once every line is read.
    bool finish() {
        line = 0;
        if (scenario.project.empty()) return wrong("the scenario names no project");
        if (scenario.expectations.empty()) return wrong("the scenario expects nothing");
        if (runGiven >= 0 && runGiven < latest) {
            line = runLine;
            return wrong("the run ends before the " + std::to_string(latest) + "ms of line " +
                         std::to_string(latestLine));
        }
        scenario.runMs = std::max(runGiven, latest);
        const int64_t step = scenario.scanMs;
        for (const Expectation& e : scenario.expectations) {
            // The first scan at or after the span's start must fall in the span.
            const int64_t first = (e.fromMs + step - 1) / step * step;
            if (e.kind != Kind::At && first > e.toMs) {
                line = e.line;
                return wrong("no scan falls in " + std::to_string(e.fromMs) + ".." +
                             std::to_string(e.toMs) + "ms (a scan every " + std::to_string(step) +
                             "ms)");
            }
        }
        // A time between two scans is met by the scan after it: run that far.
        scenario.runMs = (scenario.runMs + step - 1) / step * step;
        if (scenario.runMs / step + 1 > kMaxTraceScans) {
            line = runGiven >= latest ? runLine : latestLine;
            return wrong("the run covers more than " + std::to_string(kMaxTraceScans) +
                         " scans (a scan every " + std::to_string(step) + "ms)");
        }
        return true;
    }
};

// What happened to one expectation in a run.
struct Verdict {
    bool decided = false;
    bool held = false;
    int64_t atMs = 0;
    std::string seen;
};

}  // namespace

std::optional<Scenario> parseScenario(const std::string& text, ScenarioError& error) {
    Reader reader{{}, error};
    std::istringstream in(text);
    for (std::string raw; std::getline(in, raw);) {
        ++reader.line;
        if (!reader.read(raw)) return std::nullopt;
    }
    if (!reader.finish()) return std::nullopt;
    return reader.scenario;
}

bool runScenario(Engine& engine, const Scenario& scenario, std::ostream& out) {
    std::vector<Verdict> verdicts(scenario.expectations.size());
    int64_t lastMs = 0;
    auto afterScan = [&](int64_t t) {
        lastMs = t;
        for (size_t i = 0; i < verdicts.size(); ++i) {
            const Expectation& e = scenario.expectations[i];
            Verdict& v = verdicts[i];
            if (v.decided || t < e.fromMs) continue;
            const bool now = holds(engine, e.condition);
            auto decide = [&](bool held) { v = {true, held, t, observed(engine, e.condition)}; };
            switch (e.kind) {
                case Kind::At:
                    decide(now);
                    break;
                case Kind::Always:
                case Kind::Never:
                    if (now != (e.kind == Kind::Always))
                        decide(false);
                    else if (t + scenario.scanMs > e.toMs)
                        decide(true);
                    break;
                case Kind::Eventually:
                    if (now || t + scenario.scanMs > e.toMs) decide(now);
                    break;
            }
        }
    };
    TraceOptions clock;
    clock.forMs = scenario.runMs;
    clock.scanMs = scenario.scanMs;
    clock.sets = scenario.sets;
    const bool ran = runOnClock(engine, clock, afterScan);

    int failures = 0;
    const Verdict* first = nullptr;
    const Expectation* firstExpectation = nullptr;
    for (size_t i = 0; i < verdicts.size(); ++i) {
        const Expectation& e = scenario.expectations[i];
        const Verdict& v = verdicts[i];
        const std::string name = "line " + std::to_string(e.line) + ": " + e.text;
        if (v.decided && v.held) {
            out << "ok   " << name << "\n";
            continue;
        }
        ++failures;
        if (!v.decided) {
            out << "FAIL " << name << ": not decided, the run stopped at " << lastMs << "ms\n";
            continue;
        }
        out << "FAIL " << name << ": at " << v.atMs << "ms " << v.seen << "\n";
        if (!first || v.atMs < first->atMs) {
            first = &v;
            firstExpectation = &e;
        }
    }
    const size_t count = verdicts.size();
    out << count << (count == 1 ? " expectation, " : " expectations, ");
    if (failures == 0) {
        out << (count == 1 ? "it holds\n" : "all hold\n");
        return ran;
    }
    out << failures << (failures == 1 ? " fails" : " fail");
    if (first)
        out << "; first at " << first->atMs << "ms (line " << firstExpectation->line
            << "): " << first->seen;
    out << "\n";
    return false;
}

}  // namespace rs::sim

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>

#include "core/evaluate/list_eval.h"
#include "core/limits.h"
#include "sim/trace.h"
#include "sim/vcd.h"
#include "tools/cli/project_session.h"

namespace rs::cli {
namespace {

int run(const std::vector<std::string>& arguments);
const Command kSimulate{"simulate",
                        "simulate INPUT.epj [--scans N | --for 5s] [--scan-ms 10] "
                        "[--set X000=1@0ms]... [--watch Y000,T0,D0,...] [--until \"Y000 = 1\"] "
                        "[--vcd OUT.vcd]",
                        &run};

std::vector<std::string> takeAll(std::vector<std::string>& args, const std::string& name,
                                 bool& ok) {
    std::vector<std::string> values;
    while (std::find(args.begin(), args.end(), name) != args.end())
        values.push_back(takeOption(args, name, ok));
    return values;
}

// Runs the project's instruction list on the virtual clock and prints the
// watched devices whenever one changes.
int run(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    const CommonOptions options = takeCommonOptions(args);
    if (!options.ok) return usageError(kSimulate, options.problem);
    bool ok = true;
    const std::string scans = takeOption(args, "--scans", ok);
    const std::string duration = takeOption(args, "--for", ok);
    const std::string scanMs = takeOption(args, "--scan-ms", ok);
    const std::vector<std::string> sets = takeAll(args, "--set", ok);
    const std::vector<std::string> watches = takeAll(args, "--watch", ok);
    const std::string until = takeOption(args, "--until", ok);
    const std::string vcdPath = takeOption(args, "--vcd", ok);
    if (!ok) return usageError(kSimulate, "an option is missing its value");
    if (args.size() != 1) return usageError(kSimulate, "");
    if (!scans.empty() && !duration.empty())
        return usageError(kSimulate, "--scans and --for exclude each other");

    sim::TraceOptions trace;
    if (!scans.empty()) {
        char* end = nullptr;
        errno = 0;
        const long long n = std::strtoll(scans.c_str(), &end, 10);
        if (*end != '\0' || errno == ERANGE || n <= 0 || n > kMaxTraceScans)
            return usageError(kSimulate,
                              "--scans takes a count from 1 to " + std::to_string(kMaxTraceScans));
        trace.scans = n;
    }
    if (!duration.empty()) {
        const auto ms = sim::parseDuration(duration);
        if (!ms) return usageError(kSimulate, "--for takes a time, as 5s or 500ms");
        trace.forMs = *ms;
    }
    if (!scanMs.empty()) {
        const auto ms = sim::parseDuration(scanMs);
        if (!ms || *ms <= 0) return usageError(kSimulate, "--scan-ms takes milliseconds above 0");
        trace.scanMs = *ms;
    }
    if (sim::traceScans(trace) > kMaxTraceScans) {
        const int64_t longest = (kMaxTraceScans - 1) * trace.scanMs;
        return usageError(kSimulate, "--for covers at most " + std::to_string(kMaxTraceScans) +
                                         " scans: up to " + std::to_string(longest) +
                                         "ms at --scan-ms " + std::to_string(trace.scanMs));
    }
    for (const std::string& s : sets) {
        std::string problem;
        const auto e = sim::parseSet(s, problem);
        if (!e) return usageError(kSimulate, problem);
        trace.sets.push_back(*e);
    }
    for (const std::string& list : watches) {
        std::istringstream in(list);
        for (std::string device; std::getline(in, device, ',');) {
            if (device.empty()) continue;
            std::string problem;
            const auto w = sim::makeWatch(device, problem);
            if (!w) return usageError(kSimulate, problem);
            trace.watches.push_back(*w);
        }
    }

    if (!until.empty()) {
        std::string problem;
        trace.until = sim::parseCondition(until, problem);
        if (!trace.until) return usageError(kSimulate, problem);
    }

    ProjectSession p(options);
    if (!p.open(args[0], options)) return kExitRefused;
    sim::LoadError error;
    auto program = sim::loadProgram(eval::tableRows(p.session.table()), error);
    if (!program) {
        std::fprintf(stderr, "%s\n", error.message.c_str());
        return kExitRefused;
    }
    if (trace.watches.empty()) trace.watches = sim::drivenDevices(*program);
    device::DeviceMemory memory;
    sim::Engine engine(memory);
    engine.load(std::move(*program));
    std::ofstream vcdFile;
    std::optional<sim::VcdWriter> vcd;
    if (!vcdPath.empty()) {
        vcdFile.open(vcdPath, std::ios::binary | std::ios::trunc);
        if (!vcdFile) {
            std::fprintf(stderr, "%s cannot be written\n", vcdPath.c_str());
            return kExitRefused;
        }
        vcd.emplace(vcdFile, trace.watches);
    }
    bool untilMet = false;
    const bool ran = sim::runTrace(
        engine, trace, std::cout,
        [&](int64_t t) {
            if (vcd) vcd->sample(t, engine);
        },
        &untilMet);
    std::cout.flush();
    if (vcd) {
        vcdFile.flush();
        if (!vcdFile) {
            std::fprintf(stderr, "%s cannot be written\n", vcdPath.c_str());
            return kExitRefused;
        }
    }
    if (trace.until && ran)
        std::fprintf(stderr, untilMet ? "%s held at %lldms\n" : "%s did not hold by %lldms\n",
                     trace.until->text.c_str(), static_cast<long long>(engine.clockMs()));
    if (!ran) {
        std::fprintf(stderr, "Simulation stopped at %s\n", engine.stopped()->message.c_str());
        return kExitRefused;
    }
    return kExitOk;
}

const bool registered = registerCommand(kSimulate);

}  // namespace
}  // namespace rs::cli

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>
#include <sstream>

#include "comm/comm_messages.h"
#include "core/evaluate/list_eval.h"
#include "online/device_poll.h"
#include "online/ladder_spans.h"
#include "online/poll_messages.h"
#include "sim/trace.h"
#include "tools/cli/project_session.h"
#include "tools/cli/qt/serial_session.h"

namespace rs::cli {
namespace {

int run(const std::vector<std::string>& arguments);
const Command kMonitor{"monitor",
                       "monitor --port DEV [--baud 9600|19200] [--parity O|E|N] [--data 7|8] "
                       "[--stop 1|2] [--watch Y000,T0,D0,...] [--for 10s] INPUT.epj",
                       &run};

// The watches of --watch, or the devices the project's program drives.
bool watchesOf(const std::vector<std::string>& lists, ProjectSession& p,
               std::vector<sim::Watch>& out, std::string& problem) {
    for (const std::string& list : lists) {
        std::istringstream in(list);
        for (std::string device; std::getline(in, device, ',');) {
            if (device.empty()) continue;
            auto w = sim::makeWatch(device, problem);
            if (!w) return false;
            if (w->value.letter == 'V' || w->value.letter == 'Z') {
                problem = device + " is held by the program, not in the controller's devices";
                return false;
            }
            out.push_back(*w);
        }
    }
    if (!out.empty()) return true;
    sim::LoadError error;
    const auto program = sim::loadProgram(eval::tableRows(p.session.table()), error);
    if (program) out = sim::drivenDevices(*program);
    return true;
}

// Polls the watched devices of the controller on DEV and prints the table
// `simulate` prints, timed by the real clock since the first request.
int run(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    const CommonOptions options = takeCommonOptions(args);
    if (!options.ok) return usageError(kMonitor, options.problem);
    SerialStart start;
    std::string problem;
    if (!takeSerialStart(args, start, problem)) return usageError(kMonitor, problem);
    bool ok = true;
    const std::string duration = takeOption(args, "--for", ok);
    std::vector<std::string> watchLists;
    while (std::find(args.begin(), args.end(), "--watch") != args.end())
        watchLists.push_back(takeOption(args, "--watch", ok));
    if (!ok) return usageError(kMonitor, "an option is missing its value");
    if (start.port.empty() || args.size() != 1) return usageError(kMonitor, "");
    int64_t forMs = 0;
    if (!duration.empty()) {
        const auto ms = sim::parseDuration(duration);
        if (!ms || *ms <= 0) return usageError(kMonitor, "--for takes a time, as 10s or 500ms");
        forMs = *ms;
    }

    ProjectSession p(options);
    if (!p.open(args[0], options)) return kExitRefused;
    std::vector<sim::Watch> watches;
    if (!watchesOf(watchLists, p, watches, problem)) return usageError(kMonitor, problem);
    if (watches.empty()) {
        std::fprintf(stderr, "The program drives no device to watch; name them with --watch\n");
        return kExitRefused;
    }
    std::vector<online::ByteSpan> spans;
    for (const sim::Watch& w : watches) {
        const auto s = online::watchSpans(w);
        spans.insert(spans.end(), s.begin(), s.end());
    }

    TerminalSink sink;
    SerialSession line;
    sim::WatchTable table(std::cout, watches);
    std::unique_ptr<online::DevicePoll> poll;
    device::DeviceMemory memory;  // the image as the last whole round left it
    const sim::Engine shown(memory);
    QElapsedTimer clock;
    bool opened = false, interruptedPort = false;
    const bool interrupted = line.runLoop(
        [&](SerialLink& link, Timer& timer) {
            poll = std::make_unique<online::DevicePoll>(link, timer);
            poll->setReads(online::planReads(spans));
            poll->onRound = [&] {
                memory = poll->image();
                table.sample(clock.elapsed(), shown);
                std::cout.flush();
            };
            poll->onNote = [&](online::DevicePoll::Note note) {
                if (note == online::DevicePoll::Note::NoAnswer)
                    std::fprintf(stderr, "%s\n", msg::kControllerSilent);
                if (note == online::DevicePoll::Note::Interrupted) {
                    interruptedPort = true;
                    SerialSession::quit();
                }
            };
            clock.start();
            opened = poll->start(start.port, start.settings, sink);
            if (!opened) SerialSession::quit();
        },
        forMs);
    const long rounds = poll ? poll->rounds() : 0;
    const std::string reason = poll ? poll->portError() : std::string();
    poll.reset();
    if (!opened) return kExitRefused;
    if (interruptedPort) {
        std::fprintf(stderr, "%s\n", msg::kInterruption);
        if (!reason.empty()) std::fprintf(stderr, "%s\n", reason.c_str());
        return kExitRefused;
    }
    if (interrupted) return kExitInterrupted;
    return rounds > 0 ? kExitOk : kExitRefused;
}

const bool registered = registerCommand(kMonitor);

}  // namespace
}  // namespace rs::cli

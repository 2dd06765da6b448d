// One full refresh of a monitored screen: 20 one-row rungs with 40 distinct
// bit devices in their contacts and 8 words in their boxes, polled from
// rungsmith-plcsim on a pseudo-terminal, the stand-in holding every answer
// back by the time the request and the answer need at 19200 baud (10 bits a
// character). The counters give the refresh time of the wall clock next to
// the line time of the plan's frames, the refreshes a second, and the longest
// the event loop went without running a 1 ms timer while polling.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <string>
#include <thread>

#include "comm/qt/qt_serial_link.h"
#include "comm/qt/qt_timer.h"
#include "core/last_message_sink.h"
#include "online/device_poll.h"
#include "online/ladder_spans.h"

extern char** environ;

namespace rs {
namespace {

constexpr int kBaud = 19200;
constexpr int kBitsPerChar = 10;

// Rung k: two contacts of its own (X000..X047 octal and M0..M15 between
// them: 40 devices) and, on the first eight rungs, a box of one word.
LadderGrid screen() {
    LadderGrid g;
    const char* words[] = {"D0", "D1", "D2", "D3", "D100", "D101", "T0", "C0"};
    for (int k = 0; k < 20; ++k) {
        const int bit = 2 * k;
        const std::string first = bit < 24 ? device::deviceText('X', device::octalDigits(bit))
                                           : "M" + std::to_string(bit - 24);
        const std::string second = bit + 1 < 24
                                       ? device::deviceText('X', device::octalDigits(bit + 1))
                                       : "M" + std::to_string(bit + 1 - 24);
        g.setCell(k, 1, OpenContact, first, LinkSymbol);
        g.setCell(k, 2, CloseContact, second, LinkSymbol);
        for (int c = 3; c <= 9; ++c) g.setCell(k, c, HorizontalLine, "", LinkWire);
        if (k < 8)
            g.setCell(k, 10, AppInstruction, std::string("INC ") + words[k], LinkSymbol);
        else
            g.setCell(k, 10, Coil, device::deviceText('Y', device::octalDigits(k)), LinkSymbol);
    }
    g.m_nDrawnLastRow = 19;
    return g;
}

struct StandIn {
    explicit StandIn(const std::string& link) {
        const std::string baud = std::to_string(kBaud);
        const char* argv[] = {RUNGSMITH_PLCSIM, "--mode", "2",          "--link",
                              link.c_str(),     "--baud", baud.c_str(), nullptr};
        // Its terminal's path and its figures would only fill the benchmark's output.
        posix_spawn_file_actions_t quiet;
        posix_spawn_file_actions_init(&quiet);
        posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
        posix_spawn(&pid, RUNGSMITH_PLCSIM, &quiet, nullptr, const_cast<char**>(argv), environ);
        posix_spawn_file_actions_destroy(&quiet);
        for (int i = 0; i < 100 && access(link.c_str(), F_OK) != 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ~StandIn() {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    pid_t pid = 0;
};

void BM_MonitorRefresh_20Rungs_19200(benchmark::State& state) {
    int argc = 1;
    char name[] = "bench_monitor";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    const std::string path = "/tmp/rungsmith-bench-monitor-" + std::to_string(getpid());
    StandIn plc(path);
    QtSerialLink link;
    QtTimer timer;
    LastMessageSink sink;
    online::DevicePoll poll(link, timer);
    const auto reads = online::planReads(online::ladderSpans(screen(), 0, 19));
    poll.setReads(reads);
    if (!poll.start(path, {kBaud, 'E', 7, 1}, sink)) {
        state.SkipWithError("the stand-in's terminal does not open");
        return;
    }
    // The longest gap between two runs of a 1 ms timer while polling.
    QElapsedTimer sinceTick;
    qint64 longestStall = 0;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout,
                     [&] { longestStall = std::max(longestStall, sinceTick.restart()); });
    ticks.start(1);
    sinceTick.start();
    // One round first: the stand-in's first answers are not timed.
    while (poll.rounds() < 1 && poll.polling())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    longestStall = 0;
    QElapsedTimer wall;
    wall.start();
    long rounds = 0;
    for (auto _ : state) {
        const long before = poll.rounds();
        while (poll.rounds() == before && poll.polling())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        ++rounds;
    }
    const double wallMs = static_cast<double>(wall.nsecsElapsed()) / 1e6;
    const double lineMs =
        static_cast<double>(online::planLineBytes(reads)) * kBitsPerChar * 1000.0 / kBaud;
    state.counters["reads"] = static_cast<double>(reads.size());
    state.counters["line_ms"] = lineMs;
    state.counters["refresh_ms"] = wallMs / static_cast<double>(rounds);
    state.counters["ratio"] = wallMs / static_cast<double>(rounds) / lineMs;
    state.counters["refresh_per_s"] = static_cast<double>(rounds) * 1000.0 / wallMs;
    state.counters["stall_ms"] = static_cast<double>(longestStall);
    poll.stop();
}
BENCHMARK(BM_MonitorRefresh_20Rungs_19200)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(40)
    ->UseRealTime();

}  // namespace
}  // namespace rs

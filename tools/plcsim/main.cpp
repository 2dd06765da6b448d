// rungsmith-plcsim: a controller stand-in on a pseudo-terminal.
//
//   rungsmith-plcsim [--mode 1|2] [--link PATH] [--load FILE] [--memory FILE]
//                    [--baud N] [--fault drop=P,corrupt=P,silent-after=N] [--seed S]
//                    [--set DEVICE=VALUE]...
//
// Prints the terminal's path (or links it at PATH), then answers the frames the
// programming tool sends until it is stopped (SIGINT, SIGTERM). --load fills
// the program memory from a file of hex words, one a line; --memory keeps the
// program memory in a file of the same form: read at start when it exists
// (and there is no --load), written (up to and including END) after every
// change and on exit, so a restart with the same file holds the same program. --baud paces every
// answer by the time the line needs for the request and the answer at that rate (10 bits a
// character). Each --set puts a value into the device memory before the first frame: X, Y, M, S
// take 0 or 1, T and C their current value, D a word (D100=1234, Y0=1, C200=0x10000).
//
// The stand-in runs the program in its memory as a controller does: every
// 10 ms a scan of the scan engine over its device memory, so forcing X0 with
// the device test shows Y0 follow in the batch monitor. A program that
// changes (a download) is decoded and run anew once its END word is there;
// what it runs, or why it cannot, goes to standard error, each news once (a
// download is not reported word by word).
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "online/device_value.h"
#include "tools/plcsim/controller.h"
#include "tools/plcsim/program_runner.h"

namespace {

constexpr long kScanPeriodMs = 10;  // a scan of the downloaded program

volatile std::sig_atomic_t g_stop = 0;
void onSignal(int) {
    g_stop = 1;
}

struct Options {
    bool mode2 = true;
    std::string link;
    std::string load;
    std::string memory;
    long baud = 0;
    rs::plcsim::FaultPlan faults;
    std::vector<std::string> settings;  // --set DEVICE=VALUE, in order
};

constexpr const char* kUsage =
    "usage: rungsmith-plcsim [--mode 1|2] [--link PATH] [--load FILE] "
    "[--memory FILE] [--baud N] [--fault drop=P,corrupt=P,silent-after=N] "
    "[--seed S] [--set DEVICE=VALUE]...\n";

void printHelp() {
    std::printf("rungsmith-plcsim %s: a stand-in for the controller on a pseudo-terminal.\n\n",
                RUNGSMITH_VERSION);
    std::fputs(kUsage, stdout);
    std::fputs(
        "       rungsmith-plcsim --help | --version\n\n"
        "Prints the terminal's path (pass it to rungsmith-cli download --port or to\n"
        "the window's --port) and answers the controller's frames until stopped.\n"
        "  --mode 1|2        the serial dialect and code format (default 2)\n"
        "  --link PATH       also make PATH a link to the terminal\n"
        "  --load FILE       fill the program memory from hex words, one a line\n"
        "  --memory FILE     keep the program memory there: read at start, written\n"
        "                    after every change\n"
        "  --baud N          pace every answer as a line at N baud would\n"
        "  --fault drop=P,corrupt=P,silent-after=N   lose or spoil answers (P from 0 to 1)\n"
        "  --seed S          the seed of the faults\n"
        "  --set DEVICE=VALUE  a device value before the first frame (X0=1, D100=1234)\n"
        "The program in memory runs a scan every 10 ms over the device memory.\n",
        stdout);
}

int usage(const char* problem) {
    if (problem) std::fprintf(stderr, "%s\n", problem);
    std::fputs(kUsage, stderr);
    return 2;
}

bool parseFaults(const std::string& text, rs::plcsim::FaultPlan& f) {
    size_t start = 0;
    while (start < text.size()) {
        size_t comma = text.find(',', start);
        if (comma == std::string::npos) comma = text.size();
        const std::string item = text.substr(start, comma - start);
        const size_t eq = item.find('=');
        if (eq == std::string::npos) return false;
        const std::string key = item.substr(0, eq);
        const std::string value = item.substr(eq + 1);
        char* end = nullptr;
        if (key == "drop") {
            f.drop = std::strtod(value.c_str(), &end);
        } else if (key == "corrupt") {
            f.corrupt = std::strtod(value.c_str(), &end);
        } else if (key == "silent-after") {
            f.silentAfter = std::strtol(value.c_str(), &end, 10);
        } else {
            return false;
        }
        if (end == value.c_str() || *end != '\0') return false;
        start = comma + 1;
    }
    return f.drop >= 0 && f.drop <= 1 && f.corrupt >= 0 && f.corrupt <= 1;
}

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (i + 1 >= argc) return false;
        const std::string v = argv[++i];
        if (a == "--mode" && (v == "1" || v == "2")) {
            o.mode2 = v == "2";
        } else if (a == "--link") {
            o.link = v;
        } else if (a == "--load") {
            o.load = v;
        } else if (a == "--memory") {
            o.memory = v;
        } else if (a == "--baud") {
            o.baud = std::strtol(v.c_str(), nullptr, 10);
            if (o.baud <= 0) return false;
        } else if (a == "--fault") {
            if (!parseFaults(v, o.faults)) return false;
        } else if (a == "--set") {
            o.settings.push_back(v);
        } else if (a == "--seed") {
            o.faults.seed = static_cast<uint32_t>(std::strtoul(v.c_str(), nullptr, 10));
        } else {
            return false;
        }
    }
    return true;
}

std::vector<uint16_t> readWords(const std::string& path, bool& ok) {
    std::ifstream in(path);
    ok = static_cast<bool>(in);
    std::vector<uint16_t> words;
    std::string line;
    while (ok && std::getline(in, line)) {
        if (line.empty()) continue;
        words.push_back(static_cast<uint16_t>(std::strtoul(line.c_str(), nullptr, 16)));
    }
    return words;
}

void writeWords(const std::string& path, const std::vector<uint16_t>& words) {
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::trunc);
        for (uint16_t w : words) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "%04X\n", w);
            out << buf;
        }
    }
    std::rename(temp.c_str(), path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            printHelp();
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("rungsmith-plcsim %s\n", RUNGSMITH_VERSION);
            return 0;
        }
    }
    Options o;
    if (!parse(argc, argv, o)) return usage("wrong arguments");

    rs::plcsim::Controller controller(o.mode2, o.faults);
    for (const std::string& setting : o.settings)
        if (!rs::online::applyDeviceSetting(controller.devices(), setting))
            return usage(("cannot set " + setting).c_str());
    if (!o.load.empty()) {
        bool ok = false;
        const auto words = readWords(o.load, ok);
        if (!ok) return usage("cannot read the --load file");
        controller.loadProgram(words);
    } else if (!o.memory.empty() && std::ifstream(o.memory)) {
        bool ok = false;
        const auto words = readWords(o.memory, ok);
        if (!ok) return usage("cannot read the --memory file");
        controller.loadProgram(words);
    }

    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::perror("rungsmith-plcsim: pseudo-terminal");
        return 1;
    }
    const char* name = ptsname(master);
    if (!name) {
        std::perror("rungsmith-plcsim: ptsname");
        return 1;
    }
    const std::string path = name;
    // Keep the terminal side open and raw: no echo, no line editing, and the
    // controller side never sees a hang-up between two clients.
    const int slave = open(path.c_str(), O_RDWR | O_NOCTTY);
    if (slave >= 0) {
        termios t{};
        if (tcgetattr(slave, &t) == 0) {
            cfmakeraw(&t);
            tcsetattr(slave, TCSANOW, &t);
        }
    }
    if (!o.link.empty()) {
        unlink(o.link.c_str());
        if (symlink(path.c_str(), o.link.c_str()) != 0) {
            std::perror("rungsmith-plcsim: --link");
            return 1;
        }
    }
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::printf("%s\n", path.c_str());
    std::fflush(stdout);

    std::vector<uint16_t> stored = controller.programWords();
    if (!o.memory.empty()) writeWords(o.memory, stored);
    std::vector<uint8_t> buf(4096);
    rs::plcsim::ProgramRunner runner(o.mode2, controller.devices());
    std::string message;
    std::string reported;  // the last news told
    auto report = [&] {
        if (message.empty() || message == reported) return;
        reported = message;
        std::fprintf(stderr, "rungsmith-plcsim: %s\n", message.c_str());
    };
    runner.update(stored, message);
    report();
    using Clock = std::chrono::steady_clock;
    const auto started = Clock::now();
    auto lastScan = started;
    while (!g_stop) {
        const auto now = Clock::now();
        long since = static_cast<long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(now - lastScan).count());
        if (since >= kScanPeriodMs) {
            lastScan = now;
            if (!runner.scan(since, message)) report();
            since = 0;
        }
        pollfd p{master, POLLIN, 0};
        const int ready = poll(&p, 1, static_cast<int>(kScanPeriodMs - since));
        if (ready < 0 && errno != EINTR) break;
        if (ready <= 0 || !(p.revents & POLLIN)) continue;
        const ssize_t n = read(master, buf.data(), buf.size());
        if (n <= 0) continue;
        const double atMs =
            std::chrono::duration<double, std::milli>(Clock::now() - started).count();
        const std::vector<uint8_t> reply =
            controller.receive(buf.data(), static_cast<size_t>(n), atMs);
        if (o.baud > 0 && !reply.empty()) {
            const double seconds = 10.0 *
                                   static_cast<double>(n + static_cast<ssize_t>(reply.size())) /
                                   static_cast<double>(o.baud);
            std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
        }
        for (size_t off = 0; off < reply.size();) {
            const ssize_t w = write(master, reply.data() + off, reply.size() - off);
            if (w <= 0) break;
            off += static_cast<size_t>(w);
        }
        runner.update(controller.programWords(), message);
        report();
        if (!o.memory.empty()) {
            std::vector<uint16_t> now = controller.programWords();
            if (now != stored) {
                stored = std::move(now);
                writeWords(o.memory, stored);
            }
        }
    }
    if (!o.memory.empty()) writeWords(o.memory, controller.programWords());
    if (!o.link.empty()) unlink(o.link.c_str());
    if (slave >= 0) close(slave);
    close(master);
    const auto& c = controller.counts();
    std::fprintf(stderr, "frames %ld, answered %ld, dropped %ld, corrupted %ld, rejected %ld\n",
                 c.frames, c.answered, c.dropped, c.corrupted, c.rejected);
    return 0;
}

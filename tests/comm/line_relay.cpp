// rungsmith-line-relay: a pseudo-terminal that stands between the program and
// a controller's port and misbehaves as a real line does, for the end-to-end
// tests of the mode-1 link.
//
//   rungsmith-line-relay --link PATH (--to DEVICE | --echo) [--delay N:MS]... [--drop N]...
//                        [--baud N] [--seconds S]
//
// The program opens PATH. Requests (frames from ':' to LF, or to CR for a
// read) go on to DEVICE; its replies (echoes up to LF, 8-byte STX replies)
// come back in order, each taking its time at the line's baud rate (--baud,
// 9600 by default). --drop N loses the Nth request; --delay N:MS holds the
// Nth reply back MS milliseconds, and every later reply behind it. --echo
// sends every byte back, as a line with echo on. The relay stops after S
// seconds (60 by default) or on SIGTERM.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<unsigned char>;

volatile std::sig_atomic_t g_stop = 0;
extern "C" void onStop(int) {
    g_stop = 1;
}

void makeRaw(int fd) {
    termios t{};
    if (tcgetattr(fd, &t) != 0) return;
    cfmakeraw(&t);
    tcsetattr(fd, TCSANOW, &t);
}

bool writeAll(int fd, const Bytes& b) {
    size_t done = 0;
    while (done < b.size()) {
        const ssize_t n = write(fd, b.data() + done, b.size() - done);
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// Length of the whole request at the front of `in`, 0 when incomplete. A
// byte that starts no frame is a frame of its own.
size_t requestLength(const Bytes& in) {
    if (in.empty()) return 0;
    if (in[0] != ':') return 1;
    const bool read = in.size() > 4 && in[4] == '3';
    for (size_t i = 1; i < in.size(); ++i) {
        if (in[i] == '\n' || (read && in[i] == '\r')) return i + 1;
    }
    return 0;
}

size_t replyLength(const Bytes& in) {
    if (in.empty()) return 0;
    if (in[0] == 0x02) return in.size() >= 8 ? 8 : 0;
    for (size_t i = 0; i < in.size(); ++i)
        if (in[i] == '\n') return i + 1;
    return 0;
}

struct Options {
    std::string link;
    std::string to;
    bool echo = false;
    std::set<long> drops;
    std::map<long, long> delays;  // reply number: milliseconds
    long seconds = 60;
    long baud = 9600;
};

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--echo") {
            o.echo = true;
            continue;
        }
        if (i + 1 >= argc) return false;
        const std::string value = argv[++i];
        if (name == "--link") {
            o.link = value;
        } else if (name == "--to") {
            o.to = value;
        } else if (name == "--drop") {
            o.drops.insert(std::atol(value.c_str()));
        } else if (name == "--delay") {
            const size_t colon = value.find(':');
            if (colon == std::string::npos) return false;
            o.delays[std::atol(value.substr(0, colon).c_str())] =
                std::atol(value.substr(colon + 1).c_str());
        } else if (name == "--baud") {
            o.baud = std::max(1L, std::atol(value.c_str()));
        } else if (name == "--seconds") {
            o.seconds = std::atol(value.c_str());
        } else {
            return false;
        }
    }
    return !o.link.empty() && (o.echo || !o.to.empty());
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o)) {
        std::fprintf(stderr,
                     "usage: rungsmith-line-relay --link PATH (--to DEVICE | --echo) "
                     "[--delay N:MS]... [--drop N]... [--baud N] [--seconds S]\n");
        return 2;
    }
    std::signal(SIGTERM, onStop);
    std::signal(SIGINT, onStop);

    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return 1;
    // Held open, so that the line stays up between the program's opens.
    const int slave = open(ptsname(master), O_RDWR | O_NOCTTY);
    if (slave < 0) return 1;
    makeRaw(slave);
    unlink(o.link.c_str());
    if (symlink(ptsname(master), o.link.c_str()) != 0) return 1;
    int device = -1;
    if (!o.echo) {
        device = open(o.to.c_str(), O_RDWR | O_NOCTTY);
        if (device < 0) return 1;
        makeRaw(device);
    }

    const auto stopAt = Clock::now() + std::chrono::seconds(o.seconds);
    Bytes fromProgram, fromDevice;
    struct Held {
        Clock::time_point at;
        Bytes bytes;
    };
    std::deque<Held> held;  // replies on their way back, in order
    long requests = 0, replies = 0;
    Clock::time_point lastRelease = Clock::now();

    while (!g_stop && Clock::now() < stopAt) {
        int timeout = 50;
        if (!held.empty()) {
            const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(
                                  held.front().at - Clock::now())
                                  .count();
            timeout = static_cast<int>(std::max<long>(0, std::min<long>(wait, 50)));
        }
        pollfd fds[2] = {{master, POLLIN, 0}, {device, POLLIN, 0}};
        poll(fds, device >= 0 ? 2 : 1, timeout);
        unsigned char buf[512];
        if (fds[0].revents & POLLIN) {
            const ssize_t n = read(master, buf, sizeof buf);
            if (n > 0) fromProgram.insert(fromProgram.end(), buf, buf + n);
        }
        if (device >= 0 && (fds[1].revents & POLLIN)) {
            const ssize_t n = read(device, buf, sizeof buf);
            if (n > 0) fromDevice.insert(fromDevice.end(), buf, buf + n);
        }
        if (o.echo) {
            if (!fromProgram.empty()) writeAll(master, fromProgram);
            fromProgram.clear();
            continue;
        }
        for (size_t n; (n = requestLength(fromProgram)) > 0;) {
            const Bytes frame(fromProgram.begin(), fromProgram.begin() + static_cast<long>(n));
            fromProgram.erase(fromProgram.begin(), fromProgram.begin() + static_cast<long>(n));
            if (frame[0] == ':' && o.drops.count(++requests)) continue;
            writeAll(device, frame);
        }
        for (size_t n; (n = replyLength(fromDevice)) > 0;) {
            Held h{Clock::now(),
                   Bytes(fromDevice.begin(), fromDevice.begin() + static_cast<long>(n))};
            fromDevice.erase(fromDevice.begin(), fromDevice.begin() + static_cast<long>(n));
            const auto delay = o.delays.find(++replies);
            if (delay != o.delays.end()) h.at += std::chrono::milliseconds(delay->second);
            // One character at a time on the way back: 10 bits each.
            h.at = std::max(h.at, lastRelease);
            lastRelease =
                h.at + std::chrono::microseconds(10'000'000L * static_cast<long>(n) / o.baud);
            held.push_back(std::move(h));
        }
        while (!held.empty() && held.front().at <= Clock::now()) {
            writeAll(master, held.front().bytes);
            held.pop_front();
        }
    }
    unlink(o.link.c_str());
    return 0;
}

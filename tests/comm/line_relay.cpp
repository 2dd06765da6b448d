// rungsmith-line-relay: a pseudo-terminal that stands between the program and
// a controller's port and misbehaves as a real line, or a hostile controller,
// does, for the end-to-end tests of the link in both modes.
//
//   rungsmith-line-relay --link PATH (--to DEVICE | --echo) [--delay N:MS]... [--drop N]...
//                        [--late MIN:MAX] [--seed S] [--status-for N]... [--answer-status]
//                        [--ack-flood] [--baud N] [--seconds S]
//
// The program opens PATH. Requests (mode-1 frames from ':' to LF, or to CR
// for a read; mode-2 frames from STX to the two digits after ETX; any other
// byte on its own, as ENQ) go on to DEVICE; its replies (echoes up to LF,
// STX frames up to the two digits after ETX, single bytes as ACK and NAK)
// come back in order, each taking its time at the line's baud rate (--baud,
// 9600 by default). --drop N loses the Nth request; --delay N:MS holds the
// Nth reply back MS milliseconds, and every later reply behind it; --late
// holds every reply back between MIN and MAX milliseconds (drawn with
// --seed). --status-for N loses the Nth request and answers it with the
// status reply of a mode-2 controller; --answer-status answers every request
// so. --ack-flood sends ACK bytes without
// end, one each character time, besides the replies. --echo sends every
// byte back, as a line with echo on. The relay stops after S seconds (60 by
// default) or on SIGTERM.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <random>
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

// The port is non-blocking, so that a program that stops reading cannot hold
// the relay up: what the line cannot take within a moment is lost.
bool writeAll(int fd, const Bytes& b) {
    size_t done = 0;
    while (done < b.size()) {
        const ssize_t n = write(fd, b.data() + done, b.size() - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        pollfd out{fd, POLLOUT, 0};
        if (n < 0 && errno == EAGAIN && poll(&out, 1, 100) > 0) continue;
        return false;
    }
    return true;
}

constexpr unsigned char STX = 0x02, ETX = 0x03, ACK = 0x06;
constexpr size_t kReadLength = 16;  // a word read request
// The status reply of a mode-2 controller in run mode: "5" as fourth byte.
const Bytes kStatusReply{STX, '0', '0', '5', '0', ETX, 'C', '8'};

// Length of an STX frame at the front of `in` (to the two digits after ETX),
// 0 when incomplete.
size_t stxLength(const Bytes& in) {
    const auto etx = std::find(in.begin() + 1, in.end(), ETX);
    if (etx == in.end()) return 0;
    const size_t n = static_cast<size_t>(etx - in.begin()) + 3;
    return in.size() >= n ? n : 0;
}

// Length of the whole request at the front of `in`, 0 when incomplete. A
// byte that starts no frame is a frame of its own (ENQ).
size_t requestLength(const Bytes& in) {
    if (in.empty()) return 0;
    if (in[0] == STX) return stxLength(in);
    if (in[0] != ':') return 1;
    if (in.size() < 5) return 0;
    // A read is 16 bytes: its CR in mode 1, the mode-2 sum in its place in mode 2.
    if (in[4] == '3') return in.size() >= kReadLength ? kReadLength : 0;
    for (size_t i = 1; i < in.size(); ++i)
        if (in[i] == '\n') return i + 1;
    return 0;
}

size_t replyLength(const Bytes& in) {
    if (in.empty()) return 0;
    if (in[0] == STX) return stxLength(in);
    if (in[0] != ':') return 1;
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
    std::set<long> statusFor;     // request numbers lost and answered by the status reply
    long lateMin = 0, lateMax = 0;
    unsigned seed = 1;
    bool answerStatus = false;
    bool ackFlood = false;
    long seconds = 60;
    long baud = 9600;
};

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--echo" || name == "--answer-status" || name == "--ack-flood") {
            (name == "--echo"        ? o.echo
             : name == "--ack-flood" ? o.ackFlood
                                     : o.answerStatus) = true;
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
        } else if (name == "--late") {
            const size_t colon = value.find(':');
            if (colon == std::string::npos) return false;
            o.lateMin = std::atol(value.substr(0, colon).c_str());
            o.lateMax = std::max(o.lateMin, std::atol(value.substr(colon + 1).c_str()));
        } else if (name == "--seed") {
            o.seed = static_cast<unsigned>(std::atol(value.c_str()));
        } else if (name == "--status-for") {
            o.statusFor.insert(std::atol(value.c_str()));
        } else if (name == "--baud") {
            o.baud = std::max(1L, std::atol(value.c_str()));
        } else if (name == "--seconds") {
            o.seconds = std::atol(value.c_str());
        } else {
            return false;
        }
    }
    return !o.link.empty() && (o.echo || o.answerStatus || !o.to.empty());
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o)) {
        std::fprintf(stderr,
                     "usage: rungsmith-line-relay --link PATH (--to DEVICE | --echo) "
                     "[--delay N:MS]... [--drop N]... [--late MIN:MAX] [--seed S] "
                     "[--status-for N]... [--answer-status] [--ack-flood] [--baud N] "
                     "[--seconds S]\n");
        return 2;
    }
    std::signal(SIGTERM, onStop);
    std::signal(SIGINT, onStop);

    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return 1;
    // Held open, so that the line stays up between the program's opens.
    const int slave = open(ptsname(master), O_RDWR | O_NOCTTY);
    if (slave < 0) return 1;
    makeRaw(slave);
    unlink(o.link.c_str());
    if (symlink(ptsname(master), o.link.c_str()) != 0) return 1;
    int device = -1;
    if (!o.echo && !o.answerStatus) {
        device = open(o.to.c_str(), O_RDWR | O_NOCTTY);
        if (device < 0) return 1;
        makeRaw(device);
    }

    const auto charTime = std::chrono::microseconds(10'000'000L / o.baud);
    const auto stopAt = Clock::now() + std::chrono::seconds(o.seconds);
    std::mt19937 random(o.seed);
    std::uniform_int_distribution<long> lateness(o.lateMin, o.lateMax);
    Bytes fromProgram, fromDevice;
    struct Held {
        Clock::time_point at;
        Bytes bytes;
    };
    std::deque<Held> held;  // replies on their way back, in order
    long requests = 0, replies = 0;
    Clock::time_point lastRelease = Clock::now();
    Clock::time_point nextAck = Clock::now();
    // A reply on its way back: held as asked, then one character at a time.
    const auto holdBack = [&](Bytes bytes) {
        Held h{Clock::now(), std::move(bytes)};
        const auto delay = o.delays.find(++replies);
        if (delay != o.delays.end()) h.at += std::chrono::milliseconds(delay->second);
        if (o.lateMax > 0) h.at += std::chrono::milliseconds(lateness(random));
        h.at = std::max(h.at, lastRelease);
        lastRelease = h.at + charTime * static_cast<long>(h.bytes.size());
        held.push_back(std::move(h));
    };

    while (!g_stop && Clock::now() < stopAt) {
        int timeout = o.ackFlood ? 1 : 50;
        if (!held.empty()) {
            const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(
                                  held.front().at - Clock::now())
                                  .count();
            timeout = static_cast<int>(std::max<long>(0, std::min<long>(wait, timeout)));
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
        if (o.ackFlood) {  // as many ACKs as the line carried since the last ones
            long due = 0;
            for (const auto now = Clock::now(); nextAck <= now && due < 64; ++due)
                nextAck += charTime;
            nextAck = std::max(nextAck, Clock::now() - charTime);
            if (due > 0) writeAll(master, Bytes(static_cast<size_t>(due), ACK));
        }
        for (size_t n; (n = requestLength(fromProgram)) > 0;) {
            const Bytes frame(fromProgram.begin(), fromProgram.begin() + static_cast<long>(n));
            fromProgram.erase(fromProgram.begin(), fromProgram.begin() + static_cast<long>(n));
            if (o.drops.count(++requests)) continue;
            if (o.answerStatus || o.statusFor.count(requests))
                holdBack(kStatusReply);
            else
                writeAll(device, frame);
        }
        for (size_t n; (n = replyLength(fromDevice)) > 0;) {
            Bytes reply(fromDevice.begin(), fromDevice.begin() + static_cast<long>(n));
            fromDevice.erase(fromDevice.begin(), fromDevice.begin() + static_cast<long>(n));
            holdBack(std::move(reply));
        }
        while (!held.empty() && held.front().at <= Clock::now()) {
            writeAll(master, held.front().bytes);
            held.pop_front();
        }
    }
    unlink(o.link.c_str());
    return 0;
}

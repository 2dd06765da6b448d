// The QSerialPort adapter on a pseudo-terminal: bytes both ways, and the
// receive callback held back until the threshold of bytes wait.
#include "comm/qt/qt_serial_link.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <memory>
#include <string>

#include "comm/comm_messages.h"
#include "comm/qt/port_list.h"
#include "comm/qt/qt_timer.h"

namespace rs {
namespace {

QCoreApplication& app() {
    static int argc = 1;
    static char name[] = "comm_qt_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication a(argc, argv);
    return a;
}

void spin(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) app().processEvents(QEventLoop::AllEvents, 5);
}

struct Pty {
    Pty() {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        grantpt(master);
        unlockpt(master);
        path = ptsname(master);
    }
    ~Pty() { close(master); }
    void send(const std::string& s) {
        ASSERT_EQ(write(master, s.data(), s.size()), ssize_t(s.size()));
    }
    std::string take() {
        char buf[256];
        fcntl(master, F_SETFL, O_NONBLOCK);
        const ssize_t n = read(master, buf, sizeof buf);
        return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
    }
    int master;
    std::string path;
};

TEST(QtSerialLink, CarriesBytesAndWaitsForTheThreshold) {
    app();
    Pty pty;
    QtSerialLink link;
    ASSERT_TRUE(link.open(pty.path, {}));
    EXPECT_TRUE(link.isOpen());
    EXPECT_EQ(link.port(), pty.path);
    int calls = 0;
    link.setReceiveCallback([&] { ++calls; });
    link.setReceiveThreshold(8);

    link.write({':', '0', '1', '\r', '\n'});
    spin(50);
    EXPECT_EQ(pty.take(), ":01\r\n");

    pty.send("abcde");
    spin(50);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(link.bytesWaiting(), 5u);
    pty.send("fgh");
    spin(50);
    EXPECT_GE(calls, 1);
    const std::vector<uint8_t> got = link.readAll();
    EXPECT_EQ(std::string(got.begin(), got.end()), "abcdefgh");
    link.close();
    EXPECT_FALSE(link.isOpen());
    EXPECT_FALSE(link.open("/nonexistent/tty", {}));
}

// The other end goes away: the port is closed and the reason reported once,
// from the event loop, instead of a notifier firing on a dead descriptor.
TEST(QtSerialLink, ReportsAVanishedPortOnceAndClosesIt) {
    app();
    auto pty = std::make_unique<Pty>();
    QtSerialLink link;
    ASSERT_TRUE(link.open(pty->path, {}));
    std::vector<std::string> reasons;
    link.setErrorCallback([&](const std::string& r) { reasons.push_back(r); });
    link.write({'x'});
    spin(30);
    pty.reset();
    spin(100);
    link.write({':', '0', '1'});
    spin(100);
    ASSERT_EQ(reasons.size(), 1u);
    EXPECT_EQ(reasons[0], msg::kPortHungUp);
    EXPECT_FALSE(link.isOpen());
}

TEST(QtSerialLink, KeepsTheReasonAPortDidNotOpen) {
    app();
    QtSerialLink link;
    EXPECT_FALSE(link.open("/nonexistent/tty", {}));
    EXPECT_FALSE(link.openError().empty());
}

TEST(QtTimer, FiresOnceAfterItsInterval) {
    app();
    QtTimer timer;
    int fired = 0;
    timer.setCallback([&] { ++fired; });
    timer.start(20);
    EXPECT_TRUE(timer.active());
    spin(100);
    EXPECT_EQ(fired, 1);
    EXPECT_FALSE(timer.active());
    timer.start(20);
    timer.stop();
    spin(60);
    EXPECT_EQ(fired, 1);
}

TEST(PortList, AddsGivenPathsOnceAfterTheSystemPorts) {
    app();
    const auto ports = availablePorts({"/tmp/plc-a", "/tmp/plc-a", "/tmp/plc-b"});
    ASSERT_GE(ports.size(), 2u);
    EXPECT_EQ(ports[ports.size() - 2], "/tmp/plc-a");
    EXPECT_EQ(ports.back(), "/tmp/plc-b");
}

}  // namespace
}  // namespace rs

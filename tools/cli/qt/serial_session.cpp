#include "tools/cli/qt/serial_session.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <limits>

#include "comm/qt/qt_serial_link.h"
#include "comm/qt/qt_timer.h"
#include "tools/cli/cli_command.h"
#include "tools/cli/qt/transfer_progress.h"

namespace rs::cli {

SerialSettings takeSerialSettings(std::vector<std::string>& args, std::string& problem) {
    SerialSettings s;
    bool ok = true;
    const std::string baud = takeOption(args, "--baud", ok);
    const std::string parity = takeOption(args, "--parity", ok);
    const std::string data = takeOption(args, "--data", ok);
    const std::string stop = takeOption(args, "--stop", ok);
    if (!ok) problem = "an option is missing its value";
    if (!baud.empty()) {
        if (baud == "9600" || baud == "19200")
            s.baud = std::stoi(baud);
        else
            problem = "--baud takes 9600 or 19200";
    }
    if (!parity.empty()) {
        if (parity == "O" || parity == "E" || parity == "N")
            s.parity = parity[0];
        else
            problem = "--parity takes O, E or N";
    }
    if (!data.empty()) {
        if (data == "7" || data == "8")
            s.dataBits = data[0] - '0';
        else
            problem = "--data takes 7 or 8";
    }
    if (!stop.empty()) {
        if (stop == "1" || stop == "2")
            s.stopBits = stop[0] - '0';
        else
            problem = "--stop takes 1 or 2";
    }
    return s;
}

bool takeSerialStart(std::vector<std::string>& args, SerialStart& start, std::string& problem) {
    bool ok = true;
    start.port = takeOption(args, "--port", ok);
    start.settings = takeSerialSettings(args, problem);
    return ok && problem.empty();
}

void TerminalSink::inform(const std::string& text, const std::string& caption, MessageIcon) {
    std::fprintf(caption == "Download" ? stdout : stderr, "%s\n", text.c_str());
    std::fflush(stdout);
}

MessageAnswer TerminalSink::ask(const std::string& text, const std::string&, MessageButtons,
                                MessageAnswer defaultAnswer, MessageIcon) {
    std::fprintf(stderr, "%s\n", text.c_str());
    return defaultAnswer;
}

namespace {

// Set by the first Ctrl-C; the handler resets itself, so a second one ends
// the program.
volatile std::sig_atomic_t g_interrupted = 0;
extern "C" void onInterrupt(int) {
    g_interrupted = 1;
}
constexpr int kInterruptPollMs = 50;

}  // namespace

struct SerialSession::Parts {
    int argc = 1;
    char name[16] = "rungsmith-cli";
    char* argv[2] = {name, nullptr};
    QCoreApplication qapp{argc, argv};
    QtSerialLink link;
    QtTimer retry;
    QtTimer wait;
    struct sigaction previous {};
};

SerialSession::SerialSession() : m_parts(std::make_unique<Parts>()) {
    g_interrupted = 0;
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &m_parts->previous);
}

SerialSession::~SerialSession() {
    sigaction(SIGINT, &m_parts->previous, nullptr);
}

TransferResult SerialSession::run(AppStore& app, MessageSink& sink, const char* label,
                                  const std::function<void(Transfer&)>& start) {
    TransferProgress progress(label, isatty(STDERR_FILENO) != 0);
    progress.onFinished = [] { QCoreApplication::quit(); };
    Transfer transfer(app, m_parts->link, m_parts->retry, m_parts->wait, sink, &progress);
    bool cancelled = false;
    QTimer interruptWatch;
    QObject::connect(&interruptWatch, &QTimer::timeout, [&] {
        if (!g_interrupted || cancelled) return;
        cancelled = true;
        if (transfer.running())
            transfer.cancel();
        else
            QCoreApplication::quit();
    });
    interruptWatch.start(kInterruptPollMs);
    QTimer::singleShot(0, [&] {
        start(transfer);
        if (!transfer.running()) QCoreApplication::quit();
    });
    QCoreApplication::exec();

    TransferResult result;
    result.outcome = transfer.outcome();
    result.answered = transfer.answered();
    result.interrupted = cancelled;
    result.reason =
        !transfer.portError().empty() ? transfer.portError() : m_parts->link.openError();
    result.programRead = transfer.programRead();
    return result;
}

bool SerialSession::runLoop(const std::function<void(SerialLink&, Timer&)>& start, int64_t forMs) {
    bool interrupted = false;
    QTimer interruptWatch;
    QObject::connect(&interruptWatch, &QTimer::timeout, [&] {
        if (!g_interrupted || interrupted) return;
        interrupted = true;
        QCoreApplication::quit();
    });
    interruptWatch.start(kInterruptPollMs);
    QTimer end;
    end.setSingleShot(true);
    QObject::connect(&end, &QTimer::timeout, [] { QCoreApplication::quit(); });
    QTimer::singleShot(0, [&] {
        if (forMs > 0)
            end.start(static_cast<int>(std::min<int64_t>(forMs, std::numeric_limits<int>::max())));
        start(m_parts->link, m_parts->retry);
    });
    QCoreApplication::exec();
    return interrupted;
}

void SerialSession::quit() {
    QCoreApplication::quit();
}

void printReason(const TransferResult& result) {
    if (!result.reason.empty()) std::fprintf(stderr, "%s\n", result.reason.c_str());
}

}  // namespace rs::cli

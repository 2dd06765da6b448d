#include "tools/cli/qt/serial_session.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

#include "comm/qt/qt_serial_link.h"
#include "comm/qt/qt_timer.h"
#include "tools/cli/cli_command.h"

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

// A progress bar on standard error, redrawn in place.
class ProgressBar : public TransferObserver {
  public:
    explicit ProgressBar(const char* label) : m_label(label), m_show(isatty(STDERR_FILENO) != 0) {}
    void progressRange(int maximum) override { m_max = maximum > 0 ? maximum : 1; }
    void progress(int value) override {
        m_value = value;
        draw();
    }
    void finished(TransferOutcome) override {
        if (m_drawn) std::fputc('\n', stderr);
        m_drawn = false;
        QCoreApplication::quit();
    }

  private:
    void draw() {
        if (!m_show) return;
        if (m_max == 0) {  // no known end: a count of words
            std::fprintf(stderr, "\r%s %d words", m_label, m_value);
            std::fflush(stderr);
            m_drawn = true;
            return;
        }
        constexpr int kWidth = 40;
        const int filled = std::min(kWidth, m_value * kWidth / m_max);
        std::fprintf(stderr, "\r%s [%s%s] %d/%d", m_label, std::string(filled, '#').c_str(),
                     std::string(kWidth - filled, ' ').c_str(), m_value, m_max);
        std::fflush(stderr);
        m_drawn = true;
    }

    const char* m_label;
    bool m_show;
    bool m_drawn = false;
    int m_max = 0;
    int m_value = 0;
};

}  // namespace

TransferOutcome runSerialTransfer(AppStore& app, MessageSink& sink, const char* label,
                                  const std::function<void(Transfer&)>& start) {
    int argc = 1;
    char name[] = "rungsmith-cli";
    char* argv[] = {name, nullptr};
    QCoreApplication qapp(argc, argv);
    QtSerialLink link;
    QtTimer retry;
    QtTimer wait;
    ProgressBar bar(label);
    Transfer transfer(app, link, retry, wait, sink, &bar);
    QTimer::singleShot(0, [&] {
        start(transfer);
        if (!transfer.running()) QCoreApplication::quit();
    });
    qapp.exec();
    // The system's reason follows the program's own message.
    if (!transfer.portError().empty())
        std::fprintf(stderr, "%s\n", transfer.portError().c_str());
    else if (!link.openError().empty())
        std::fprintf(stderr, "%s\n", link.openError().c_str());
    return transfer.outcome();
}

}  // namespace rs::cli

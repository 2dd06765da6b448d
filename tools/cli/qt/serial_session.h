#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "comm/serial_link.h"
#include "comm/transfer.h"
#include "core/message_sink.h"

namespace rs::cli {

// The line settings of --baud, --parity, --data and --stop (defaults 9600,
// E, 7, 1). Sets problem when a value is not one the dialog offers.
SerialSettings takeSerialSettings(std::vector<std::string>& args, std::string& problem);

// Where a transfer starts: the port of --port and the line settings.
struct SerialStart {
    std::string port;
    SerialSettings settings;
};
// Takes --port and the line settings out of the arguments. False on a missing
// value or a value not offered (problem says which, when it can).
bool takeSerialStart(std::vector<std::string>& args, SerialStart& start, std::string& problem);

// Messages of a transfer: the success message to standard output, the rest
// to standard error.
class TerminalSink : public MessageSink {
  public:
    void inform(const std::string& text, const std::string& caption, MessageIcon icon) override;
    MessageAnswer ask(const std::string& text, const std::string& caption, MessageButtons,
                      MessageAnswer defaultAnswer, MessageIcon icon) override;
};

// Exit status of a transfer stopped with Ctrl-C (128 + SIGINT).
constexpr int kExitInterrupted = 130;

// How one transfer ended.
struct TransferResult {
    TransferOutcome outcome = TransferOutcome::None;
    bool answered = false;  // any byte came from the controller
    bool interrupted = false;
    // The system's reason for a port that failed or did not open (empty when
    // neither happened).
    std::string reason;
    // What a verify read from the controller (Transfer::programRead).
    std::vector<uint16_t> programRead;
};

// The serial line of one command: a Qt event loop, the port, the timers and
// Ctrl-C. The first Ctrl-C stops the transfer under way cleanly
// (Transfer::cancel); a second one ends the program at once.
class SerialSession {
  public:
    SerialSession();
    ~SerialSession();
    SerialSession(const SerialSession&) = delete;
    SerialSession& operator=(const SerialSession&) = delete;

    // Runs one transfer in the encoding mode of `app`, with progress on
    // standard error labelled `label`; `start` is called with the transfer
    // once the loop runs. Returns when the transfer has ended.
    TransferResult run(AppStore& app, MessageSink& sink, const char* label,
                       const std::function<void(Transfer&)>& start);

    // Runs the event loop for a command that polls the line itself: `start`
    // is called with the session's link and a timer once the loop runs. The
    // loop ends with quit(), at the first Ctrl-C, or after forMs when it is
    // above 0. True when Ctrl-C ended it.
    bool runLoop(const std::function<void(SerialLink&, Timer&)>& start, int64_t forMs);
    static void quit();

  private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

// Prints the system's reason of a failed port, on the line after the
// program's own message.
void printReason(const TransferResult& result);

}  // namespace rs::cli

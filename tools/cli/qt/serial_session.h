#pragma once

#include <functional>
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

// Runs a transfer on a real port or pseudo-terminal in a Qt event loop, with a
// progress bar on standard error when it is a terminal. `start` is called
// with the transfer once the loop runs; the outcome is returned when the
// transfer has ended.
TransferOutcome runSerialTransfer(AppStore& app, MessageSink& sink, const char* label,
                                  const std::function<void(Transfer&)>& start);

}  // namespace rs::cli

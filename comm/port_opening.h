#pragma once

#include <string>

#include "comm/serial_link.h"
#include "core/message_sink.h"

namespace rs {

// Whether a port already open with the settings asked for is opened again.
enum class ReopenRule {
    Always,           // each request starts on a freshly opened port
    UnlessUnchanged,  // an open port with the same name and settings is kept
};

// Opens the port for a request: the port is closed if open and opened with
// the settings, the receive event comes from the first byte, and input left
// from before is discarded. "No port is chosen" for an empty port name and
// "cannot open serial port" when the port does not open (caption "Error
// occur"); false then.
bool reopenPort(SerialLink& link, const std::string& port, const SerialSettings& settings,
                MessageSink& sink, ReopenRule rule = ReopenRule::Always);

}  // namespace rs

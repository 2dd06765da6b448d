#pragma once

#include <optional>
#include <string>

#include "comm/code_encoder.h"
#include "comm/protocol_file.h"
#include "comm/serial_link.h"
#include "core/instruction_store.h"
#include "core/message_sink.h"

namespace rs {

struct DownloadRequest {
    std::string port;
    SerialSettings settings;
    // The dialog's list indexes, written to the settings file before encoding.
    std::optional<ProtocolIndexes> saveIndexes;
    std::string protocolFile = kProtocolFileName;
};

// Everything a download does before its first frame, in this order: the
// program must be converted and hold only rows the controller takes; the port
// is opened with the request's settings (kept when already open with them);
// the settings file is written; the program is encoded and must fit the code
// buffer and end with END. `mode2` is the encoder's mode. Each refusal shows its message; true when
// the encoder holds the code to send.
bool prepareDownload(const DownloadRequest& request, bool mode2, AppStore& app,
                     CodeEncoder& encoder, SerialLink& link, MessageSink& sink);

}  // namespace rs

#include "comm/download_preparation.h"

#include "comm/comm_messages.h"
#include "comm/download_check.h"
#include "comm/port_opening.h"
#include "core/messages.h"

namespace rs {

bool prepareDownload(const DownloadRequest& request, bool mode2, AppStore& app,
                     CodeEncoder& encoder, SerialLink& link, MessageSink& sink) {
    if (!app.m_bCompiled) {
        msg::refuse(sink, msg::kNotCompiled);
        return false;
    }
    if (auto refusal = downloadRefusal(*app.table, mode2)) {
        msg::refuse(sink, *refusal);
        return false;
    }
    // Nothing is sent into a port that did not open.
    if (!reopenPort(link, request.port, request.settings, sink, ReopenRule::UnlessUnchanged))
        return false;
    if (request.saveIndexes) writeProtocolFile(request.protocolFile, *request.saveIndexes);
    switch (encoder.encodeProgram(*app.table)) {
        case EncodeStatus::Ok:
            return true;
        case EncodeStatus::TooLarge:
            msg::refuse(sink, msg::kCodeTooLarge);
            return false;
        case EncodeStatus::NoEnd:
            msg::refuse(sink, msg::kCodeWithoutEnd);
            return false;
    }
    return false;
}

}  // namespace rs

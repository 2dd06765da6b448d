#include "comm/port_opening.h"

#include "comm/comm_messages.h"
#include "core/messages.h"

namespace rs {

bool reopenPort(SerialLink& link, const std::string& port, const SerialSettings& settings,
                MessageSink& sink, ReopenRule rule) {
    if (rule == ReopenRule::UnlessUnchanged && link.isOpen() && link.port() == port &&
        link.settings() == settings)
        return true;
    if (link.isOpen()) link.close();
    if (port.empty()) {
        sink.inform(msg::kNoPort, msg::kErrorCaption, MessageIcon::Warning);
        return false;
    }
    if (!link.open(port, settings)) {
        sink.inform(msg::kCannotOpenPort, msg::kErrorCaption, MessageIcon::Warning);
        return false;
    }
    link.setReceiveThreshold(1);
    link.readAll();
    return true;
}

}  // namespace rs

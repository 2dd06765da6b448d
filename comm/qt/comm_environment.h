#pragma once

#include <functional>
#include <string>
#include <vector>

#include "comm/protocol_file.h"
#include "comm/qt/port_list.h"

namespace rs {

// Where the communication dialogs find the serial ports and the settings file.
struct CommEnvironment {
    // The settings file, in the current directory unless told otherwise.
    std::string protocolFile = kProtocolFileName;
    // The ports found: the system's serial ports, then the given paths.
    std::function<std::vector<std::string>(const std::vector<std::string>& extraPaths)> probe =
        [](const std::vector<std::string>& extra) { return availablePorts(extra); };
};

}  // namespace rs

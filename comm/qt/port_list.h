#pragma once

#include <string>
#include <vector>

namespace rs {

// The ports a transfer may use: the system's serial ports by name, in name
// order, then the paths the user gave (pseudo-terminals are not listed by the
// system), each once.
std::vector<std::string> availablePorts(const std::vector<std::string>& extraPaths = {});

}  // namespace rs

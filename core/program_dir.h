#pragma once

#include <string>

namespace rs {

// The directory of the running program, with a trailing '/'.
std::string programDirectory();

// The device range file beside the program.
std::string defaultRangeFilePath();

}  // namespace rs

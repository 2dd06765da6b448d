#pragma once

#include <string>

namespace rs::shell {

// The folder of example programs opened by Help > "Examples": "examples"
// beside the program (a build), else where the package puts it
// (share/doc/rungsmith/examples, two levels above the program's folder
// lib/rungsmith). Empty when neither exists.
std::string examplesFolder(const std::string& programDirectory);

}  // namespace rs::shell

#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace rs::eval {

// The value of a bit device (X000, M10 ...) during one scan.
using DeviceReader = std::function<bool(const std::string& device)>;

// The values of a bit device in 64 scans at once, one scan per bit: the
// evaluators run 64 input assignments in one pass this way.
using WideReader = std::function<uint64_t(const std::string& device)>;

// One output written by a scan: a coil (its device) or an application
// instruction (its whole text), and whether its rung let power through.
struct Output {
    std::string name;
    bool on = false;
    bool operator==(const Output&) const = default;
    bool operator<(const Output& o) const { return name != o.name ? name < o.name : on < o.on; }
};

// One output of 64 scans: which of them let power through (bit k for scan k),
// and the list row or grid row that wrote it.
struct WideOutput {
    std::string name;
    uint64_t on = 0;
    int row = -1;
};

// Edge contacts (rising, falling) are read as the level their device has in
// this scan: rising like an open contact, falling like a closed one. Both
// evaluators read them so, which is what a comparison of the two needs.

}  // namespace rs::eval

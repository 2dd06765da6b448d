#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace rs::eval {

// The value of a bit device (X000, M10 ...) during one scan.
using DeviceReader = std::function<bool(const std::string& device)>;

// The values of a bit device over many scans at once, as a `Lane`: a 64-bit
// word holds 64 scans, one per bit (the evaluators run 64 input assignments in
// one pass this way); a `Bdd` holds every assignment of the devices it is
// built over.
template <typename Lane>
using LaneReader = std::function<Lane(const std::string& device)>;
using WideReader = LaneReader<uint64_t>;

// One output written by a scan: a coil (its device) or an application
// instruction (its whole text), and whether its rung let power through.
struct Output {
    std::string name;
    bool on = false;
    bool operator==(const Output&) const = default;
    bool operator<(const Output& o) const { return name != o.name ? name < o.name : on < o.on; }
};

// One output of many scans: which of them let power through (for a 64-bit
// lane, bit k for scan k), and the list row or grid row that wrote it.
template <typename Lane>
struct LaneOutput {
    std::string name;
    Lane on{};
    int row = -1;
};
using WideOutput = LaneOutput<uint64_t>;

// Edge contacts (rising, falling) are read as the level their device has in
// this scan: rising like an open contact, falling like a closed one. Both
// evaluators read them so, which is what a comparison of the two needs.

}  // namespace rs::eval

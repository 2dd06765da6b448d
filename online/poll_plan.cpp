#include "online/poll_plan.h"

#include <algorithm>

#include "core/device/device_memory.h"

namespace rs::online {

namespace {

constexpr long kReadRequestBytes = 13;  // STX, "E00", address, L, ETX, sum
constexpr long kReadReplyOverhead = 4;  // STX, ETX, sum

}  // namespace

std::vector<DeviceRead> planReads(std::span<const ByteSpan> spans) {
    // The wanted bytes, each once, in address order.
    std::vector<uint32_t> bytes;
    for (const ByteSpan& s : spans) {
        if (s.first >= device::kDeviceMemoryBytes) continue;
        const uint32_t end =
            std::min<uint64_t>(uint64_t{s.first} + s.count, device::kDeviceMemoryBytes);
        for (uint32_t b = s.first; b < end; ++b) bytes.push_back(b);
    }
    std::sort(bytes.begin(), bytes.end());
    bytes.erase(std::unique(bytes.begin(), bytes.end()), bytes.end());

    // Starting each read at the lowest uncovered byte and reaching as far as
    // a read may is optimal for covering points on a line by windows of one
    // width: no plan with fewer reads exists.
    std::vector<DeviceRead> reads;
    for (size_t i = 0; i < bytes.size();) {
        const uint32_t start = bytes[i];
        size_t j = i;
        while (j + 1 < bytes.size() && bytes[j + 1] - start < uint32_t{kMaxWordBytes}) ++j;
        reads.push_back({start, static_cast<int>(bytes[j] - start + 1)});
        i = j + 1;
    }
    return reads;
}

long planLineBytes(std::span<const DeviceRead> reads) {
    long total = 0;
    for (const DeviceRead& r : reads)
        total += kReadRequestBytes + kReadReplyOverhead + 2L * r.length;
    return total;
}

}  // namespace rs::online

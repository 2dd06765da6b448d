#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "online/device_frames.h"

namespace rs::online {

// Bytes of the device image something on screen reads: `count` bytes from
// byte address `first`.
struct ByteSpan {
    uint32_t first = 0;
    uint32_t count = 0;
    bool operator==(const ByteSpan&) const = default;
};

// One word read frame of a poll: `length` bytes (1 to 16) from `address`.
struct DeviceRead {
    uint32_t address = 0;
    int length = 0;
    bool operator==(const DeviceRead&) const = default;
};

// The reads that cover every byte of the spans with the fewest frames a word
// read allows (at most kMaxWordBytes bytes each), in address order. Each read
// starts at the lowest byte not yet covered and ends at the last wanted byte
// within its reach, so bytes between wanted ones are read only where that
// saves a frame. Spans outside the device image are cut to it; an empty
// result for no spans.
std::vector<DeviceRead> planReads(std::span<const ByteSpan> spans);

// The bytes a plan puts on the line for one full round: each request (13
// bytes) and its reply (4 + 2L bytes).
long planLineBytes(std::span<const DeviceRead> reads);

}  // namespace rs::online

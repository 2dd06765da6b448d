#include "comm/settle_period.h"

#include <algorithm>

#include "comm/frames.h"
#include "comm/link_step.h"

namespace rs::link {

namespace {
constexpr int kSettleMarginMs = 10;  // beyond the line time: scheduling, a slow reader
}

int settlePeriodMs(const SerialSettings& s, int replyBytes) {
    // Start bit, data bits, parity bit and stop bits of each character.
    const int bitsPerChar = 1 + s.dataBits + (s.parity == 'N' ? 0 : 1) + s.stopBits;
    const int baud = std::max(1, s.baud);
    const int replyMs = (std::max(0, replyBytes) * bitsPerChar * 1000 + baud - 1) / baud;
    return kRetryPeriodMs + replyMs + kSettleMarginMs;
}

int resendSpanMs(int sends) {
    return std::max(0, sends - 1) * (kRetryPeriodMs + kRetryWaitMs);
}

}  // namespace rs::link

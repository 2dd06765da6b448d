#pragma once

#include "comm/frames.h"
#include "comm/serial_link.h"

namespace rs::link {

// How long a reply to a request that went out more than once waits before it
// is acted on: longer than the gap between the two sends (the retry period)
// plus the time the request's other answer (a reply of `replyBytes`, an
// 8-byte reply unless said otherwise) needs on the line at these settings,
// so that no second answer can still be on its way when the next request
// goes out.
int settlePeriodMs(const SerialSettings& settings, int replyBytes = frame::kWordReplyLength);

// How much later than the first send the last of `sends` sends of one request
// went out at most: each follows the one before within a retry period and
// the wait before a resend. An answer names no send, so the one that came may
// answer the first; the last send's answer, as late as that one, comes this
// much later, and the settling period is lengthened by it.
int resendSpanMs(int sends);

}  // namespace rs::link

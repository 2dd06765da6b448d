#pragma once

#include "comm/serial_link.h"

namespace rs::link {

// How long a reply to a request that went out more than once waits before it
// is acted on: longer than the gap between the two sends (the retry period)
// plus the time the request's other answer (an 8-byte reply) needs on the
// line at these settings, so that no second answer can still be on its way
// when the next request goes out.
int settlePeriodMs(const SerialSettings& settings);

}  // namespace rs::link

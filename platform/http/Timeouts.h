#pragma once

#include <chrono>

namespace wc::http {

// Limits of one exchange. Tests shorten them; the system keeps the defaults.
struct Timeouts {
    // Resolving the host name and connecting, including the secure channel's handshake.
    std::chrono::milliseconds connect{30'000};
    // Sending the request or receiving the response without a single byte of progress. A long
    // transfer that keeps moving is never cut off.
    std::chrono::seconds stall{30};
};

} // namespace wc::http

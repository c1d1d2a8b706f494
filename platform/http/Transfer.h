#pragma once

#include "http/CurlHandles.h"
#include "http/Response.h"
#include "http/Timeouts.h"

#include <array>

namespace wc::http {

// One libcurl easy handle run on a multi handle, so that waiting can hand control to the idle
// hook. Both handles live as long as the transfer: the easy handle keeps the cookie store of
// the whole run, the multi handle the open connections for keep-alive.
class Transfer {
public:
    Transfer(Timeouts timeouts, const char* userAgent);
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;

    // One GET to url with exactly these header fields, without following redirects.
    // Raises HttpError (Sending or Receiving) when no complete response arrives.
    Response get(const QByteArray& url, const QList<HeaderField>& headers);

private:
    CURLcode perform();
    [[noreturn]] void fail(CURLcode code) const;

    // The easy handle points at the last exchange's header list, so that list outlives it.
    HeaderList headers_;
    EasyHandle easy_;
    MultiHandle multi_;
    Response received_;
    std::array<char, CURL_ERROR_SIZE> errorText_{};
};

} // namespace wc::http

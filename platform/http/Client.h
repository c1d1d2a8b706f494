#pragma once

#include "http/Request.h"
#include "http/Response.h"
#include "http/Timeouts.h"

#include <memory>

namespace wc::http {

class Transfer;

// A REST client: a base URL, and one cookie store and connection pool for all of its exchanges,
// whatever base URL they go to. Everything runs on the calling thread; while it waits for a
// server it calls wc::idle() every wc::kIdleSliceMs milliseconds.
class Client {
public:
    static constexpr int kMaxRedirects = 5;
    static constexpr const char* kUserAgent = "wCartovia/1.0";

    explicit Client(Timeouts timeouts = {});
    ~Client();
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    void setBaseUrl(QString baseUrl);
    const QString& baseUrl() const noexcept { return baseUrl_; }

    // Sends the request with GET to the base URL and resource, follows redirects (300, 301, 302,
    // 303, 307, 308 with a Location) up to kMaxRedirects, keeping Authorization only while the
    // target has the first URL's scheme, host and port, and returns the final response whatever
    // its status. Raises HttpError when the URL is invalid, no answer comes, or there are too many
    // redirects.
    Response get(const Request& request);

private:
    QString baseUrl_;
    std::unique_ptr<Transfer> transfer_;
};

} // namespace wc::http

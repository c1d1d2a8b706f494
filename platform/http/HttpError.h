#pragma once

#include "core/Failure.h"

namespace wc::http {

// A failure of the HTTP layer itself, kept apart from the statuses that servers answer with.
class HttpError : public wc::Failure {
public:
    enum class Kind {
        InvalidUrl,       // the request URL could not be formed; nothing was sent
        Sending,          // resolving, connecting, the secure channel or sending the request failed
        Receiving,        // the request went out but no complete answer came back
        TooManyRedirects, // the redirect limit of one exchange was reached
    };

    static HttpError invalidUrl(const QString& url);
    // code: libcurl's result code; text: its detailed description of this failure.
    static HttpError transport(Kind kind, int code, const QString& text);
    static HttpError tooManyRedirects(int limit);

    Kind kind() const noexcept { return kind_; }
    // libcurl's result code for Sending and Receiving failures, otherwise 0.
    int code() const noexcept { return code_; }

private:
    HttpError(Kind kind, int code, QString message);

    Kind kind_;
    int code_;
};

} // namespace wc::http

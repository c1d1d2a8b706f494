#include "http/Client.h"

#include "http/HttpError.h"
#include "http/RequestUrl.h"
#include "http/Transfer.h"

#include <utility>

namespace wc::http {
namespace {

bool isRedirect(int status) {
    switch (status) {
    case 300:
    case 301:
    case 302:
    case 303:
    case 307:
    case 308:
        return true;
    default:
        return false;
    }
}

// Credentials go only where the caller sent them, never to another origin a server points at.
QList<HeaderField> headersFor(const Request& request, bool toFirstOrigin) {
    if (toFirstOrigin)
        return request.headers();
    QList<HeaderField> headers;
    for (const HeaderField& field : request.headers()) {
        if (field.name.compare("Authorization", Qt::CaseInsensitive) != 0)
            headers.append(field);
    }
    return headers;
}

} // namespace

Client::Client(Timeouts timeouts) : transfer_(std::make_unique<Transfer>(timeouts, kUserAgent)) {}

Client::~Client() = default;

void Client::setBaseUrl(QString baseUrl) {
    baseUrl_ = std::move(baseUrl);
}

Response Client::get(const Request& request) {
    const QByteArray firstUrl = requestUrl(baseUrl_, request.resource(), request.query());
    QByteArray url = firstUrl;
    for (int redirects = 0;; ++redirects) {
        Response response =
            transfer_->get(url, headersFor(request, url == firstUrl || sameOrigin(firstUrl, url)));
        const QByteArray location = response.header("Location");
        if (!isRedirect(response.statusCode) || location.isEmpty())
            return response;
        if (redirects == kMaxRedirects)
            throw HttpError::tooManyRedirects(kMaxRedirects);
        url = resolveLocation(url, location);
    }
}

} // namespace wc::http

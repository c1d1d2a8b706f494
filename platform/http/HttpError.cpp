#include "http/HttpError.h"

#include <utility>

namespace wc::http {
namespace {
QString requestFailed(const QString& detail) {
    return QStringLiteral("REST request failed: ") + detail;
}
} // namespace

HttpError::HttpError(Kind kind, int code, QString message)
    : Failure(std::move(message)), kind_(kind), code_(code) {}

HttpError HttpError::invalidUrl(const QString& url) {
    return HttpError(Kind::InvalidUrl, 0, QStringLiteral("Invalid URL: \"%1\"").arg(url));
}

HttpError HttpError::transport(Kind kind, int code, const QString& text) {
    const QString stage = kind == Kind::Sending ? QStringLiteral("Error sending data: (%1) %2")
                                                : QStringLiteral("Error receiving data: (%1) %2");
    return HttpError(kind, code, requestFailed(stage.arg(QString::number(code), text)));
}

HttpError HttpError::tooManyRedirects(int limit) {
    return HttpError(
        Kind::TooManyRedirects, 0,
        requestFailed(QStringLiteral("Maximum number of redirections (%1) exceeded").arg(limit)));
}

} // namespace wc::http

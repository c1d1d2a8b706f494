#pragma once

#include "http/Request.h"

namespace wc::http {

// The URL of a request: the base URL trimmed of blanks and control characters, "http://" put
// in front when it names no scheme, one trailing "/" dropped, then "/" and the resource; then
// normalised (scheme in lower case, a default port left out) and followed by the query.
// Raises HttpError (InvalidUrl) when no absolute URL results.
QByteArray requestUrl(const QString& baseUrl, const QString& resource, const QList<QueryParam>& query);

// A redirect's Location resolved against the URL it answered. Raises HttpError (InvalidUrl).
QByteArray resolveLocation(const QByteArray& currentUrl, const QByteArray& location);

// Whether two absolute URLs share scheme, host and port.
bool sameOrigin(const QByteArray& first, const QByteArray& second);

} // namespace wc::http

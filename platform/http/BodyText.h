#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace wc::http {

// Whether a media type (type/subtype in lower case, no parameters) carries no text.
bool isBinaryMediaType(QByteArrayView mediaType);

// The body as text, decided by the Content-Type value: decoded with its charset when that is
// known, otherwise as UTF-8; no Content-Type counts as text; a binary media type gives no text.
QString bodyText(const QByteArray& body, QByteArrayView contentType);

} // namespace wc::http

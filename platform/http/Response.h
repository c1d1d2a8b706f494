#pragma once

#include "http/Request.h"

#include <QByteArrayView>

namespace wc::http {

// The final answer of one exchange, after any redirects: a plain value.
struct Response {
    int statusCode = 0;
    QString reasonPhrase;
    // "HTTP/1.0", "HTTP/1.1" or "HTTP/2.0"; empty when the status line names another version.
    QString protocolVersion;
    // The final response's header fields in the order received, values without surrounding blanks.
    QList<HeaderField> headers;
    QByteArray body;
    // The body decoded by the response's charset; empty for binary media types.
    QString text;

    // The first field of that name (names match without regard to case), or an empty value.
    QByteArray header(QByteArrayView name) const;
    QString contentType() const;
    // The status as servers and logs show it: "HTTP/1.1 503 Service Unavailable".
    QString statusLine() const;
};

// Takes one line of a response head as libcurl delivers it (with its line end) into the
// response. A status line starts a new head, so only the last response of an exchange is kept.
void addHeadLine(Response& response, QByteArrayView line);

} // namespace wc::http

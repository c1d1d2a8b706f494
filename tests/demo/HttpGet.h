#pragma once

#include <QByteArray>
#include <QString>

namespace wc::test {

struct HttpReply {
    long status = 0;
    QByteArray body;
    QByteArray headers;
};

// One GET with libcurl; credentials, when given, go as HTTP Basic authentication.
// A transport failure throws.
HttpReply httpGet(const QString& url, const QString& user = {}, const QString& password = {});

} // namespace wc::test

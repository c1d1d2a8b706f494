#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace wc::http {

struct HeaderField {
    QByteArray name;
    QByteArray value;
    friend bool operator==(const HeaderField&, const HeaderField&) = default;
};

struct QueryParam {
    QString name;
    QString value;
};

// One GET exchange: the resource below the client's base URL, and the header and query
// parameters in the order they are sent. A caller rebuilds it for every exchange.
class Request {
public:
    void setResource(QString resource);
    // Sent as given; the value is not checked or folded.
    void addHeader(QByteArray name, QByteArray value);
    // The value is sent exactly as given, without percent-encoding; the name is percent-encoded.
    void addQuery(QString name, QString value);
    // Drops the header and query parameters of an earlier exchange; the resource stays.
    void clearParams();

    const QString& resource() const noexcept { return resource_; }
    const QList<HeaderField>& headers() const noexcept { return headers_; }
    const QList<QueryParam>& query() const noexcept { return query_; }

private:
    QString resource_;
    QList<HeaderField> headers_;
    QList<QueryParam> query_;
};

} // namespace wc::http

#include "http/Response.h"

namespace wc::http {
namespace {

QString protocolName(QByteArrayView token) {
    if (token == "HTTP/1.0" || token == "HTTP/1.1")
        return QString::fromLatin1(token);
    if (token == "HTTP/2" || token == "HTTP/2.0")
        return QStringLiteral("HTTP/2.0");
    return {};
}

void startHead(Response& response, QByteArrayView statusLine) {
    response.headers.clear();
    const qsizetype versionEnd = statusLine.indexOf(' ');
    const QByteArrayView version = versionEnd < 0 ? statusLine : statusLine.first(versionEnd);
    const QByteArrayView rest = versionEnd < 0 ? QByteArrayView() : statusLine.sliced(versionEnd + 1);
    const qsizetype codeEnd = rest.indexOf(' ');
    response.protocolVersion = protocolName(version);
    response.statusCode = (codeEnd < 0 ? rest : rest.first(codeEnd)).toInt();
    response.reasonPhrase = codeEnd < 0 ? QString() : QString::fromUtf8(rest.sliced(codeEnd + 1));
}

} // namespace

QByteArray Response::header(QByteArrayView name) const {
    for (const HeaderField& field : headers) {
        if (name.compare(field.name, Qt::CaseInsensitive) == 0)
            return field.value;
    }
    return {};
}

QString Response::contentType() const {
    return QString::fromLatin1(header("Content-Type"));
}

QString Response::statusLine() const {
    const QString status = QString::number(statusCode) + QLatin1Char(' ') + reasonPhrase;
    return protocolVersion.isEmpty() ? status : protocolVersion + QLatin1Char(' ') + status;
}

void addHeadLine(Response& response, QByteArrayView line) {
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    if (line.isEmpty())
        return;
    if (line.startsWith("HTTP/")) {
        startHead(response, line);
        return;
    }
    // A line starting with a blank continues the previous field's value (obsolete folding).
    if ((line.front() == ' ' || line.front() == '\t') && !response.headers.isEmpty()) {
        response.headers.last().value += ' ' + line.trimmed().toByteArray();
        return;
    }
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0)
        return;
    response.headers.append(
        {line.first(colon).trimmed().toByteArray(), line.sliced(colon + 1).trimmed().toByteArray()});
}

} // namespace wc::http

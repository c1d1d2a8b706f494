#include "http/BodyText.h"

#include <QList>
#include <QStringDecoder>
#include <array>

namespace wc::http {
namespace {

struct ContentType {
    QByteArray mediaType;
    QByteArray charset;
};

QByteArray unquoted(QByteArrayView value) {
    if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
        return value.sliced(1, value.size() - 2).toByteArray();
    return value.toByteArray();
}

ContentType parseContentType(QByteArrayView value) {
    ContentType result;
    const QList<QByteArray> parts = value.toByteArray().split(';');
    result.mediaType = parts.front().trimmed().toLower();
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QByteArray param = parts[i].trimmed();
        const qsizetype equals = param.indexOf('=');
        if (equals > 0 && param.first(equals).trimmed().compare("charset", Qt::CaseInsensitive) == 0)
            result.charset = unquoted(param.sliced(equals + 1).trimmed());
    }
    return result;
}

// Qt's own converters, less the local 8-bit one: a server's charset never means this machine's.
QStringConverter::Encoding encodingFor(const QByteArray& charset) {
    const auto known =
        charset.isEmpty() ? std::nullopt : QStringConverter::encodingForName(charset.constData());
    return known && *known != QStringConverter::System ? *known : QStringConverter::Utf8;
}

} // namespace

bool isBinaryMediaType(QByteArrayView mediaType) {
    static constexpr std::array binaryTypes{
        "application/octet-stream",    "application/zip", "application/gzip",
        "application/x-gzip",          "application/pdf", "application/x-tar",
        "application/x-7z-compressed",
    };
    for (const char* type : binaryTypes) {
        if (mediaType == type)
            return true;
    }
    for (const char* family : {"image/", "audio/", "video/", "font/"}) {
        if (mediaType.startsWith(family))
            return true;
    }
    return false;
}

QString bodyText(const QByteArray& body, QByteArrayView contentType) {
    const ContentType type = parseContentType(contentType);
    if (isBinaryMediaType(type.mediaType))
        return {};
    QStringDecoder decoder(encodingFor(type.charset));
    return decoder.decode(body);
}

} // namespace wc::http

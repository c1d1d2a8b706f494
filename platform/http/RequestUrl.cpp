#include "http/RequestUrl.h"

#include "http/CurlHandles.h"
#include "http/HttpError.h"

#include <QUrl>
#include <optional>

namespace wc::http {
namespace {

bool isBlankOrControl(QChar ch) {
    return ch.unicode() <= u' ' || ch.unicode() == 0x7F;
}

QString trimmedBase(const QString& baseUrl) {
    qsizetype begin = 0;
    qsizetype end = baseUrl.size();
    while (begin < end && isBlankOrControl(baseUrl[begin]))
        ++begin;
    while (end > begin && isBlankOrControl(baseUrl[end - 1]))
        --end;
    return baseUrl.sliced(begin, end - begin);
}

QString joinedUrl(const QString& baseUrl, const QString& resource) {
    QString base = trimmedBase(baseUrl);
    if (!base.isEmpty() && !base.contains(QLatin1String("://")))
        base.prepend(QLatin1String("http://"));
    if (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return base + resource;
}

UrlHandle parsedUrl(const QByteArray& url) {
    UrlHandle handle(curl_url());
    if (!handle || curl_url_set(handle.get(), CURLUPART_URL, url.constData(), 0) != CURLUE_OK)
        throw HttpError::invalidUrl(QString::fromUtf8(url));
    return handle;
}

std::optional<QByteArray> urlPart(const UrlHandle& url, CURLUPart part, unsigned int flags) {
    char* text = nullptr;
    if (curl_url_get(url.get(), part, &text, flags) != CURLUE_OK)
        return std::nullopt;
    const CurlText owned(text);
    return QByteArray(owned.get());
}

QByteArray normalisedUrl(const UrlHandle& url, const QByteArray& original) {
    auto text = urlPart(url, CURLUPART_URL, CURLU_NO_DEFAULT_PORT);
    if (!text)
        throw HttpError::invalidUrl(QString::fromUtf8(original));
    return *text;
}

QByteArray withQuery(QByteArray url, const QList<QueryParam>& query) {
    char separator = url.contains('?') ? '&' : '?';
    for (const QueryParam& param : query) {
        url += separator + QUrl::toPercentEncoding(param.name) + '=' + param.value.toUtf8();
        separator = '&';
    }
    return url;
}

} // namespace

QByteArray requestUrl(const QString& baseUrl, const QString& resource, const QList<QueryParam>& query) {
    const QByteArray joined = joinedUrl(baseUrl, resource).toUtf8();
    return withQuery(normalisedUrl(parsedUrl(joined), joined), query);
}

QByteArray resolveLocation(const QByteArray& currentUrl, const QByteArray& location) {
    const UrlHandle url = parsedUrl(currentUrl);
    if (curl_url_set(url.get(), CURLUPART_URL, location.constData(), CURLU_URLENCODE | CURLU_ALLOW_SPACE) !=
        CURLUE_OK)
        throw HttpError::invalidUrl(QString::fromUtf8(location));
    return normalisedUrl(url, location);
}

bool sameOrigin(const QByteArray& first, const QByteArray& second) {
    const UrlHandle a = parsedUrl(first);
    const UrlHandle b = parsedUrl(second);
    for (const CURLUPart part : {CURLUPART_SCHEME, CURLUPART_HOST, CURLUPART_PORT}) {
        const auto left = urlPart(a, part, CURLU_DEFAULT_PORT);
        const auto right = urlPart(b, part, CURLU_DEFAULT_PORT);
        if (!left || !right || left->compare(*right, Qt::CaseInsensitive) != 0)
            return false;
    }
    return true;
}

} // namespace wc::http

#include "HttpGet.h"

#include <curl/curl.h>
#include <memory>
#include <stdexcept>

namespace wc::test {
namespace {

size_t append(char* data, size_t size, size_t count, void* target) {
    static_cast<QByteArray*>(target)->append(data, static_cast<qsizetype>(size * count));
    return size * count;
}

} // namespace

HttpReply httpGet(const QString& url, const QString& user, const QString& password) {
    std::unique_ptr<CURL, void (*)(CURL*)> curl(curl_easy_init(), &curl_easy_cleanup);
    HttpReply reply;
    const QByteArray address = url.toUtf8();
    const QByteArray userBytes = user.toUtf8();
    const QByteArray passwordBytes = password.toUtf8();
    curl_easy_setopt(curl.get(), CURLOPT_URL, address.constData());
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, &append);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &reply.body);
    curl_easy_setopt(curl.get(), CURLOPT_HEADERFUNCTION, &append);
    curl_easy_setopt(curl.get(), CURLOPT_HEADERDATA, &reply.headers);
    curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT, 30L);
    if (!user.isEmpty() || !password.isEmpty()) {
        curl_easy_setopt(curl.get(), CURLOPT_HTTPAUTH, CURLAUTH_BASIC);
        curl_easy_setopt(curl.get(), CURLOPT_USERNAME, userBytes.constData());
        curl_easy_setopt(curl.get(), CURLOPT_PASSWORD, passwordBytes.constData());
    }
    const CURLcode code = curl_easy_perform(curl.get());
    if (code != CURLE_OK)
        throw std::runtime_error(std::string("GET ") + address.toStdString() + ": " +
                                 curl_easy_strerror(code));
    curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &reply.status);
    return reply;
}

} // namespace wc::test

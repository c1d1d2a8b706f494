#include "http/Transfer.h"

#include "core/Idle.h"
#include "http/BodyText.h"
#include "http/HttpError.h"

#include <new>

namespace wc::http {
namespace {

void initialiseLibcurl() {
    static const CURLcode result = curl_global_init(CURL_GLOBAL_DEFAULT);
    if (result != CURLE_OK)
        throw HttpError::transport(HttpError::Kind::Sending, result,
                                   QString::fromUtf8(curl_easy_strerror(result)));
}

size_t collectBody(char* data, size_t size, size_t count, void* response) {
    static_cast<Response*>(response)->body.append(data, qsizetype(size * count));
    return size * count;
}

size_t collectHeadLine(char* data, size_t size, size_t count, void* response) {
    addHeadLine(*static_cast<Response*>(response), QByteArrayView(data, qsizetype(size * count)));
    return size * count;
}

// An empty value needs libcurl's "Name;" form: "Name:" would remove the field instead.
HeaderList headerList(const QList<HeaderField>& headers) {
    HeaderList list;
    for (const HeaderField& field : headers) {
        const QByteArray line = field.value.isEmpty() ? field.name + ';' : field.name + ": " + field.value;
        curl_slist* extended = curl_slist_append(list.get(), line.constData());
        if (!extended)
            throw std::bad_alloc();
        (void)list.release();
        list.reset(extended);
    }
    return list;
}

// Keeps the easy handle on the multi handle for one transfer, also when waiting is cut short.
class Attachment {
public:
    Attachment(CURLM* multi, CURL* easy) : multi_(multi), easy_(easy) {
        curl_multi_add_handle(multi_, easy_);
    }
    ~Attachment() { curl_multi_remove_handle(multi_, easy_); }
    Attachment(const Attachment&) = delete;
    Attachment& operator=(const Attachment&) = delete;

private:
    CURLM* multi_;
    CURL* easy_;
};

} // namespace

Transfer::Transfer(Timeouts timeouts, const char* userAgent) {
    initialiseLibcurl();
    easy_.reset(curl_easy_init());
    multi_.reset(curl_multi_init());
    if (!easy_ || !multi_)
        throw std::bad_alloc();
    CURL* easy = easy_.get();
    // An empty cookie file name switches the in-memory cookie engine on without reading a file.
    curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");
    curl_easy_setopt(easy, CURLOPT_USERAGENT, userAgent);
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, long(timeouts.connect.count()));
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, long(timeouts.stall.count()));
#ifdef _WIN32
    // Verify against the Windows certificate store rather than a bundle file.
    curl_easy_setopt(easy, CURLOPT_SSL_OPTIONS, long(CURLSSLOPT_NATIVE_CA));
#endif
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorText_.data());
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, collectBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &received_);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, collectHeadLine);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &received_);
}

Response Transfer::get(const QByteArray& url, const QList<HeaderField>& headers) {
    headers_ = headerList(headers);
    curl_easy_setopt(easy_.get(), CURLOPT_URL, url.constData());
    curl_easy_setopt(easy_.get(), CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(easy_.get(), CURLOPT_HTTPHEADER, headers_.get());
    received_ = Response();
    errorText_[0] = '\0';
    const CURLcode result = perform();
    if (result != CURLE_OK)
        fail(result);
    received_.text = bodyText(received_.body, received_.header("Content-Type"));
    return std::move(received_);
}

CURLcode Transfer::perform() {
    const Attachment attachment(multi_.get(), easy_.get());
    auto lastIdle = std::chrono::steady_clock::now();
    for (;;) {
        int running = 0;
        const CURLMcode multiResult = curl_multi_perform(multi_.get(), &running);
        if (multiResult != CURLM_OK)
            throw HttpError::transport(HttpError::Kind::Sending, multiResult,
                                       QString::fromUtf8(curl_multi_strerror(multiResult)));
        if (running == 0)
            break;
        curl_multi_poll(multi_.get(), nullptr, 0, wc::kIdleSliceMs, nullptr);
        const auto now = std::chrono::steady_clock::now();
        if (now - lastIdle >= std::chrono::milliseconds(wc::kIdleSliceMs)) {
            lastIdle = now;
            wc::idle();
        }
    }
    int queued = 0;
    while (const CURLMsg* message = curl_multi_info_read(multi_.get(), &queued)) {
        if (message->msg == CURLMSG_DONE && message->easy_handle == easy_.get())
            return message->data.result;
    }
    return CURLE_OK;
}

void Transfer::fail(CURLcode code) const {
    // Whatever fails once the request is out is a failure to receive the answer.
    long requestBytes = 0;
    curl_easy_getinfo(easy_.get(), CURLINFO_REQUEST_SIZE, &requestBytes);
    const auto kind = requestBytes > 0 ? HttpError::Kind::Receiving : HttpError::Kind::Sending;
    const QString text =
        QString::fromUtf8(errorText_[0] != '\0' ? errorText_.data() : curl_easy_strerror(code));
    throw HttpError::transport(kind, code, text);
}

} // namespace wc::http

#pragma once

// Owning handles for libcurl objects; internal to the HTTP layer.
#include <curl/curl.h>
#include <memory>

namespace wc::http {

struct CurlEasyCleanup {
    void operator()(CURL* easy) const noexcept { curl_easy_cleanup(easy); }
};
struct CurlMultiCleanup {
    void operator()(CURLM* multi) const noexcept { curl_multi_cleanup(multi); }
};
struct CurlSlistFree {
    void operator()(curl_slist* list) const noexcept { curl_slist_free_all(list); }
};
struct CurlUrlCleanup {
    void operator()(CURLU* url) const noexcept { curl_url_cleanup(url); }
};
struct CurlFree {
    void operator()(char* text) const noexcept { curl_free(text); }
};

using EasyHandle = std::unique_ptr<CURL, CurlEasyCleanup>;
using MultiHandle = std::unique_ptr<CURLM, CurlMultiCleanup>;
using HeaderList = std::unique_ptr<curl_slist, CurlSlistFree>;
using UrlHandle = std::unique_ptr<CURLU, CurlUrlCleanup>;
using CurlText = std::unique_ptr<char, CurlFree>;

} // namespace wc::http

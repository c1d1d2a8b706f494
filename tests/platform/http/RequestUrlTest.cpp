#include "http/RequestUrl.h"
#include "http/HttpError.h"

#include <gtest/gtest.h>

namespace wc::http {
namespace {

struct UrlCase {
    const char* baseUrl;
    const char* expected;
};

class RequestUrlTest : public ::testing::TestWithParam<UrlCase> {};

TEST_P(RequestUrlTest, normalisesBaseUrlAndAppendsResource) {
    EXPECT_EQ(requestUrl(QString::fromUtf8(GetParam().baseUrl), QStringLiteral("orders"), {}),
              QByteArray(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Bases, RequestUrlTest,
    ::testing::Values(UrlCase{"http://shop.example/api/v2", "http://shop.example/api/v2/orders"},
                      UrlCase{"http://shop.example/api/v2/", "http://shop.example/api/v2/orders"},
                      UrlCase{"http://shop.example/api/v2//", "http://shop.example/api/v2/orders"},
                      UrlCase{"http://shop.example/api/v2///", "http://shop.example/api/v2//orders"},
                      UrlCase{"http://shop.example", "http://shop.example/orders"},
                      UrlCase{"  \t shop.example/api \r\n\x01", "http://shop.example/api/orders"},
                      UrlCase{"shop.example:8080/api", "http://shop.example:8080/api/orders"},
                      UrlCase{"HTTPS://shop.example/api", "https://shop.example/api/orders"},
                      UrlCase{"HtTp://shop.example:80/api", "http://shop.example/api/orders"},
                      UrlCase{"https://shop.example:443/api", "https://shop.example/api/orders"},
                      UrlCase{"http://shop.example:443/api", "http://shop.example:443/api/orders"},
                      UrlCase{"https://shop.example:8443/api", "https://shop.example:8443/api/orders"}));

TEST(RequestUrl, appendsQueryInOrderWithValuesUnencoded) {
    const QList<QueryParam> query{{QStringLiteral("include"), QStringLiteral("line_items")},
                                  {QStringLiteral("start"), QStringLiteral("0")},
                                  {QStringLiteral("a b&c"), QStringLiteral("x/y?z=1")}};
    EXPECT_EQ(requestUrl(QStringLiteral("http://shop.example/api"), QStringLiteral("orders"), query),
              QByteArray("http://shop.example/api/orders?include=line_items&start=0&a%20b%26c=x/y?z=1"));
}

TEST(RequestUrl, continuesQueryOfBaseUrlWithAmpersand) {
    const QList<QueryParam> query{{QStringLiteral("start"), QStringLiteral("100")}};
    EXPECT_EQ(requestUrl(QStringLiteral("http://shop.example/api?key=abc"), QStringLiteral("orders"), query),
              QByteArray("http://shop.example/api?key=abc/orders&start=100"));
}

TEST(RequestUrl, refusesBaseUrlThatGivesNoValidUrl) {
    const struct {
        const char* baseUrl;
        const char* message;
    } cases[] = {
        {"", R"(Invalid URL: "/orders")"},
        {"   ", R"(Invalid URL: "/orders")"},
        {"\t\r\n", R"(Invalid URL: "/orders")"},
        {"http://shop example/api", R"(Invalid URL: "http://shop example/api/orders")"},
    };
    for (const auto& c : cases) {
        try {
            requestUrl(QString::fromUtf8(c.baseUrl), QStringLiteral("orders"), {});
            ADD_FAILURE() << "accepted base URL '" << c.baseUrl << "'";
        } catch (const HttpError& error) {
            EXPECT_EQ(error.kind(), HttpError::Kind::InvalidUrl);
            EXPECT_EQ(error.message(), QString::fromUtf8(c.message));
        }
    }
}

TEST(RequestUrl, resolvesRelativeAndAbsoluteLocations) {
    const QByteArray current = "http://shop.example:8080/api/orders?start=0";
    EXPECT_EQ(resolveLocation(current, "next?start=0"),
              QByteArray("http://shop.example:8080/api/next?start=0"));
    EXPECT_EQ(resolveLocation(current, "/v3/orders"), QByteArray("http://shop.example:8080/v3/orders"));
    EXPECT_EQ(resolveLocation(current, "HTTPS://other.example:443/x"), QByteArray("https://other.example/x"));
}

TEST(RequestUrl, comparesOriginsBySchemeHostAndPort) {
    EXPECT_TRUE(sameOrigin("http://shop.example/a", "HTTP://SHOP.example:80/b?c"));
    EXPECT_FALSE(sameOrigin("http://shop.example/a", "https://shop.example/a"));
    EXPECT_FALSE(sameOrigin("http://shop.example/a", "http://shop.example:8080/a"));
    EXPECT_FALSE(sameOrigin("http://shop.example/a", "http://evil.example/a"));
}

} // namespace
} // namespace wc::http

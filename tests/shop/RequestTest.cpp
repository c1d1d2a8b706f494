// The request a shop receives: target, header fields and credential.
#include "ShopFixture.h"

using namespace wc::test;

namespace {

class ShopRequest : public ShopFixture {};

TEST_F(ShopRequest, carriesExactlyTheFixedFieldsAndNoBody) {
    shop.enqueue(Reply::json(morePages()));
    shop.enqueue(Reply::json(lastPage()));

    EXPECT_EQ(fetch("magazin", shop.url("/api/v2"), "api", "secret"), "<none>");

    for (const ReceivedRequest& request : shop.requests()) {
        EXPECT_EQ(request.method, "GET");
        EXPECT_EQ(request.version, "HTTP/1.1");
        const auto count = [&](QByteArrayView name) {
            return std::count_if(request.headers.begin(), request.headers.end(), [&](const HttpField& f) {
                return name.compare(f.name, Qt::CaseInsensitive) == 0;
            });
        };
        EXPECT_EQ(count("Authorization"), 1);
        EXPECT_EQ(request.header("Authorization"), "Basic YXBpOnNlY3JldA==");
        EXPECT_EQ(count("Accept"), 1);
        EXPECT_EQ(request.header("Accept"), "application/json, text/plain; q=0.9, text/html;q=0.8,");
        EXPECT_EQ(count("Accept-Charset"), 1);
        EXPECT_EQ(request.header("Accept-Charset"), "utf-8, *;q=0.8");
        EXPECT_EQ(request.header("User-Agent"), "wCartovia/1.0");
        for (const char* absent : {"Accept-Encoding", "Content-Type", "Content-Length", "Cookie", "Expect"})
            EXPECT_FALSE(request.hasHeader(absent)) << absent;
        EXPECT_TRUE(request.body.isEmpty());
    }
    EXPECT_EQ(target(0), pageTarget(0));
    EXPECT_EQ(target(1), pageTarget(100));
}

struct CredentialCase {
    const char* name;
    QString user;
    QString password;
    QByteArray authorization;
};

class Credential : public ShopFixture, public ::testing::WithParamInterface<CredentialCase> {};

TEST_P(Credential, isBasicOverTheUtf8Bytes) {
    const CredentialCase& c = GetParam();
    shop.enqueue(Reply::json(lastPage()));

    EXPECT_EQ(fetch("magazin", shop.url(), c.user, c.password), "<none>");

    ASSERT_EQ(shop.requests().size(), 1);
    EXPECT_EQ(shop.requests()[0].header("Authorization"), c.authorization);
}

INSTANTIATE_TEST_SUITE_P(
    Credentials, Credential,
    ::testing::Values(CredentialCase{"lettersOutsideAscii", QStringLiteral("vânzări"),
                                     QStringLiteral("Parolă€1"), "Basic dsOibnrEg3JpOlBhcm9sxIPigqwx"},
                      CredentialCase{"emptyUserAndPassword", "", "", "Basic Og=="},
                      CredentialCase{"colonInUser", "a:b", "c", "Basic YTpiOmM="},
                      CredentialCase{"blanksKept", " api ", " secret ", "Basic IGFwaSA6IHNlY3JldCA="},
                      // Long credentials stay on one line.
                      CredentialCase{"long", QString(80, QLatin1Char('x')), "y",
                                     "Basic "
                                     "eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4"
                                     "eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHh4eHg6eQ=="}),
    [](const auto& info) { return std::string(info.param.name); });

struct BaseUrlCase {
    const char* name;
    QString baseUrl; // "%1" stands for the shop server's host and port
};

class BaseUrl : public ShopFixture, public ::testing::WithParamInterface<BaseUrlCase> {};

TEST_P(BaseUrl, givesTheSameRequestTarget) {
    shop.enqueue(Reply::json(lastPage()));
    const QString hostAndPort = QStringLiteral("127.0.0.1:%1").arg(shop.port());

    EXPECT_EQ(fetch("magazin", GetParam().baseUrl.arg(hostAndPort)), "<none>");

    ASSERT_EQ(shop.requests().size(), 1);
    EXPECT_EQ(target(0), pageTarget(0));
}

INSTANTIATE_TEST_SUITE_P(
    BaseUrls, BaseUrl,
    ::testing::Values(
        BaseUrlCase{"plain", "http://%1/api/v2"}, BaseUrlCase{"trailingSlash", "http://%1/api/v2/"},
        BaseUrlCase{"blanksAround", "  \thttp://%1/api/v2 \r\n"}, BaseUrlCase{"noScheme", "%1/api/v2"},
        BaseUrlCase{"upperCaseScheme", "HTTP://%1/api/v2"}, BaseUrlCase{"everythingAtOnce", " %1/api/v2/ "},
        // Only one slash is dropped; the second then stands before "orders".
        BaseUrlCase{"twoTrailingSlashes", "http://%1/api/v2//"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShopRequest, emptyBaseUrlFailsBeforeAnythingIsSent) {
    for (const QString& baseUrl : {QString(), QStringLiteral("  ")}) {
        EXPECT_EQ(fetch("magazin", baseUrl), R"(Invalid URL: "/orders")");
    }
    EXPECT_EQ(shop.connectionsAccepted(), 0);
    EXPECT_TRUE(memo().isEmpty());
    EXPECT_EQ(storedPages(), 0);
}

} // namespace

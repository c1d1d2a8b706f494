#include "ClientFixture.h"

#include "http/HttpError.h"

namespace wc::http::testing {
namespace {

using test::Reply;

class RedirectStatusTest : public ClientTest, public ::testing::WithParamInterface<int> {};

TEST_P(RedirectStatusTest, followsRedirectWithGetAndSameHeaders) {
    server.enqueue(Reply::redirect(GetParam(), "next?start=0"));
    server.enqueue(Reply::json(R"({"page":2})"));
    const Response response = client.get(ordersRequest());

    EXPECT_EQ(response.statusCode, 200);
    EXPECT_EQ(response.text, R"({"page":2})");
    const QList<test::ReceivedRequest> sent = server.requests();
    ASSERT_EQ(sent.size(), 2);
    EXPECT_EQ(sent[1].method, "GET");
    EXPECT_EQ(sent[1].target, "/api/next?start=0");
    for (const char* name : {"Authorization", "Accept", "Accept-Charset", "User-Agent"})
        EXPECT_EQ(sent[1].header(name), sent[0].header(name)) << name;
}

INSTANTIATE_TEST_SUITE_P(Statuses, RedirectStatusTest, ::testing::Values(300, 301, 302, 303, 307, 308));

TEST_F(ClientTest, returnsRedirectWithoutUsableLocationAsFinal) {
    const struct {
        int status;
        QList<test::HttpField> headers;
    } cases[] = {
        {302, {}},
        {301, {{"Location", ""}}},
        {307, {{"Location", "   "}}},
        {304, {{"Location", "/api/next"}}},
        {305, {{"Location", "/api/next"}}},
    };
    for (const auto& c : cases) {
        Reply reply = Reply::withStatus(c.status, "Moved", "moved");
        reply.headers += c.headers;
        server.enqueue(reply);
        const qsizetype before = server.requests().size();
        const Response response = client.get(ordersRequest());
        EXPECT_EQ(response.statusCode, c.status);
        EXPECT_EQ(server.requests().size(), before + 1) << c.status;
    }
}

TEST_F(ClientTest, followsFiveRedirects) {
    client.setBaseUrl(server.url());
    for (int hop = 1; hop <= 5; ++hop)
        server.enqueue(Reply::redirect(301, "/hop/" + QByteArray::number(hop)));
    server.enqueue(Reply::json("{}"));

    EXPECT_EQ(client.get(ordersRequest()).statusCode, 200);
    EXPECT_EQ(server.requests().size(), 6);
    EXPECT_EQ(server.requests().back().target, "/hop/5");
}

TEST_F(ClientTest, failsOnSixthRedirect) {
    for (int hop = 1; hop <= 6; ++hop)
        server.enqueue(Reply::redirect(302, "/hop/" + QByteArray::number(hop)));
    server.enqueue(Reply::json("{}"));

    try {
        client.get(ordersRequest());
        FAIL() << "six redirects were followed";
    } catch (const HttpError& error) {
        EXPECT_EQ(error.kind(), HttpError::Kind::TooManyRedirects);
        EXPECT_EQ(error.message(), "REST request failed: Maximum number of redirections (5) exceeded");
    }
    EXPECT_EQ(server.requests().size(), 6);
}

TEST_F(ClientTest, dropsAuthorizationOnlyWhenRedirectedToAnotherOrigin) {
    const QByteArray otherHost = "http://localhost:" + QByteArray::number(server.port());
    server.enqueue(Reply::redirect(302, "/api/same-origin"));
    server.enqueue(Reply::redirect(302, otherHost + "/api/other-host"));
    server.enqueue(
        Reply::redirect(302, "http://127.0.0.1:" + QByteArray::number(server.port()) + "/api/back"));
    server.enqueue(Reply::json("{}"));
    client.get(ordersRequest());

    const QList<test::ReceivedRequest> sent = server.requests();
    ASSERT_EQ(sent.size(), 4);
    EXPECT_EQ(sent[1].header("Authorization"), "Basic dXNlcjpwYXNz");
    EXPECT_FALSE(sent[2].hasHeader("Authorization"));
    EXPECT_EQ(sent[2].header("Accept"), "application/json, text/plain; q=0.9, text/html;q=0.8,");
    EXPECT_EQ(sent[3].header("Authorization"), "Basic dXNlcjpwYXNz");
}

} // namespace
} // namespace wc::http::testing

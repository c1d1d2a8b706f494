#include "ClientFixture.h"

#include "core/Idle.h"

#include <QThread>
#include <algorithm>

namespace wc::http::testing {
namespace {

using test::Reply;

QList<QByteArray> sortedNames(const QList<test::HttpField>& fields) {
    QList<QByteArray> names;
    for (const auto& field : fields)
        names.append(field.name.toLower());
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(ClientTest, sendsRequestExactlyAsBuilt) {
    server.enqueue(Reply::json("{}"));
    client.get(ordersRequest());

    ASSERT_EQ(server.requests().size(), 1);
    const test::ReceivedRequest sent = server.requests().front();
    EXPECT_EQ(sent.method, "GET");
    EXPECT_EQ(sent.target, kOrdersTarget);
    EXPECT_EQ(sent.version, "HTTP/1.1");
    EXPECT_EQ(sent.header("Authorization"), "Basic dXNlcjpwYXNz");
    EXPECT_EQ(sent.header("Accept"), "application/json, text/plain; q=0.9, text/html;q=0.8,");
    EXPECT_EQ(sent.header("Accept-Charset"), "utf-8, *;q=0.8");
    EXPECT_EQ(sent.header("User-Agent"), Client::kUserAgent);
    EXPECT_EQ(sent.header("Host"), QByteArray("127.0.0.1:") + QByteArray::number(server.port()));
    // Nothing else: no Accept-Encoding, Expect, Content-Type, body or second Accept.
    EXPECT_EQ(sortedNames(sent.headers),
              (QList<QByteArray>{"accept", "accept-charset", "authorization", "host", "user-agent"}));
    EXPECT_TRUE(sent.body.isEmpty());
}

TEST_F(ClientTest, sendsEmptyHeaderValueAsEmpty) {
    server.enqueue(Reply::json("{}"));
    client.get(ordersRequest(""));

    const test::ReceivedRequest sent = server.requests().front();
    EXPECT_TRUE(sent.hasHeader("Authorization"));
    EXPECT_EQ(sent.header("Authorization"), "");
}

TEST_F(ClientTest, returnsFinalResponseAsValue) {
    server.enqueue(Reply::json(R"({"data":[]})").with("X-Shop", "  spaced  value "));
    const Response response = client.get(ordersRequest());

    EXPECT_EQ(response.statusCode, 200);
    EXPECT_EQ(response.protocolVersion, "HTTP/1.1");
    EXPECT_EQ(response.reasonPhrase, "OK");
    EXPECT_EQ(response.body, R"({"data":[]})");
    EXPECT_EQ(response.text, R"({"data":[]})");
    EXPECT_EQ(response.contentType(), "application/json; charset=utf-8");
    EXPECT_EQ(response.header("x-shop"), "spaced  value");
}

struct StatusCase {
    const char* statusLine;
    int code;
    const char* version;
    const char* reason;
    const char* shown;
};

class StatusLineTest : public ClientTest, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(StatusLineTest, keepsProtocolCodeAndReasonPhrase) {
    server.enqueue(Reply::rawBytes(QByteArray(GetParam().statusLine) +
                                   "\r\nContent-Length: 4\r\nConnection: close\r\n\r\nbody"));
    const Response response = client.get(ordersRequest());

    EXPECT_EQ(response.statusCode, GetParam().code);
    EXPECT_EQ(response.protocolVersion, GetParam().version);
    EXPECT_EQ(response.reasonPhrase, GetParam().reason);
    EXPECT_EQ(response.statusLine(), GetParam().shown);
    EXPECT_EQ(response.text, "body");
}

INSTANTIATE_TEST_SUITE_P(
    Lines, StatusLineTest,
    ::testing::Values(StatusCase{"HTTP/1.1 503 Service Unavailable", 503, "HTTP/1.1", "Service Unavailable",
                                 "HTTP/1.1 503 Service Unavailable"},
                      StatusCase{"HTTP/1.1 599 Shop asleep, try later", 599, "HTTP/1.1",
                                 "Shop asleep, try later", "HTTP/1.1 599 Shop asleep, try later"},
                      StatusCase{"HTTP/1.0 500 Internal Server Error", 500, "HTTP/1.0",
                                 "Internal Server Error", "HTTP/1.0 500 Internal Server Error"},
                      StatusCase{"HTTP/1.1 404 Not Found", 404, "HTTP/1.1", "Not Found",
                                 "HTTP/1.1 404 Not Found"},
                      StatusCase{"HTTP/1.1 502", 502, "HTTP/1.1", "", "HTTP/1.1 502 "}));

TEST_F(ClientTest, keepsOnlyLastResponseHeadAfterInterimResponse) {
    server.enqueue(Reply::rawBytes("HTTP/1.1 100 Continue\r\nX-Interim: yes\r\n\r\n"
                                   "HTTP/1.1 201 Created\r\nContent-Length: 0\r\nConnection: close\r\n\r\n"));
    const Response response = client.get(ordersRequest());

    EXPECT_EQ(response.statusLine(), "HTTP/1.1 201 Created");
    EXPECT_TRUE(response.header("X-Interim").isEmpty());
}

TEST_F(ClientTest, readsChunkedBody) {
    server.enqueue(Reply::rawBytes("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n"
                                   "Transfer-Encoding: chunked\r\n\r\n4\r\n{\"a\"\r\n3\r\n:1}\r\n0\r\n\r\n"));
    EXPECT_EQ(client.get(ordersRequest()).text, R"({"a":1})");
}

TEST_F(ClientTest, decodesBodyByResponseCharsetAndKeepsRawBytes) {
    const struct {
        QByteArray contentType;
        QByteArray body;
        QString text;
    } cases[] = {
        {"text/plain; charset=iso-8859-1", "caf\xe9", QStringLiteral("caf\u00e9")},
        {"application/json; charset=x-unknown", "\xc8\x98", QStringLiteral("\u0218")},
        {"", "\xc8\x98", QStringLiteral("\u0218")},
        {"application/octet-stream", "{}", QString()},
    };
    for (const auto& c : cases) {
        Reply reply;
        reply.body = c.body;
        if (!c.contentType.isEmpty())
            reply.headers = {{"Content-Type", c.contentType}};
        server.enqueue(reply);
        const Response response = client.get(ordersRequest());
        EXPECT_EQ(response.text, c.text) << c.contentType.constData();
        EXPECT_EQ(response.body, c.body) << c.contentType.constData();
    }
}

TEST_F(ClientTest, sendsCookieSetByOneRequestOnLaterRequestsToSameHost) {
    test::HttpServer otherShop([](const test::ReceivedRequest&) { return Reply::json("{}"); });
    server.enqueue(Reply::json("{}").with("Set-Cookie", "session=abc123; Path=/"));
    server.enqueue(Reply::json("{}"));

    client.get(ordersRequest());
    client.get(ordersRequest());
    client.setBaseUrl(otherShop.url(QStringLiteral("/other/api/")));
    client.get(ordersRequest());

    EXPECT_FALSE(server.requests()[0].hasHeader("Cookie"));
    EXPECT_EQ(server.requests()[1].header("Cookie"), "session=abc123");
    EXPECT_EQ(otherShop.requests()[0].header("Cookie"), "session=abc123");
}

TEST_F(ClientTest, keepsConnectionOpenAcrossRequests) {
    for (int page = 0; page < 3; ++page) {
        server.enqueue(Reply::json("{}"));
        client.get(ordersRequest());
    }
    EXPECT_EQ(server.connectionsAccepted(), 1);
}

class SlowServerTest : public ClientTest {
protected:
    SlowServerTest()
        : ClientTest([](const test::ReceivedRequest&) {
              QThread::msleep(400);
              return Reply::json("{}");
          }) {}
    ~SlowServerTest() override { wc::setIdleHook({}); }
};

TEST_F(SlowServerTest, callsIdleHookWhileWaiting) {
    int idleCalls = 0;
    wc::setIdleHook([&idleCalls] { ++idleCalls; });
    client.get(ordersRequest());
    // About every idle slice of the 400 ms wait, allowing for a busy machine.
    EXPECT_GE(idleCalls, 3);
    EXPECT_LE(idleCalls, 400 / wc::kIdleSliceMs + 2);
}

} // namespace
} // namespace wc::http::testing

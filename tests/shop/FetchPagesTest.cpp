// One shop's retrieval: paging by offset, what is stored, the progress lines, and how each
// kind of failure ends it.
#include "ShopFixture.h"

using namespace wc::test;

namespace {

class FetchPages : public ShopFixture {};

TEST_F(FetchPages, singlePageIsOneRequestOneStoredPage) {
    shop.enqueue(Reply::json(page("null", R"([{"id":7,"number":"A-7"}])")));

    EXPECT_EQ(fetch("magazin-unu"), "<none>");

    ASSERT_EQ(shop.requests().size(), 1);
    EXPECT_EQ(target(0), pageTarget(0));
    EXPECT_EQ(memoShapes(), QStringList({"Incepe", "Sfarsit"}));
    EXPECT_EQ(storedSites(), "magazin-unu");
    EXPECT_EQ(storedPage(1), QString::fromUtf8(page("null", R"([{"id":7,"number":"A-7"}])")));
}

TEST_F(FetchPages, threePagesAreAskedByOffsetAndStoredUnchanged) {
    // Blanks, escapes and letters outside ASCII must reach the database exactly as sent.
    const QList<QByteArray> bodies{
        "{ \"data\" : [ {\"id\":1, \"client\":\"Ioana \xC8\x98tef\xC4\x83nescu\"} ],\n  "
        "\"meta\":{\"links\":{\"next\":\"p2\"}} }",
        R"({"data":[{"id":2,"note":"\u0103\u00ee\t\"x\""}],"meta":{"links":{"next":"p3"},"total":3}})",
        "{\"data\":[{\"id\":3,\"pret\":1.50e2}],\"meta\":{\"links\":{\"next\":null}}}\r\n",
    };
    for (const QByteArray& body : bodies)
        shop.enqueue(Reply::json(body));

    EXPECT_EQ(fetch(), "<none>");

    ASSERT_EQ(shop.requests().size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(target(i), pageTarget(100 * i));
        EXPECT_EQ(storedPage(i + 1), QString::fromUtf8(bodies[i])) << "page " << i;
    }
    EXPECT_EQ(storedPages(), 3);
    EXPECT_EQ(memoShapes(), QStringList({"Incepe", "Incepe", "Incepe", "Sfarsit"}));
}

TEST_F(FetchPages, storesEveryPageOverAConnectionOfItsOwn) {
    for (int i = 0; i < 2; ++i) {
        shop.enqueue(Reply::json(morePages()));
        shop.enqueue(Reply::json(morePages()));
        shop.enqueue(Reply::json(lastPage()));

        EXPECT_EQ(fetch("magazin-" + QString::number(i)), "<none>");

        EXPECT_FALSE(dmCon->conZel.isConnected());
    }
    EXPECT_EQ(
        database.scalar("select string_agg(n::text, ',') from (select count(distinct sesiune) n from pagini "
                        "group by nume_site order by nume_site) s"),
        "3,3");
}

TEST_F(FetchPages, pageWithoutOrdersIsStillStored) {
    shop.enqueue(Reply::json(morePages()));
    shop.enqueue(Reply::json(lastPage()));

    EXPECT_EQ(fetch(), "<none>");

    EXPECT_EQ(storedPages(), 2);
    EXPECT_EQ(storedPage(2), QString::fromUtf8(lastPage()));
}

// Any value but the literal null means another page follows; the link itself is never used.
TEST_F(FetchPages, everyNextButNullAsksForTheFollowingOffset) {
    const QByteArray elsewhere = '"' + shop.url("/elsewhere/orders?start=999").toUtf8() + '"';
    for (const QByteArray& next : {QByteArray(R"("")"), QByteArray("false"), QByteArray("0"), elsewhere,
                                   QByteArray("{}"), QByteArray("[]"), QByteArray(R"("null")")}) {
        SCOPED_TRACE(next.toStdString());
        const qsizetype before = shop.requests().size();
        shop.enqueue(Reply::json(page(next)));
        shop.enqueue(Reply::json(lastPage()));

        EXPECT_EQ(fetch(), "<none>");

        ASSERT_EQ(shop.requests().size(), before + 2);
        EXPECT_EQ(target(int(before)), pageTarget(0));
        EXPECT_EQ(target(int(before) + 1), pageTarget(100));
    }
}

struct StatusCase {
    int status;
    QByteArray reason;
    QByteArray body;
    QString failure;
};

class FailingStatus : public ShopFixture, public ::testing::WithParamInterface<StatusCase> {};

// The second page fails: the first stays stored, and the failed one writes no line.
TEST_P(FailingStatus, endsTheRetrievalAfterTheStoredPages) {
    const StatusCase& c = GetParam();
    shop.enqueue(Reply::json(morePages()));
    shop.enqueue(Reply::withStatus(c.status, c.reason, c.body));

    EXPECT_EQ(fetch(), c.failure);

    EXPECT_EQ(shop.requests().size(), 2);
    EXPECT_EQ(storedPages(), 1);
    EXPECT_EQ(memoShapes(), QStringList{"Incepe"});
    EXPECT_FALSE(dmCon->conZel.isConnected());
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, FailingStatus,
    ::testing::Values(
        StatusCase{
            401, "Unauthorized", R"({"error":"Cheie API invalida"})",
            R"((getOrdersByCreatedAfter) EROARE! StatusCode = 401, Content = {"error":"Cheie API invalida"})"},
        StatusCase{404, "Not Found", "Pagina nu exista",
                   "(getOrdersByCreatedAfter) EROARE! StatusCode = 404, Content = Pagina nu exista"},
        StatusCase{204, "No Content", "", "(getOrdersByCreatedAfter) EROARE! StatusCode = 204, Content = "},
        StatusCase{201, "Created", "{}", "(getOrdersByCreatedAfter) EROARE! StatusCode = 201, Content = {}"},
        // A redirect status without a Location is the final answer.
        StatusCase{302, "Found", "", "(getOrdersByCreatedAfter) EROARE! StatusCode = 302, Content = "},
        StatusCase{503, "Service Unavailable", "in mentenanta", "HTTP/1.1 503 Service Unavailable"},
        StatusCase{500, "Internal Server Error", "stack trace", "HTTP/1.1 500 Internal Server Error"}));

TEST_F(FetchPages, followsFiveRedirectsWithGetAndCredentials) {
    shop.enqueue(Reply::redirect(301, "/v3/a"));
    shop.enqueue(Reply::redirect(302, "/v3/b"));
    shop.enqueue(Reply::redirect(303, "/v3/c"));
    shop.enqueue(Reply::redirect(307, "/v3/d"));
    shop.enqueue(Reply::redirect(308, "/v3/orders?start=0"));
    shop.enqueue(Reply::json(lastPage()));

    EXPECT_EQ(fetch(), "<none>");

    const QList<ReceivedRequest> requests = shop.requests();
    ASSERT_EQ(requests.size(), 6);
    EXPECT_EQ(requests.last().target, "/v3/orders?start=0");
    EXPECT_EQ(requests.last().method, "GET");
    EXPECT_EQ(requests.last().header("Authorization"), requests.first().header("Authorization"));
    EXPECT_EQ(storedPages(), 1);
    EXPECT_EQ(memoShapes(), QStringList({"Incepe", "Sfarsit"}));
}

TEST_F(FetchPages, sixthRedirectFailsBeforeAnyLine) {
    for (int i = 0; i < 6; ++i)
        shop.enqueue(Reply::redirect(302, "/api/v2/orders?hop=" + QByteArray::number(i)));

    EXPECT_EQ(fetch(), "REST request failed: Maximum number of redirections (5) exceeded");

    EXPECT_EQ(shop.requests().size(), 6);
    EXPECT_TRUE(memo().isEmpty());
    EXPECT_EQ(storedPages(), 0);
}

TEST_F(FetchPages, cookieOfOneShopGoesWithTheNextShopsRequest) {
    shop.enqueue(Reply::json(lastPage()).with("Set-Cookie", "sesiune=abc123; Path=/"));
    shop.enqueue(Reply::json(lastPage()));

    EXPECT_EQ(fetch("magazin-a"), "<none>");
    EXPECT_EQ(fetch("magazin-b"), "<none>");

    const QList<ReceivedRequest> requests = shop.requests();
    ASSERT_EQ(requests.size(), 2);
    EXPECT_FALSE(requests[0].hasHeader("Cookie"));
    EXPECT_EQ(requests[1].header("Cookie"), "sesiune=abc123");
}

TEST_F(FetchPages, stalledShopFailsAfterTheTimeOut) {
    TfProc_Cartovia quick(nullptr,
                          wc::http::Timeouts{std::chrono::milliseconds(2000), std::chrono::seconds(1)});
    quick.bindToDataModule(*dmCon);
    shop.enqueue(Reply::withFault(Reply::Fault::StallBeforeReply));

    const QString failure =
        failureOf([&] { quick.getOrdersByCreatedAfter("magazin", shop.url(), "api", "secret"); });

    EXPECT_TRUE(failure.startsWith("REST request failed: Error receiving data: (28) "))
        << failure.toStdString();
    EXPECT_TRUE(memo().isEmpty());
    EXPECT_EQ(storedPages(), 0);
}

TEST_F(FetchPages, unreachableShopFailsWhileSending) {
    const QString closedPort = QStringLiteral("http://127.0.0.1:1/api");

    const QString failure = fetch("magazin", closedPort);

    EXPECT_TRUE(failure.startsWith("REST request failed: Error sending data: (7) ")) << failure.toStdString();
    EXPECT_TRUE(memo().isEmpty());
}

class FetchIntoOrderLog : public ShopFixture {
protected:
    FetchIntoOrderLog() : ShopFixture(PageLog::Real) {}
};

TEST_F(FetchIntoOrderLog, refusalOfTheDatabaseEndsTheRetrievalWithItsText) {
    shop.enqueue(
        Reply::json(page(R"("p2")", R"([{"id":1,"number":"A-1","date_created":"2026-03-01T10:00:00"}])")));
    shop.enqueue(Reply::json(R"({"comenzi":[],"meta":{"links":{"next":null}}})"));

    const QString failure = fetch();

    EXPECT_TRUE(
        failure.contains(R"(Pagina primita de la site-ul magazin nu contine lista de comenzi "data")"))
        << failure.toStdString();
    EXPECT_EQ(database.scalar("select string_agg(nr_doc_site, ',') from log_cartovia"), "A-1");
    EXPECT_EQ(memoShapes(), QStringList({"Incepe", "Incepe"}));
}

} // namespace

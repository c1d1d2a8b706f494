// The demo shop server: paging, authentication per shop and the checks on the query.
#include "HttpGet.h"
#include "ShopServerProcess.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>

using namespace wc::test;
using ::testing::HasSubstr;

namespace {

class ShopServer : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        shop = std::make_unique<ShopServerProcess>(ShopServerProcess::Options{230, {}});
    }
    static void TearDownTestSuite() { shop.reset(); }

    static QJsonObject getPage(int start, int limit = 100) {
        const HttpReply reply = httpGet(shop->pageUrl("magazin-1", start, limit), "cartovia1", "Parola-M1");
        EXPECT_EQ(reply.status, 200) << reply.body.toStdString();
        return QJsonDocument::fromJson(reply.body).object();
    }

    static inline std::unique_ptr<ShopServerProcess> shop;
};

TEST_F(ShopServer, pagesFollowStartAndLimitUntilNextIsNull) {
    QSet<qint64> ids;
    QString lastCreated;
    const struct {
        int start;
        int count;
        bool more;
    } pages[] = {{0, 100, true}, {100, 100, true}, {200, 30, false}};
    for (const auto& expected : pages) {
        const QJsonObject page = getPage(expected.start);
        const QJsonArray orders = page["data"].toArray();
        EXPECT_EQ(orders.size(), expected.count) << "start " << expected.start;
        const QJsonValue next = page["meta"]["links"]["next"];
        if (expected.more) {
            EXPECT_THAT(next.toString().toStdString(),
                        HasSubstr(QString("&start=%1&limit=100").arg(expected.start + 100).toStdString()));
        } else {
            EXPECT_TRUE(next.isNull());
        }
        EXPECT_EQ(page["meta"]["pagination"]["total"].toInt(), 230);
        for (const QJsonValue order : orders) {
            ids.insert(order["id"].toInteger());
            const QString created = order["date_created"].toString();
            EXPECT_LT(lastCreated, created) << "orders come sorted by date_created";
            lastCreated = created;
        }
    }
    EXPECT_EQ(ids.size(), 230);
}

TEST_F(ShopServer, pageBeyondTheLastOrderIsEmptyWithNullNext) {
    const QJsonObject page = getPage(300);
    EXPECT_TRUE(page["data"].toArray().isEmpty());
    EXPECT_TRUE(page["meta"]["links"]["next"].isNull());
}

TEST_F(ShopServer, ordersCarryTheContentTheImportNeeds) {
    int withoutCustomer = 0, unknownProducts = 0;
    for (int start = 0; start < 230; start += 100) {
        for (const QJsonValue order : getPage(start)["data"].toArray()) {
            EXPECT_FALSE(order["number"].toString().isEmpty());
            EXPECT_FALSE(order["line_items"].toArray().isEmpty());
            withoutCustomer += order["customer"].isNull();
            for (const QJsonValue item : order["line_items"].toArray()) {
                EXPECT_GT(item["quantity"].toInt(), 0);
                unknownProducts +=
                    item["sku"].toString().endsWith("-999") || item["sku"].toString().endsWith("-404");
            }
        }
    }
    EXPECT_EQ(withoutCustomer, 1);
    EXPECT_GE(unknownProducts, 3);
}

TEST_F(ShopServer, bodyIsUtf8WithRomanianLetters) {
    const HttpReply reply = httpGet(shop->pageUrl("magazin-1", 0), "cartovia1", "Parola-M1");
    EXPECT_THAT(reply.headers.toStdString(), HasSubstr("application/json; charset=utf-8"));
    const QString body = QString::fromUtf8(reply.body);
    EXPECT_TRUE(body.contains(QChar(0x0163)) || body.contains(QChar(0x015F))) << "ţ or ş sent as letters";
}

struct Credentials {
    const char* name;
    const char* shop;
    QString user;
    QString password;
    long status;
};

class ShopServerAuthentication : public ShopServer, public ::testing::WithParamInterface<Credentials> {};

TEST_P(ShopServerAuthentication, answersByTheShopsOwnCredentials) {
    const Credentials& c = GetParam();
    const HttpReply reply = httpGet(shop->pageUrl(c.shop, 0), c.user, c.password);
    EXPECT_EQ(reply.status, c.status);
    if (c.status == 401) {
        EXPECT_THAT(reply.headers.toStdString(), HasSubstr("WWW-Authenticate: Basic"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    ShopServer, ShopServerAuthentication,
    ::testing::Values(Credentials{"right", "magazin-2", "cartovia2", "Parola-M2", 200},
                      Credentials{"wrongPassword", "magazin-3", "cartovia3", "parola-veche", 401},
                      Credentials{"otherShops", "magazin-2", "cartovia1", "Parola-M1", 401},
                      Credentials{"none", "magazin-1", "", "", 401},
                      Credentials{"passwordCase", "magazin-1", "cartovia1", "parola-m1", 401}),
    [](const auto& info) { return info.param.name; });

struct BadQuery {
    const char* name;
    const char* query;
};

class ShopServerQuery : public ShopServer, public ::testing::WithParamInterface<BadQuery> {};

TEST_P(ShopServerQuery, refusesQueryThatDiffersFromTheClients) {
    const HttpReply reply =
        httpGet(shop->baseUrl("magazin-1") + "/orders?" + GetParam().query, "cartovia1", "Parola-M1");
    EXPECT_EQ(reply.status, 400) << reply.body.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    ShopServer, ShopServerQuery,
    ::testing::Values(
        BadQuery{"include", "include=customer&sort=date_created&shipping_status=awaiting&start=0&limit=100"},
        BadQuery{"sort", "include=line_items&sort=id&shipping_status=awaiting&start=0&limit=100"},
        BadQuery{"shippingStatus",
                 "include=line_items&sort=date_created&shipping_status=shipped&start=0&limit=100"},
        BadQuery{"negativeStart",
                 "include=line_items&sort=date_created&shipping_status=awaiting&start=-100&limit=100"},
        BadQuery{"textStart",
                 "include=line_items&sort=date_created&shipping_status=awaiting&start=abc&limit=100"},
        BadQuery{"zeroLimit",
                 "include=line_items&sort=date_created&shipping_status=awaiting&start=0&limit=0"},
        BadQuery{"hugeLimit",
                 "include=line_items&sort=date_created&shipping_status=awaiting&start=0&limit=1000"},
        BadQuery{"missingLimit", "include=line_items&sort=date_created&shipping_status=awaiting&start=0"},
        BadQuery{"repeated",
                 "include=line_items&sort=date_created&shipping_status=awaiting&start=0&start=0&limit=100"},
        BadQuery{"unknown",
                 "include=line_items&sort=date_created&shipping_status=awaiting&start=0&limit=100&after=1"}),
    [](const auto& info) { return info.param.name; });

TEST_F(ShopServer, unknownShopOrPathIsNotFound) {
    EXPECT_EQ(httpGet(shop->pageUrl("magazin-9", 0), "cartovia1", "Parola-M1").status, 404);
    EXPECT_EQ(httpGet(shop->baseUrl("magazin-1") + "/products", "cartovia1", "Parola-M1").status, 404);
    EXPECT_EQ(httpGet(shop->baseUrl("magazin-1") + "//orders", "cartovia1", "Parola-M1").status, 404);
}

TEST(ShopServerOptions, sameOptionsServeTheSameOrders) {
    ShopServerProcess first({.orders = 20, .shops = {}});
    ShopServerProcess second({.orders = 20, .shops = {}});
    const auto data = [](const ShopServerProcess& shop) {
        return QJsonDocument::fromJson(
            httpGet(shop.pageUrl("magazin-2", 0), "cartovia2", "Parola-M2").body)["data"];
    };
    EXPECT_EQ(data(first), data(second));
}

TEST(ShopServerOptions, servesTheChosenShopsAndSize) {
    ShopServerProcess shop({.orders = 5, .shops = {"bench:u:p:with:colons"}});
    const HttpReply reply = httpGet(shop.pageUrl("bench", 0), "u", "p:with:colons");
    ASSERT_EQ(reply.status, 200);
    const QJsonDocument page = QJsonDocument::fromJson(reply.body);
    EXPECT_EQ(page["data"].toArray().size(), 5);
    EXPECT_TRUE(page["meta"]["links"]["next"].isNull());
    EXPECT_EQ(httpGet(shop.pageUrl("magazin-1", 0), "cartovia1", "Parola-M1").status, 404);
}

} // namespace

// "Preia comenzi din site": every configured shop in name order, through the button.
#include "ShopFixture.h"
#include "core/Idle.h"

#include <QApplication>

using namespace wc::test;

namespace {

class FetchAllShops : public ShopFixture {
protected:
    explicit FetchAllShops(PageLog log = PageLog::Recorded) : ShopFixture(log) {}

    void TearDown() override {
        wc::setIdleHook(nullptr);
        ShopFixture::TearDown();
    }

    // A configured shop whose REST API lives below /<site> on the test server.
    void configure(const QString& site, const QString& user = QStringLiteral("api"),
                   const QString& passwordLiteral = QStringLiteral("'secret'")) {
        database.exec(
            QStringLiteral("insert into config_cartovia (nume_site, base_url, user_name, pass, zel_emitent, "
                           "zel_serie_cmd_c) values ('%1', '%2', '%3', %4, 'FIRMA', 'CMDW')")
                .arg(site, shop.url("/" + site), user, passwordLiteral));
    }
    void press() { QTest::mouseClick(fCartoviaImportCmdC->ButtonPreiaCmdSite, Qt::LeftButton); }
    void search() { QTest::mouseClick(fCartoviaImportCmdC->ButtonCauta, Qt::LeftButton); }
    TfCartoviaImportCmdC& window() { return *fCartoviaImportCmdC; }

    static QByteArray targetOf(const QString& site, int start) {
        return "/" + site.toUtf8() +
               "/orders?include=line_items&sort=date_created&shipping_status=awaiting&start=" +
               QByteArray::number(start) + "&limit=100";
    }
    QList<QByteArray> targets() const {
        QList<QByteArray> result;
        for (const ReceivedRequest& request : shop.requests())
            result << request.target;
        return result;
    }
};

TEST_F(FetchAllShops, withoutShopsSaysSoAndLeavesAnEmptyMemo) {
    window().Memo1->addLine("Comanda a fost importata.");

    press();

    EXPECT_EQ(errors, QStringList{"Nu aveti niciun site confirgurat."});
    EXPECT_TRUE(window().Memo1->lines().isEmpty());
    EXPECT_TRUE(shop.requests().isEmpty());
}

TEST_F(FetchAllShops, fetchesShopsInNameOrderWithTheirLinesOneAfterTheOther) {
    configure("beta", "u", "null");
    configure("alfa");
    shop.enqueue(Reply::json(morePages()));
    shop.enqueue(Reply::json(lastPage()));
    shop.enqueue(Reply::json(lastPage()));

    press();

    EXPECT_TRUE(errors.isEmpty()) << errors.join('|').toStdString();
    EXPECT_EQ(targets(),
              QList<QByteArray>({targetOf("alfa", 0), targetOf("alfa", 100), targetOf("beta", 0)}));
    // A password that is NULL reads as the empty text.
    EXPECT_EQ(shop.requests().value(2).header("Authorization"), "Basic dTo=");
    EXPECT_EQ(storedSites(), "alfa,alfa,beta");
    // Nothing between the shops' lines names a shop.
    EXPECT_EQ(memoShapes(), QStringList({"Incepe", "Incepe", "Sfarsit", "Incepe", "Sfarsit"}));
}

TEST_F(FetchAllShops, failingShopEndsThePressAndKeepsWhatCameBefore) {
    configure("c-magazin");
    configure("a-magazin");
    configure("b-magazin");
    search();
    // A row that a re-read of the open log would show.
    database.exec("insert into log_cartovia (nume_site, id_doc_site, nr_doc_site) values ('x', 1, 'X-1')");
    shop.enqueue(Reply::json(lastPage()));
    shop.enqueue(Reply::withStatus(401, "Unauthorized", "Cheie API invalida"));

    press();

    EXPECT_EQ(
        errors,
        QStringList{"(getOrdersByCreatedAfter) EROARE! StatusCode = 401, Content = Cheie API invalida."});
    EXPECT_EQ(targets(), QList<QByteArray>({targetOf("a-magazin", 0), targetOf("b-magazin", 0)}));
    EXPECT_EQ(storedSites(), "a-magazin");
    EXPECT_EQ(memoShapes(), QStringList({"Incepe", "Sfarsit"}));
    EXPECT_TRUE(window().dsLogCartovia.isOpen());
    EXPECT_EQ(window().dsLogCartovia.recordCount(), 0);
}

TEST_F(FetchAllShops, showsEachLineWhileTheBusyPressGoesOn) {
    configure("alfa");
    shop.enqueue(Reply::json(morePages()));
    shop.enqueue(Reply::json(lastPage()));
    QList<int> linesSeen;
    QList<Qt::CursorShape> cursors;
    wc::setIdleHook([&] {
        linesSeen << int(window().Memo1->lines().size());
        const QCursor* cursor = QApplication::overrideCursor();
        cursors << (cursor ? cursor->shape() : Qt::ArrowCursor);
    });

    press();

    EXPECT_TRUE(errors.isEmpty()) << errors.join('|').toStdString();
    EXPECT_TRUE(linesSeen.contains(1) && linesSeen.contains(2) && linesSeen.contains(3));
    EXPECT_FALSE(cursors.isEmpty());
    EXPECT_EQ(cursors.count(Qt::WaitCursor), cursors.size());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

class FetchAllShopsIntoOrderLog : public FetchAllShops {
protected:
    FetchAllShopsIntoOrderLog() : FetchAllShops(PageLog::Real) {}

    static QByteArray ordersPage(std::initializer_list<int> ids) {
        QByteArray orders = "[";
        for (const int id : ids) {
            if (orders.size() > 1)
                orders += ',';
            orders += R"({"id":)" + QByteArray::number(id) + R"(,"number":"A-)" + QByteArray::number(id) +
                      R"(","date_created":"2026-03-01T10:00:00+02:00"})";
        }
        return page("null", orders + "]");
    }
};

TEST_F(FetchAllShopsIntoOrderLog, pressBeforeSearchStoresButLeavesTheGridEmpty) {
    configure("alfa");
    shop.enqueue(Reply::json(ordersPage({10, 20})));

    press();

    EXPECT_TRUE(errors.isEmpty()) << errors.join('|').toStdString();
    EXPECT_EQ(database.scalar("select count(*) from log_cartovia"), "2");
    EXPECT_FALSE(window().dsLogCartovia.isOpen());
    EXPECT_EQ(window().dsouLogCartovia.rowCount(), 0);
}

TEST_F(FetchAllShopsIntoOrderLog, pressAfterSearchReReadsAndKeepsCurrentOrder) {
    configure("alfa");
    shop.enqueue(Reply::json(ordersPage({10, 20, 30})));
    press();
    search();
    window().dsLogCartovia.setRecNo(1);
    ASSERT_EQ(window().dsLogCartoviaid_doc_site.asLargeInt(), 20);
    shop.enqueue(Reply::json(ordersPage({5, 10, 20, 30})));

    press();

    EXPECT_TRUE(errors.isEmpty()) << errors.join('|').toStdString();
    EXPECT_EQ(window().dsLogCartovia.recordCount(), 4);
    EXPECT_EQ(window().dsLogCartoviaid_doc_site.asLargeInt(), 20);
    EXPECT_EQ(window().dsLogCartovia.recNo(), 2);
}

} // namespace

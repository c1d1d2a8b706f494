// The demo ERP's stored functions and view, run on a real server: storing shop pages in the
// order log and turning logged orders into customer orders.
#include "HttpGet.h"
#include "ShopServerProcess.h"
#include "support/TestDatabase.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace wc::test;
using ::testing::HasSubstr;

namespace {

const QString kCustomer = R"({"first_name":"Ştefan","last_name":"Pîrvu","email":"Stefan.Pirvu@example.ro",
    "phone":"0722123456","address":{"street":"Str. Libertăţii nr. 4","city":"Piteşti","county":"Argeş",
    "postcode":"110014","country":"RO"}})";
const QString kTwoKnownItems = R"([{"sku":"CAF-001","name":"Cafea","quantity":2,"price":"89.90"},
    {"sku":"CEA-002","name":"Ceai de tei","quantity":1,"price":"12.00"}])";

QString order(qint64 id, const QString& customer = kCustomer, const QString& items = kTwoKnownItems) {
    return QString(R"({"id":%1,"number":"CV-%1","date_created":"2026-03-14T23:30:00+02:00",
        "status":"processing","customer":%2,"line_items":%3,"total":"191.80"})")
        .arg(id)
        .arg(customer, items);
}

QString page(const QStringList& orders) {
    return R"({"data":[)" + orders.join(',') + R"(],"meta":{"links":{"next":null}}})";
}

class ErpFunctions : public ::testing::Test {
protected:
    ErpFunctions() {
        db.exec(R"(
            insert into articol (cod_articol, articol, pret) values
                ('CAF-001', 'Cafea boabe Brazilia Santos 1 kg', 89.90),
                ('CEA-002', 'Ceai de tei din Ţara Haţegului 50 g', 12.00);
            insert into config_cartovia values ('magazin-1', 'http://127.0.0.1/magazin-1', 'u', 'p', 'ana', 'WEB1');
        )");
    }

    void storePage(const QString& json, const QString& site = "magazin-1") {
        db.exec("select * from o_cartovia_log_ins($s$" + site + "$s$, $page$" + json + "$page$)");
    }
    // The server's error text of a statement, empty when it succeeds.
    QString errorOf(const QString& sql) {
        try {
            db.exec(sql);
        } catch (const std::runtime_error& error) {
            return QString::fromUtf8(error.what());
        }
        return {};
    }
    QString storeError(const QString& json, const QString& site = "magazin-1") {
        return errorOf("select * from o_cartovia_log_ins($s$" + site + "$s$, $page$" + json + "$page$)");
    }
    QString importError(qint64 id, const QString& site = "magazin-1") {
        return errorOf(QString("select * from o_cartovia_doc_cmd_c_ins('%1', %2)").arg(site).arg(id));
    }
    int count(const QString& relation) { return db.scalar("select count(*) from " + relation).toInt(); }

    TestDatabase db{plainServer(),
                    {sourcePath("demo/sql/erp_schema.sql"), sourcePath("demo/sql/erp_functions.sql")}};
};

TEST_F(ErpFunctions, storingPageTwiceDuplicatesNothing) {
    const QString json = page({order(1), order(2), order(3)});
    storePage(json);
    const QString firstLog = db.scalar("select string_agg(data_log::text, ',') from log_cartovia");
    EXPECT_EQ(db.scalar("select comenzi_noi from o_cartovia_log_ins('magazin-1', $p$" + json + "$p$)"), "0");
    EXPECT_EQ(count("log_cartovia"), 3);
    EXPECT_EQ(db.scalar("select string_agg(data_log::text, ',') from log_cartovia"), firstLog);
    // The same order ids from another shop are other orders.
    storePage(json, "magazin-2");
    EXPECT_EQ(count("log_cartovia"), 6);
}

TEST_F(ErpFunctions, recordsOrderNumberDateAndContent) {
    storePage(page({order(7)}));
    EXPECT_EQ(db.scalar("select nr_doc_site from log_cartovia"), "CV-7");
    // The shop's own calendar day, whatever the server's time zone.
    EXPECT_EQ(db.scalar("select date_created from log_cartovia"), "2026-03-14");
    EXPECT_EQ(db.scalar("select cmd_c_json::jsonb -> 'customer' ->> 'last_name' from log_cartovia"), "Pîrvu");
    EXPECT_EQ(db.scalar("select err_la_import is null and id_doc_cmd_c is null from log_cartovia"), "t");
}

TEST_F(ErpFunctions, restoringPageLeavesImportedOrderUnchangedAndRefreshesOthers) {
    storePage(page({order(1), order(2)}));
    ASSERT_EQ(importError(1), "");
    const QString importedBefore =
        db.scalar("select cmd_c_json || data_log from log_cartovia where id_doc_site = 1");
    const QString oneItem = R"([{"sku":"CAF-001","name":"Cafea","quantity":9,"price":"80.00"}])";
    storePage(page({order(1, kCustomer, oneItem), order(2, kCustomer, oneItem)}));
    EXPECT_EQ(db.scalar("select cmd_c_json || data_log from log_cartovia where id_doc_site = 1"),
              importedBefore);
    EXPECT_EQ(db.scalar("select id_doc_cmd_c is not null from log_cartovia where id_doc_site = 1"), "t");
    EXPECT_EQ(db.scalar("select cmd_c_json::jsonb -> 'line_items' -> 0 ->> 'quantity' from log_cartovia "
                        "where id_doc_site = 2"),
              "9");
    EXPECT_EQ(count("log_cartovia"), 2);
}

struct BadPage {
    const char* name;
    QString site;
    QString json;
    const char* message;
};

class MalformedPages : public ErpFunctions, public ::testing::WithParamInterface<BadPage> {};

TEST_P(MalformedPages, raiseAndStoreNothing) {
    const BadPage& bad = GetParam();
    EXPECT_THAT(storeError(bad.json, bad.site).toStdString(), HasSubstr(bad.message));
    EXPECT_EQ(count("log_cartovia"), 0);
}

INSTANTIATE_TEST_SUITE_P(
    ErpFunctions, MalformedPages,
    ::testing::Values(
        BadPage{"notJson", "magazin-1", "<html>Eroare</html>", "nu este JSON valid"},
        BadPage{"noDataArray", "magazin-1", R"({"meta":{"links":{"next":null}}})",
                "nu contine lista de comenzi"},
        BadPage{"dataNotArray", "magazin-1", R"({"data":{"id":1}})", "nu contine lista de comenzi"},
        BadPage{"jsonArray", "magazin-1", "[1,2]", "nu contine lista de comenzi"},
        BadPage{"orderNotObject", "magazin-1", R"({"data":[5]})", "Pozitia 1 din pagina site-ului magazin-1"},
        // The whole page is refused, also the valid order before the bad one.
        BadPage{"secondOrderWithoutId", "magazin-1", page({order(1), R"({"number":"CV-2"})"}),
                "pozitia 2 din pagina site-ului magazin-1 nu are id"},
        BadPage{"nullId", "magazin-1", R"({"data":[{"id":null}]})", "nu are id"},
        BadPage{"fractionalId", "magazin-1", R"({"data":[{"id":1.5}]})", "are id-ul invalid: 1.5"},
        BadPage{"badDate", "magazin-1", R"({"data":[{"id":1,"date_created":"ieri"}]})",
                "Comanda 1 a site-ului magazin-1 are data invalida: ieri"},
        BadPage{"emptySite", "", page({order(1)}), "Numele site-ului lipseste"}),
    [](const ::testing::TestParamInfo<BadPage>& info) { return info.param.name; });

TEST_F(ErpFunctions, importBuildsHeaderAndLinesInTheShopsSeries) {
    storePage(page({order(1), order(2)}));
    ASSERT_EQ(importError(1), "");
    ASSERT_EQ(importError(2), "");

    EXPECT_EQ(db.scalar("select string_agg(zel_serie_cmd_c || '/' || zel_nr_doc || '/' || zel_tip_doc, ',' "
                        "order by zel_nr_doc) from doc_cmd_c"),
              "WEB1/1/CMDC,WEB1/2/CMDC");
    EXPECT_EQ(db.scalar("select bool_and(zel_data_doc = current_date) from doc_cmd_c"), "t");
    EXPECT_EQ(db.scalar("select valoare from doc_cmd_c where zel_nr_doc = '1'"), "191.8");
    EXPECT_EQ(
        db.scalar("select string_agg(a.cod_articol || 'x' || l.cantitate || '@' || l.pret, ',' order by "
                  "l.nr_linie) from doc_cmd_c_linie l join articol a using (id_articol) "
                  "join doc_cmd_c d using (id_doc_cmd_c) where d.zel_nr_doc = '1'"),
        "CAF-001x2@89.9,CEA-002x1@12");
    // The customer is found again by e-mail for the second order.
    EXPECT_EQ(count("partener"), 1);
    EXPECT_EQ(db.scalar("select partener || '|' || email || '|' || localitate from partener"),
              "Ştefan Pîrvu|stefan.pirvu@example.ro|Piteşti");
    EXPECT_EQ(
        db.scalar("select zel_nr_doc || '|' || zel_tip_doc || '|' || zel_serie_cmd_c || '|' || zel_partener "
                  "|| '|' || zel_data_doc from view_log_cartovia where id_doc_site = 1"),
        "1|CMDC|WEB1|Ştefan Pîrvu|" + db.scalar("select current_date"));
}

struct FailingImport {
    const char* name;
    QString json; // the logged order; empty: nothing logged
    qint64 id;
    QString site;
    const char* message;
};

class FailingImports : public ErpFunctions, public ::testing::WithParamInterface<FailingImport> {};

TEST_P(FailingImports, raiseTheirMessageAndLeaveNoHalfBuiltDocument) {
    const FailingImport& failing = GetParam();
    if (!failing.json.isEmpty())
        storePage(page({failing.json}), failing.site);
    EXPECT_THAT(importError(failing.id, failing.site).toStdString(), HasSubstr(failing.message));
    EXPECT_EQ(count("doc_cmd_c"), 0);
    EXPECT_EQ(count("doc_cmd_c_linie"), 0);
    EXPECT_EQ(count("partener"), 0);
    EXPECT_EQ(count("serie_doc"), 0);
    EXPECT_EQ(count("log_cartovia where id_doc_cmd_c is not null"), 0);
}

const QString kUnknownSecondItem = R"([{"sku":"CAF-001","name":"Cafea","quantity":1,"price":"89.90"},
    {"sku":"CAF-999","name":"Cafea Kenya","quantity":1,"price":"119.00"}])";

INSTANTIATE_TEST_SUITE_P(
    ErpFunctions, FailingImports,
    ::testing::Values(
        // The first line and the customer were made before the unknown product was met.
        FailingImport{"unknownProduct", order(1, kCustomer, kUnknownSecondItem), 1, "magazin-1",
                      "Articol inexistent: CAF-999"},
        FailingImport{"missingCustomer", order(1, "null"), 1, "magazin-1", "Comanda CV-1 nu are client"},
        FailingImport{"customerWithoutName", order(1, R"({"email":"x@example.ro"})"), 1, "magazin-1",
                      "Clientul comenzii CV-1 nu are nume"},
        FailingImport{"noLines", order(1, kCustomer, "[]"), 1, "magazin-1", "Comanda CV-1 nu are produse"},
        FailingImport{"lineWithoutCode", order(1, kCustomer, R"([{"name":"Cadou","quantity":1}])"), 1,
                      "magazin-1", R"(Produsul "Cadou" din comanda CV-1 nu are cod)"},
        FailingImport{"zeroQuantity", order(1, kCustomer, R"([{"sku":"CAF-001","quantity":0}])"), 1,
                      "magazin-1", "Cantitate sau pret invalid la articolul CAF-001"},
        FailingImport{"notInLog", "", 42, "magazin-1", "Comanda 42 a site-ului magazin-1 nu exista in log"},
        FailingImport{"siteNotConfigured", order(1), 1, "magazin-9", "Site-ul magazin-9 nu este configurat"}),
    [](const ::testing::TestParamInfo<FailingImport>& info) { return info.param.name; });

TEST_F(ErpFunctions, refusesSecondImportOfTheSameOrder) {
    storePage(page({order(1)}));
    ASSERT_EQ(importError(1), "");
    EXPECT_THAT(
        importError(1).toStdString(),
        HasSubstr("Comanda CV-1 a site-ului magazin-1 a fost deja importata (comanda client WEB1 1)"));
    EXPECT_EQ(count("doc_cmd_c"), 1);
    EXPECT_EQ(count("doc_cmd_c_linie"), 2);
}

TEST_F(ErpFunctions, importSucceedsOnceTheMissingProductExists) {
    storePage(page({order(1, kCustomer, kUnknownSecondItem)}));
    ASSERT_THAT(importError(1).toStdString(), HasSubstr("Articol inexistent: CAF-999"));
    db.exec("insert into articol (cod_articol, articol) values ('CAF-999', 'Cafea Kenya AA')");
    EXPECT_EQ(importError(1), "");
    // The failed attempt used no number of the series.
    EXPECT_EQ(db.scalar("select zel_nr_doc from view_log_cartovia"), "1");
}

// The column types the program's order log query binds, in its order.
TEST_F(ErpFunctions, orderLogViewHasTheColumnTypesTheProgramBinds) {
    EXPECT_EQ(
        db.scalar(
            "select string_agg(attname || ' ' || format_type(atttypid, atttypmod), ', ' order by attnum) "
            "from pg_attribute where attrelid = 'view_log_cartovia'::regclass and attnum > 0"),
        "nume_site character varying(100), id_doc_site bigint, err_la_import text, "
        "data_log timestamp without time zone, date_created date, zel_serie_cmd_c character varying(7), "
        "nr_doc_site text, zel_data_doc date, zel_tip_doc character varying(7), "
        "zel_nr_doc character varying(15), zel_partener character varying(100)");
    EXPECT_EQ(db.scalar("select is_updatable || is_insertable_into from information_schema.views "
                        "where table_name = 'view_log_cartovia'"),
              "NONO");
}

TEST(DirectorySchema, companyDirectoryHasItsSevenColumns) {
    TestDatabase db(plainServer(), {sourcePath("demo/sql/directory_schema.sql")});
    EXPECT_EQ(
        db.scalar("select string_agg(attname || ' ' || format_type(atttypid, atttypmod) || "
                  "case when attnotnull then ' not null' else '' end, ', ' order by attnum) "
                  "from pg_attribute where attrelid = 'm_firma'::regclass and attnum > 0"),
        "nume_firma character varying(200) not null, ip text, port integer, db_name text, activ boolean, "
        "m_site boolean not null, pw_hash_type character varying(23)");
    // Two rows with one company name are allowed: the sign-in takes the first.
    db.exec("insert into m_firma (nume_firma, m_site) values ('Alfa', false), ('Alfa', true)");
    EXPECT_EQ(db.scalar("select count(*) from m_firma"), "2");
}

// The demo shop's pages, stored and imported as the program does it, against the demo ERP data:
// every order is logged once, and exactly the orders with an unknown product or without a
// customer fail to import.
TEST(ErpFunctionsWithDemoShop, storesEveryPageOnceAndImportsAllButTheFaultyOrders) {
    TestDatabase db(plainServer(),
                    {sourcePath("demo/sql/erp_schema.sql"), sourcePath("demo/sql/erp_functions.sql"),
                     sourcePath("demo/sql/erp_demo_data.sql")});
    ShopServerProcess shop({.orders = 230, .shops = {}});
    QStringList bodies;
    for (int start = 0;; start += 100) {
        const HttpReply reply = httpGet(shop.pageUrl("magazin-1", start), "cartovia1", "Parola-M1");
        ASSERT_EQ(reply.status, 200);
        bodies << QString::fromUtf8(reply.body);
        if (QJsonDocument::fromJson(reply.body)["meta"]["links"]["next"].isNull())
            break;
    }
    ASSERT_EQ(bodies.size(), 3);

    const QStringList known = db.scalar("select string_agg(cod_articol, ',') from articol").split(',');
    int faulty = 0;
    for (const QString& body : bodies) {
        for (const QJsonValue order : QJsonDocument::fromJson(body.toUtf8())["data"].toArray()) {
            bool bad = order["customer"].isNull();
            for (const QJsonValue item : order["line_items"].toArray())
                bad = bad || !known.contains(item["sku"].toString());
            faulty += bad;
        }
    }
    ASSERT_GT(faulty, 2);

    for (int round = 0; round < 2; ++round)
        for (const QString& body : bodies)
            db.exec("select * from o_cartovia_log_ins('magazin-1', $page$" + body + "$page$)");
    EXPECT_EQ(db.scalar("select count(*) from log_cartovia"), "230");

    db.exec(R"(do $$
        declare r record;
        begin
            for r in select nume_site, id_doc_site from log_cartovia loop
                begin
                    perform o_cartovia_doc_cmd_c_ins(r.nume_site, r.id_doc_site);
                exception when others then
                    update log_cartovia set err_la_import = sqlerrm
                    where nume_site = r.nume_site and id_doc_site = r.id_doc_site;
                end;
            end loop;
        end $$)");
    EXPECT_EQ(db.scalar("select count(*) from view_log_cartovia where err_la_import is not null"),
              QString::number(faulty));
    EXPECT_EQ(db.scalar("select count(*) from view_log_cartovia where zel_nr_doc is not null"),
              QString::number(230 - faulty));
    EXPECT_EQ(
        db.scalar(
            "select count(*) from view_log_cartovia where err_la_import like 'Comanda % nu are client'"),
        "1");
}

} // namespace

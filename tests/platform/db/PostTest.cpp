#include "DbFixture.h"
#include "db/Field.h"
#include "db/Query.h"

using namespace wc;
using namespace wc::test;
using db::FieldKind;

namespace {

// Each table shape decides which columns find the row again.
struct KeyCase {
    const char* name;
    const char* ddl;
    // a change by someone else that makes the row unfindable only when the WHERE uses it
    const char* concurrentChange;
    int expectedTouched;
};

class PostWhere : public ::testing::TestWithParam<KeyCase> {};

TEST_P(PostWhere, findsTheRowByTheRightColumns) {
    const KeyCase& c = GetParam();
    TestDatabase database(plainServer());
    database.exec(c.ddl);
    database.exec("insert into log values ('shop', 7, 'json', 'old error', 1)");
    db::Connection connection;
    pointAt(connection, database);
    connection.setDisconnectedMode(true);
    db::Query query(QStringLiteral("dsLogCartoviaUnu"));
    query.setConnection(&connection);
    db::Field site(query, QStringLiteral("nume_site"), FieldKind::ShortText, 100, true);
    db::Field id(query, QStringLiteral("id_doc_site"), FieldKind::LargeInt, 0, true);
    db::Field json(query, QStringLiteral("cmd_c_json"), FieldKind::LongText);
    db::Field error(query, QStringLiteral("err_la_import"), FieldKind::LongText);
    db::Field version(query, QStringLiteral("version"), FieldKind::Integer);
    query.setSql({"select nume_site, id_doc_site, cmd_c_json, err_la_import, version from log"});
    query.open();
    database.exec(c.concurrentChange);

    query.edit();
    error.setAsString(QStringLiteral("new error"));
    if (c.expectedTouched == 1) {
        query.post();
        EXPECT_EQ(database.scalar("select err_la_import from log"), "new error");
        EXPECT_EQ(query.state(), db::Query::State::Browse);
        EXPECT_EQ(error.asString(), "new error");
    } else {
        EXPECT_EQ(failureOf([&] { query.post(); }), QStringLiteral("Update failed. Found %1 records").arg(c.expectedTouched));
        EXPECT_EQ(query.state(), db::Query::State::Edit);
    }
    EXPECT_FALSE(connection.isConnected());
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, PostWhere,
    ::testing::Values(
        KeyCase{"primaryKeyIgnoresOtherColumns",
                "create table log (nume_site varchar(100), id_doc_site bigint, cmd_c_json text, err_la_import text, "
                "version integer, primary key (nume_site, id_doc_site))",
                "update log set version = 2", 1},
        KeyCase{"firstUniqueIndexByName",
                "create table log (nume_site varchar(100), id_doc_site bigint, cmd_c_json text, err_la_import text, "
                "version integer); create unique index b_by_version on log (version);"
                "create unique index a_by_order on log (nume_site, id_doc_site);",
                "update log set version = 2", 1},
        KeyCase{"uniqueIndexColumnChanged",
                "create table log (nume_site varchar(100), id_doc_site bigint, cmd_c_json text, err_la_import text, "
                "version integer); create unique index a_by_version on log (version);",
                "update log set version = 2", 0},
        KeyCase{"noKeyUsesBoundedColumns",
                "create table log (nume_site varchar(100), id_doc_site bigint, cmd_c_json text, err_la_import text, "
                "version integer)",
                "update log set version = 2", 0},
        KeyCase{"noKeyIgnoresUnboundedText",
                "create table log (nume_site varchar(100), id_doc_site bigint, cmd_c_json text, err_la_import text, "
                "version integer)",
                "update log set cmd_c_json = 'changed'", 1},
        KeyCase{"rowDeleted",
                "create table log (nume_site varchar(100), id_doc_site bigint, cmd_c_json text, err_la_import text, "
                "version integer, primary key (nume_site, id_doc_site))",
                "delete from log", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Post, setsOnlyChangedColumnsAndStoresEmptyTextAsNull) {
    TestDatabase database(plainServer());
    database.exec("create table log (nume_site varchar(100), id_doc_site bigint, cmd_c_json text, err_la_import text, "
                  "primary key (nume_site, id_doc_site));"
                  "insert into log values ('shop', 7, 'json', 'old error')");
    db::Connection connection;
    pointAt(connection, database);
    db::Query query(QStringLiteral("q"));
    query.setConnection(&connection);
    query.setSql({"select * from log"});
    query.open();
    database.exec("update log set cmd_c_json = 'updated elsewhere'");
    query.edit();
    query.fieldByName("err_la_import").setAsString(QString());
    query.post();
    EXPECT_EQ(database.scalar("select err_la_import is null from log"), "t");
    EXPECT_EQ(database.scalar("select cmd_c_json from log"), "updated elsewhere");
    EXPECT_TRUE(query.fieldByName("err_la_import").isNull());
}

} // namespace

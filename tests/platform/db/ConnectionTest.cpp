#include "DbFixture.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "db/StoredProc.h"

using namespace wc;
using namespace wc::test;

namespace {

TEST(Connection, requireIsRefusedByServerWithoutTls) {
    TestDatabase database(plainServer());
    db::Connection connection;
    pointAt(connection, database, db::SslMode::Require);
    EXPECT_EQ(failureOf([&] { connection.open(); }), "SSL connection is not allowed");
    EXPECT_FALSE(connection.isConnected());
}

struct TlsCase {
    const char* name;
    bool serverHasTls;
    db::SslMode mode;
    bool encrypted;
};

class ConnectionTls : public ::testing::TestWithParam<TlsCase> {};

TEST_P(ConnectionTls, encryptsWhenBothSidesCan) {
    const TlsCase& c = GetParam();
    TestDatabase database(c.serverHasTls ? tlsServer() : plainServer());
    db::Connection connection;
    pointAt(connection, database, c.mode);
    connection.open();
    EXPECT_EQ(connection.usesTls(), c.encrypted);
}

INSTANTIATE_TEST_SUITE_P(Modes, ConnectionTls,
                         ::testing::Values(TlsCase{"requireOnTls", true, db::SslMode::Require, true},
                                           TlsCase{"preferOnTls", true, db::SslMode::Prefer, true},
                                           TlsCase{"preferOnPlain", false, db::SslMode::Prefer, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Connection, wrongPasswordFailsWithLibpqTextOnceAndStaysClosed) {
    TestDatabase database(tlsServer());
    db::Connection connection;
    pointAt(connection, database, db::SslMode::Prefer);
    connection.setPassword(QStringLiteral("wrong"));
    const QString message = failureOf([&] { connection.open(); });
    EXPECT_TRUE(message.contains(QStringLiteral("password authentication failed for user \"zel\""))) << message.toStdString();
    // prefer retries without TLS and libpq repeats the line; it is shown once
    EXPECT_EQ(message.count(QStringLiteral("password authentication failed")), 1) << message.toStdString();
    EXPECT_FALSE(connection.isConnected());
}

TEST(Connection, closedPortFailsAndStaysClosed) {
    db::Connection connection;
    connection.setServer(QStringLiteral("localhost"));
    connection.setPort(1); // nothing listens there
    connection.setUsername(QStringLiteral("zel"));
    const QString message = failureOf([&] { connection.open(); });
    EXPECT_TRUE(message.contains(QStringLiteral("127.0.0.1"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("Connection refused"))) << message.toStdString();
    EXPECT_FALSE(connection.isConnected());
}

TEST(Connection, unknownHostFailsClearly) {
    db::Connection connection;
    connection.setServer(QStringLiteral("no-such-host.invalid"));
    EXPECT_TRUE(failureOf([&] { connection.open(); }).startsWith("could not translate host name \"no-such-host.invalid\""));
}

TEST(Connection, disconnectedModeHoldsNoConnectionBetweenOperations) {
    TestDatabase database(tlsServer());
    database.exec("create table t (id integer primary key, name varchar(20)); insert into t values (1, 'a'), (2, 'b');"
                  "create function touch(p integer) returns integer language sql as 'select p';");
    db::Connection connection;
    pointAt(connection, database);
    connection.setDisconnectedMode(true);

    db::Query query(QStringLiteral("q"));
    query.setConnection(&connection);
    query.setSql({"select * from t order by id"});
    query.open();
    EXPECT_FALSE(connection.isConnected());
    EXPECT_EQ(database.sessionsLeft(), 0);
    // rows stay readable after the connection has gone
    ASSERT_EQ(query.recordCount(), 2);
    query.last();
    EXPECT_EQ(query.fieldByName("name").asString(), "b");

    db::StoredProc call(QStringLiteral("touch"));
    call.setConnection(&connection);
    call.setSql(QStringLiteral("SELECT * FROM touch(:p)"));
    call.paramByName("P").setAsInteger(5);
    call.execute();
    EXPECT_FALSE(connection.isConnected());
    EXPECT_EQ(database.sessionsLeft(), 0);

    // a failing operation releases the connection too
    query.setSql({"select * from missing_table"});
    query.close();
    EXPECT_TRUE(failureOf([&] { query.open(); }).contains("missing_table"));
    EXPECT_FALSE(connection.isConnected());
}

TEST(Connection, persistentModeKeepsTheConnectionOpen) {
    TestDatabase database(tlsServer());
    db::Connection connection;
    pointAt(connection, database);
    db::Query query(QStringLiteral("q"));
    query.setConnection(&connection);
    query.setSql({"select 1 as one"});
    query.open();
    EXPECT_TRUE(connection.isConnected());
    EXPECT_EQ(database.otherSessions(), 1);
}

TEST(Connection, changingTargetClosesOnlyOnADifferentValue) {
    TestDatabase database(tlsServer());
    db::Connection connection;
    pointAt(connection, database);
    connection.open();
    connection.setServer(QStringLiteral("localhost"));
    connection.setPort(database.server().port);
    connection.setDatabase(database.name());
    EXPECT_TRUE(connection.isConnected());
    connection.setDatabase(QStringLiteral("postgres"));
    EXPECT_FALSE(connection.isConnected());
}

TEST(Connection, sslModeChangesOnlyWhileClosed) {
    TestDatabase database(tlsServer());
    db::Connection connection;
    pointAt(connection, database, db::SslMode::Prefer);
    connection.open();
    connection.setSslMode(db::SslMode::Prefer); // same mode: nothing happens
    EXPECT_NE(failureOf([&] { connection.setSslMode(db::SslMode::Require); }), "<none>");
    connection.close();
    connection.setSslMode(db::SslMode::Require);
    EXPECT_EQ(connection.sslMode(), db::SslMode::Require);
}

TEST(Connection, serverErrorsCarryTextAndSqlState) {
    TestDatabase database(plainServer());
    database.exec("create function fail(p text) returns void language plpgsql as $$ begin raise exception 'Articol inexistent: %', p; end $$;");
    db::Connection connection;
    pointAt(connection, database);
    db::StoredProc call(QStringLiteral("fail"));
    call.setConnection(&connection);
    call.setSql(QStringLiteral("SELECT * FROM fail(:p)"));
    call.paramByName("p").setAsString(QStringLiteral("X-1"));
    try {
        call.execute();
        FAIL() << "no failure";
    } catch (const db::DbError& error) {
        EXPECT_EQ(error.message(), "Articol inexistent: X-1");
        EXPECT_EQ(error.sqlState(), "P0001");
    }
}

} // namespace

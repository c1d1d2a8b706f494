#include "DbFixture.h"
#include "db/Field.h"
#include "db/DataSource.h"
#include "db/Query.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

using namespace wc;
using namespace wc::test;
using db::FieldKind;

namespace {

class QueryTest : public ::testing::Test {
protected:
    void SetUp() override {
        pointAt(connection, database);
        connection.setDisconnectedMode(true);
        query.setConnection(&connection);
    }
    TestDatabase database{plainServer()};
    db::Connection connection;
    db::Query query{QStringLiteral("dsTest")};
};

struct BindCase {
    const char* name;
    const char* columnType;
    FieldKind declared;
    const char* failure; // "" when the opening succeeds
};

class FieldBinding : public QueryTest, public ::testing::WithParamInterface<BindCase> {};

TEST_P(FieldBinding, checksDeclaredKindAgainstColumnType) {
    const BindCase& c = GetParam();
    database.exec(QStringLiteral("create table t (col %1)").arg(c.columnType));
    db::Field field(query, QStringLiteral("col"), c.declared);
    query.setSql({"select * from t"});
    EXPECT_EQ(failureOf([&] { query.open(); }), c.failure[0] ? QString::fromUtf8(c.failure) : QStringLiteral("<none>"));
    EXPECT_EQ(query.isOpen(), c.failure[0] == 0);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, FieldBinding,
    ::testing::Values(
        BindCase{"varcharAsShortText", "varchar(10)", FieldKind::ShortText, ""},
        BindCase{"charAsShortText", "char(3)", FieldKind::ShortText, ""},
        BindCase{"textAsLongText", "text", FieldKind::LongText, ""},
        BindCase{"varcharWhereTextDeclared", "varchar(10)", FieldKind::LongText,
                 "dsTest: Type mismatch for field 'col', expecting: WideMemo actual: WideString"},
        BindCase{"textWhereVarcharDeclared", "text", FieldKind::ShortText,
                 "dsTest: Type mismatch for field 'col', expecting: WideString actual: WideMemo"},
        BindCase{"int4AsInteger", "integer", FieldKind::Integer, ""},
        BindCase{"int2AsInteger", "smallint", FieldKind::Integer, ""},
        BindCase{"int8WhereIntegerDeclared", "bigint", FieldKind::Integer,
                 "dsTest: Type mismatch for field 'col', expecting: Integer actual: LargeInt"},
        BindCase{"int8AsLargeInt", "bigint", FieldKind::LargeInt, ""},
        BindCase{"timestampAsDate", "timestamp", FieldKind::Date, ""},
        BindCase{"dateAsDateTime", "date", FieldKind::DateTime, ""},
        BindCase{"textWhereBooleanDeclared", "text", FieldKind::Boolean,
                 "dsTest: Type mismatch for field 'col', expecting: Boolean actual: WideMemo"},
        BindCase{"doubleAsFloat", "double precision", FieldKind::Float, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(QueryTest, missingDeclaredColumnFailsWithItsName) {
    database.exec("create table t (a integer, extra text)");
    db::Field a(query, QStringLiteral("a"), FieldKind::Integer);
    db::Field cnp(query, QStringLiteral("cnp"), FieldKind::ShortText, 25);
    query.setSql({"select *", "from t", ";"});
    EXPECT_EQ(failureOf([&] { query.open(); }), "dsTest: Field 'cnp' not found");
    EXPECT_FALSE(query.isOpen());
    EXPECT_FALSE(connection.isConnected());
}

TEST_F(QueryTest, namedParametersBindWithoutRegardToCaseAndReachServerIntact) {
    database.exec("create table t (name text, note text)");
    query.setSql({"select :pName::text as name, :PNOTE as note, ':notParam' as literal, -- :alsoNot",
                  "       'it''s' as quoted /* :nor */"});
    ASSERT_EQ(query.params().count(), 2);
    const QString tricky = QStringLiteral("O'Brien; -- drop table t; :pNote \"q\" ş");
    query.paramByName("pname").setAsString(tricky);
    query.paramByName("pNote").setAsString(QStringLiteral("a:b"));
    query.open();
    EXPECT_EQ(query.fieldByName("name").asString(), tricky);
    EXPECT_EQ(query.fieldByName("note").asString(), "a:b");
    EXPECT_EQ(query.fieldByName("literal").asString(), ":notParam");
    EXPECT_EQ(query.fieldByName("quoted").asString(), "it's");
    EXPECT_EQ(database.scalar("select count(*) from t"), "0");
}

TEST_F(QueryTest, aRepeatedParameterIsOneParameter) {
    query.setSql({"select :a::int + :A::int as s"});
    ASSERT_EQ(query.params().count(), 1);
    query.paramByName("a").setAsInteger(21);
    query.open();
    EXPECT_EQ(query.fieldByName("s").asInteger(), 42);
}

TEST_F(QueryTest, valuesReadByKind) {
    query.setSql({"select null::text as t, 'x'::varchar(5) as v, 9000000000::bigint as big, true as b,",
                  "       date '2026-12-11' as d, timestamp '2026-12-11 07:05:09.25' as ts, 1.5::float8 as f"});
    query.open();
    EXPECT_TRUE(query.fieldByName("t").isNull());
    EXPECT_EQ(query.fieldByName("t").asString(), "");
    EXPECT_EQ(query.fieldByName("big").asLargeInt(), 9000000000LL);
    EXPECT_TRUE(query.fieldByName("b").asBoolean());
    EXPECT_EQ(query.fieldByName("d").asDate(), QDate(2026, 12, 11));
    EXPECT_EQ(query.fieldByName("ts").asDateTime(), QDateTime(QDate(2026, 12, 11), QTime(7, 5, 9, 250)));
    EXPECT_DOUBLE_EQ(query.fieldByName("f").asFloat(), 1.5);
}

TEST_F(QueryTest, refreshKeepsCurrentRowByKeyOrFallsBackToFirst) {
    database.exec("create table t (site varchar(10), id bigint, note text);"
                  "insert into t values ('a', 1, 'x'), ('a', 2, 'y'), ('b', 1, 'z');");
    query.setSql({"select * from t order by site, id"});
    query.setKeyFields(QStringLiteral("site;id"));
    query.open();
    query.setRecNo(2);
    database.exec("insert into t values ('a', 0, 'new')");
    query.refresh();
    EXPECT_EQ(query.recNo(), 3);
    EXPECT_EQ(query.fieldByName("note").asString(), "z");

    database.exec("delete from t where site = 'b'");
    query.refresh();
    EXPECT_EQ(query.recNo(), 0);
    EXPECT_EQ(query.fieldByName("note").asString(), "new");

    database.exec("delete from t");
    query.refresh();
    EXPECT_EQ(query.recNo(), -1);
    EXPECT_TRUE(query.isEmpty());
}

TEST_F(QueryTest, detailFollowsMasterRowWithItsValuesAndKinds) {
    database.exec("create table m (site varchar(10), id bigint); create table d (site varchar(10), id bigint, v text);"
                  "insert into m values ('a', 9000000000), ('b', 2);"
                  "insert into d values ('a', 9000000000, 'first'), ('b', 2, 'second');");
    query.setSql({"select * from m order by site"});
    query.open();
    db::Query detail(QStringLiteral("dsDetail"));
    detail.setConnection(&connection);
    detail.setSql({"select * from d where site = :site and id = :id"});
    detail.setMaster(&query, QStringLiteral("site;id"), QStringLiteral("site;id"));
    detail.open();
    EXPECT_EQ(detail.fieldByName("v").asString(), "first");
    EXPECT_EQ(detail.paramByName("id").type(), db::ParamType::LargeInt);
    query.next();
    EXPECT_EQ(detail.fieldByName("v").asString(), "second");
    detail.close();
    query.first(); // a closed detail is not read again
    EXPECT_FALSE(detail.isOpen());
}

TEST_F(QueryTest, navigationStopsAtTheEnds) {
    query.setSql({"select generate_series(1, 3) as n"});
    query.open();
    EXPECT_EQ(query.recNo(), 0);
    query.next();
    query.next();
    EXPECT_FALSE(query.eof());
    query.next();
    EXPECT_TRUE(query.eof());
    EXPECT_EQ(query.fieldByName("n").asInteger(), 3);
    EXPECT_TRUE(query.locate({"n"}, {"2"}));
    EXPECT_EQ(query.recNo(), 1);
    EXPECT_FALSE(query.locate({"n"}, {"7"}));
}

TEST_F(QueryTest, closedQueryRefusesReads) {
    db::Field n(query, QStringLiteral("n"), FieldKind::Integer);
    EXPECT_EQ(failureOf([&] { n.asString(); }), "dsTest: Cannot perform this operation on a closed dataset");
}

} // namespace

namespace {

TEST_F(QueryTest, dataSourceShowsTypedValuesAndFollowsTheCurrentRow) {
    database.exec("create table t (site varchar(10), id bigint, created date, note text);"
                  "insert into t values ('a', 1, date '2026-01-05', null), ('b', 2, null, 'x');");
    db::Field site(query, QStringLiteral("site"), FieldKind::ShortText, 10);
    db::Field id(query, QStringLiteral("id"), FieldKind::LargeInt);
    db::Field created(query, QStringLiteral("created"), FieldKind::Date);
    db::Field note(query, QStringLiteral("note"), FieldKind::LongText);
    query.setSql({"select * from t order by id"});
    query.setKeyFields(QStringLiteral("site;id"));
    db::DataSource source(query);
    QAbstractItemModelTester tester(&source, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy moved(&source, &db::DataSource::currentRowChanged);

    EXPECT_EQ(source.rowCount(), 0);
    query.open();
    ASSERT_EQ(source.rowCount(), 2);
    ASSERT_EQ(source.columnCount(), 4);
    EXPECT_EQ(source.headerData(2, Qt::Horizontal).toString(), "created");
    EXPECT_EQ(source.index(0, 1).data(), QVariant(qlonglong(1)));
    EXPECT_EQ(source.index(0, 2).data(), QVariant(QDate(2026, 1, 5)));
    EXPECT_FALSE(source.index(1, 2).data().isValid());
    EXPECT_EQ(source.index(0, 3).data(), QVariant(QString()));

    source.setCurrentRow(1);
    EXPECT_EQ(query.recNo(), 1);
    EXPECT_EQ(moved.last().at(0).toInt(), 1);
    database.exec("insert into t values ('0', 0, null, null)");
    query.refresh();
    EXPECT_EQ(source.rowCount(), 3);
    EXPECT_EQ(moved.last().at(0).toInt(), 2); // the same order, now further down
    query.close();
    EXPECT_EQ(source.rowCount(), 0);
}

} // namespace

#include "core/Failure.h"
#include "db/Params.h"

#include <gtest/gtest.h>

using namespace wc::db;

namespace {

struct ParseCase {
    const char* sql;
    const char* expected;
    const char* names;
};

class SqlParsing : public ::testing::TestWithParam<ParseCase> {};

TEST_P(SqlParsing, rewritesOnlyRealParameters) {
    const ParseCase& c = GetParam();
    const ParsedSql parsed = parseSql(QString::fromUtf8(c.sql));
    EXPECT_EQ(parsed.text, QByteArray(c.expected));
    EXPECT_EQ(parsed.names.join(','), QString::fromUtf8(c.names));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SqlParsing,
    ::testing::Values(ParseCase{"select * from f(:pnumesite, :pjson)", "select * from f($1, $2)", "pnumesite,pjson"},
                      ParseCase{"select :a::text, :A", "select $1::text, $1", "a"},
                      ParseCase{"select ':x', \":y\", 1 -- :z\n/* :w */", "select ':x', \":y\", 1 -- :z\n/* :w */", ""},
                      ParseCase{"select 'it''s :x' || :y", "select 'it''s :x' || $1", "y"},
                      ParseCase{"select $q$ :x $q$, $1, a[1:2]", "select $q$ :x $q$, $1, a[1:2]", ""},
                      ParseCase{"where nume_site   = :nume_site \n  and id_doc_site = :id_doc_site",
                                "where nume_site   = $1 \n  and id_doc_site = $2", "nume_site,id_doc_site"}));

TEST(Params, keepValuesOfNamesThatRemainAfterNewStatement) {
    Params params;
    params.reset({"a", "b"});
    params.byName("B").setAsString("kept");
    params.reset({"b", "c"});
    EXPECT_EQ(params.byName("b").asString(), "kept");
    EXPECT_TRUE(params.byName("c").isNull());
    EXPECT_THROW(params.byName("a"), wc::Failure);
}

} // namespace

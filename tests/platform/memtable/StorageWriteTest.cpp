#include "LoginTable.h"

#include "memtable/StorageWriter.h"

#include <gtest/gtest.h>

namespace wc::mem {
namespace {

using test::dataFile;
using test::loginTable;
using test::loginTableWithRow;

// The text of "RowList", from its "[" to its "]".
QByteArray rowListOf(const QByteArray& bytes) {
    const QByteArray start = R"("RowList":)";
    const qsizetype from = bytes.indexOf(start) + start.size();
    const qsizetype to = bytes.indexOf(R"(}],"RelationList")", from);
    return bytes.mid(from, to - from);
}

TEST(StorageWriter, writesTheCompactLayoutByteForByte) {
    const auto table = loginTableWithRow(QStringLiteral("Firma \u015E\"/\\"), QStringLiteral("ion"));
    EXPECT_EQ(storageBytes(*table), dataFile(QStringLiteral("login_one_row.json")));
}

TEST(StorageWriter, writesAnUntouchedTableWithAnEmptyRowList) {
    auto table = loginTable();
    EXPECT_EQ(storageBytes(*table), dataFile(QStringLiteral("login_empty.json"))) << "closed";
    table->open();
    EXPECT_EQ(storageBytes(*table), dataFile(QStringLiteral("login_empty.json"))) << "open";
}

TEST(StorageWriter, writesTheSavePointOnlyWhenOneWasRead) {
    auto table = loginTable();
    table->loadFromFile(test::dataPath(QStringLiteral("login_savepoint.json")));
    EXPECT_EQ(table->savePoint(), 7);
    EXPECT_EQ(storageBytes(*table), dataFile(QStringLiteral("login_savepoint.json")));
}

struct RowCase {
    const char* name;
    Value company;
    Value username;
    QByteArray rowList;
};

class WritesRows : public ::testing::TestWithParam<RowCase> {};

TEST_P(WritesRows, withTheirStoredValues) {
    const auto table = loginTableWithRow(GetParam().company, GetParam().username);
    EXPECT_EQ(rowListOf(storageBytes(*table)), GetParam().rowList);
}

INSTANTIATE_TEST_SUITE_P(
    StorageWriter, WritesRows,
    ::testing::Values(
        RowCase{"companyOnly", QStringLiteral("Alfa"), std::nullopt,
                R"([{"RowID":0,"Original":{"company":"Alfa"}}])"},
        RowCase{"usernameOnly", std::nullopt, QStringLiteral("ion"),
                R"([{"RowID":0,"Original":{"username":"ion"}}])"},
        RowCase{"bothNull", std::nullopt, std::nullopt, R"([{"RowID":0,"Original":{}}])"},
        RowCase{"emptyTextIsNotNull", QString(""), QString(""),
                R"([{"RowID":0,"Original":{"company":"","username":""}}])"},
        RowCase{"romanianLettersInTwoBytes", QStringLiteral("\u015F\u0163\u0103 \u0218\u021A"),
                QStringLiteral("ion"),
                "[{\"RowID\":0,\"Original\":{\"company\":\"\xC5\x9F\xC5\xA3\xC4\x83 \xC8\x98\xC8\x9A\","
                "\"username\":\"ion\"}}]"},
        RowCase{
            "characterOutsideTheBmpInSixBytes", QStringLiteral("a\U0001F642"), QStringLiteral("ion"),
            "[{\"RowID\":0,\"Original\":{\"company\":\"a\xED\xA0\xBD\xED\xB9\x82\",\"username\":\"ion\"}}]"},
        RowCase{"codeUnitZeroCutsTheValue", QString::fromUtf16(u"ab\0cd", 5), QStringLiteral("ion"),
                R"([{"RowID":0,"Original":{"company":"ab","username":"ion"}}])"}),
    [](const auto& info) { return info.param.name; });

TEST(StorageWriter, numbersRowsFromZero) {
    auto table = loginTableWithRow(QStringLiteral("a"), std::nullopt);
    table->append();
    table->setValue(1, QStringLiteral("b"));
    table->post();
    EXPECT_EQ(
        rowListOf(storageBytes(*table)),
        QByteArray(R"([{"RowID":0,"Original":{"company":"a"}},{"RowID":1,"Original":{"username":"b"}}])"));
}

} // namespace
} // namespace wc::mem

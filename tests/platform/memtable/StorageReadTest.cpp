#include "LoginTable.h"

#include "core/Failure.h"
#include "memtable/StorageReader.h"
#include "memtable/StorageWriter.h"

#include <gtest/gtest.h>

namespace wc::mem {
namespace {

using test::dataFile;
using test::dataPath;
using test::loginTable;
using test::loginTableWithRow;

const QList<FieldDef>& loginFields() {
    static const QList<FieldDef> fields = loginTable()->fields();
    return fields;
}

StoredTable read(const QByteArray& bytes) {
    return readStorage(bytes, QStringLiteral("dsLogin"), loginFields());
}

QString failureOf(const QByteArray& bytes) {
    try {
        read(bytes);
    } catch (const Failure& failure) {
        return failure.message();
    }
    return QStringLiteral("(no failure)");
}

// A file with only the members a reader cannot do without, and one row whose company is the
// given JSON value.
QByteArray minimalFile(const QByteArray& company) {
    return R"({"FDBS":{"Manager":{"TableList":[{"Name":"dsLogin","ColumnList":[)"
           R"({"Name":"company","DataType":"WideString"},{"Name":"username","DataType":"WideString"}],)"
           R"("RowList":[{"Original":{"company":)" +
           company + "}}]}]}}}";
}

TEST(StorageReader, loadsTheWrittenFileIntoAnOpenTableOnItsFirstRow) {
    auto table = loginTable();
    table->loadFromFile(dataPath(QStringLiteral("login_one_row.json")));
    EXPECT_TRUE(table->isOpen());
    EXPECT_EQ(table->state(), TableState::Browse);
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_EQ(table->currentRow(), 0);
    EXPECT_EQ(table->value(0), QStringLiteral("Firma \u015E\"/\\"));
    EXPECT_EQ(table->value(1), QStringLiteral("ion"));
    EXPECT_EQ(storageBytes(*table), dataFile(QStringLiteral("login_one_row.json")))
        << "saved again unchanged";
}

TEST(StorageReader, loadsATableWithoutRows) {
    auto table = loginTableWithRow(QStringLiteral("earlier"), std::nullopt);
    table->loadFromFile(dataPath(QStringLiteral("login_empty.json")));
    EXPECT_TRUE(table->isOpen());
    EXPECT_EQ(table->rowCount(), 0);
    EXPECT_EQ(table->currentRow(), -1);
}

TEST(StorageReader, readsIndentedTextWithoutByteOrderMarkAndAnyLetterCase) {
    const StoredTable stored = read(dataFile(QStringLiteral("indented_no_bom.json")));
    ASSERT_EQ(stored.rows.size(), 2);
    EXPECT_EQ(stored.rows.at(0),
              (Row{QStringLiteral("\u0162ar\u0103 \u0219i"), QStringLiteral("ana \U0001F642")}));
    EXPECT_EQ(stored.rows.at(1), (Row{QStringLiteral("second"), std::nullopt}));
    EXPECT_EQ(stored.savePoint, 0);
}

TEST(StorageReader, readsEveryOptionalMemberAndTakesCurrentValuesOverOriginal) {
    // Two tables, the wanted one second and named in other letter case; an extra integer column;
    // rows with pending states, one deleted; a journal with changes.
    const StoredTable stored = read(dataFile(QStringLiteral("all_members.json")));
    ASSERT_EQ(stored.rows.size(), 2);
    EXPECT_EQ(stored.rows.at(0), (Row{QStringLiteral("new"), std::nullopt}));
    EXPECT_EQ(stored.rows.at(1), (Row{QStringLiteral("c2"), std::nullopt}));
    EXPECT_EQ(stored.savePoint, 12);
}

TEST(StorageReader, takesTheFirstTableWhenNoneHasTheWantedName) {
    QByteArray file = minimalFile(R"("Alfa")");
    file.replace(R"("Name":"dsLogin")", R"("Name":"tblOther")");
    EXPECT_EQ(read(file).rows, (QList<Row>{{QStringLiteral("Alfa"), std::nullopt}}));
}

TEST(StorageReader, readsAFileWithoutTheOuterWrapper) {
    QByteArray file = minimalFile(R"("Alfa")");
    file.replace(R"({"FDBS":{"Manager")", R"({"Version":16,"Manager")");
    file.chop(1);
    EXPECT_EQ(read(file).rows, (QList<Row>{{QStringLiteral("Alfa"), std::nullopt}}));
}

struct DecodeCase {
    const char* name;
    QByteArray json;
    Value value;
};

class DecodesStrings : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodesStrings, toTheTextWritten) {
    const StoredTable stored = read(minimalFile(GetParam().json));
    ASSERT_EQ(stored.rows.size(), 1);
    EXPECT_EQ(stored.rows.at(0).at(0), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    StorageReader, DecodesStrings,
    ::testing::Values(DecodeCase{"shortEscapes", R"("\b\t\n\f\r\"\\\/")", QStringLiteral("\b\t\n\f\r\"\\/")},
                      DecodeCase{"hexEscapesInEitherCase", R"("\u0162\u021b\u00E9\u001f")",
                                 QStringLiteral("\u0162\u021B\u00E9\x1F")},
                      DecodeCase{"escapedSurrogatePair", R"("\ud83d\uDE42")", QStringLiteral("\U0001F642")},
                      DecodeCase{"twoByteSequences", "\"\xC5\x9F\xC8\x9B\"", QStringLiteral("\u015F\u021B")},
                      DecodeCase{"threeByteSequence", "\"\xE2\x82\xAC\"", QStringLiteral("\u20AC")},
                      DecodeCase{"surrogateHalvesInThreeBytesEach", "\"\xED\xA0\xBD\xED\xB9\x82\"",
                                 QStringLiteral("\U0001F642")},
                      DecodeCase{"fourByteSequenceAsSurrogatePair", "\"a\xF0\x9F\x99\x82z\"",
                                 QStringLiteral("a\U0001F642z")},
                      DecodeCase{"highestCharacter", "\"\xF4\x8F\xBF\xBF\"", QStringLiteral("\U0010FFFF")},
                      DecodeCase{"empty", R"("")", QString("")}, DecodeCase{"null", "null", std::nullopt}),
    [](const auto& info) { return info.param.name; });

struct RoundTripCase {
    const char* name;
    Value company;
    Value username;
};

class RoundTrips : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTrips, readsBackWhatWasWritten) {
    const auto table = loginTableWithRow(GetParam().company, GetParam().username);
    EXPECT_EQ(read(storageBytes(*table)).rows, (QList<Row>{{GetParam().company, GetParam().username}}));
}

QString allControlCodes() {
    QString text;
    for (char16_t unit = 1; unit < 0x20; ++unit)
        text.append(QChar(unit));
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    StorageReader, RoundTrips,
    ::testing::Values(
        RoundTripCase{"plain", QStringLiteral("Alfa SRL"), QStringLiteral("ion")},
        RoundTripCase{"romanian", QStringLiteral("\u0218ef \u0103\u00E2\u00EE\u0219\u021B"),
                      QStringLiteral("\u0102\u00C2\u00CE\u0218\u021A")},
        RoundTripCase{"quoteBackslashSlash", QStringLiteral("Firma \"X\" \\ A/B"), QStringLiteral("/")},
        RoundTripCase{"controlCodes", allControlCodes(), QStringLiteral("\x7F")},
        RoundTripCase{"outsideTheBmp", QStringLiteral("\U0001F642\U00010000"), QStringLiteral("\U0010FFFF")},
        RoundTripCase{"fullSize", QString(200, QChar(0x0219)), QString(200, QLatin1Char('u'))},
        RoundTripCase{"nulls", std::nullopt, std::nullopt},
        RoundTripCase{"emptyTexts", QString(""), QString("")}),
    [](const auto& info) { return info.param.name; });

struct MalformedCase {
    const char* name;
    QByteArray bytes;
    QString message;
};

class RefusesMalformedFiles : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(RefusesMalformedFiles, withTheBytePosition) {
    EXPECT_EQ(failureOf(GetParam().bytes), GetParam().message);
}

QString formatMessage(int position, const QString& detail) {
    return QStringLiteral("Invalid JSON storage format at position %1: %2").arg(position).arg(detail);
}

INSTANTIATE_TEST_SUITE_P(
    StorageReader, RefusesMalformedFiles,
    ::testing::Values(
        MalformedCase{"emptyFile", "", formatMessage(0, "a value expected, but the text ends")},
        MalformedCase{"byteOrderMarkOnly", "\xEF\xBB\xBF",
                      formatMessage(3, "a value expected, but the text ends")},
        MalformedCase{"array", "[1,2]", formatMessage(0, "the storage must be an object")},
        MalformedCase{"stringAfterBlanks", "  \"text\"", formatMessage(2, "the storage must be an object")},
        MalformedCase{"truncatedBetweenMembers", R"({"FDBS":{"Version":16,)",
                      formatMessage(22, "a member name expected, but the text ends")},
        MalformedCase{"truncatedInsideAName", R"({"FDBS)", formatMessage(6, "the text ends inside a string")},
        MalformedCase{"textAfterTheObject", "{}x",
                      formatMessage(2, "unexpected text after the end of the JSON value")},
        MalformedCase{"missingColon", R"({"FDBS" {}})", formatMessage(8, R"(":" expected)")},
        MalformedCase{"missingComma", R"({"a":1 "b":2})", formatMessage(7, R"("," or "}" expected)")},
        MalformedCase{"missingArrayComma", R"({"a":[1 2]})", formatMessage(8, R"("," or "]" expected)")},
        MalformedCase{"misspeltLiteral", R"({"a":tru})", formatMessage(5, "a value expected")},
        MalformedCase{"numberWithoutDigits", R"({"a":-})", formatMessage(6, "a digit expected")},
        MalformedCase{"unknownEscape", R"({"a\x":1})", formatMessage(3, "unknown escape sequence")},
        MalformedCase{"badHexDigit", R"({"\u12G4":1})", formatMessage(6, "a hexadecimal digit expected")},
        MalformedCase{"invalidUtf8Byte", "{\"a\xFF\":1}", formatMessage(3, "invalid UTF-8 byte")},
        MalformedCase{"incompleteUtf8", "{\"a\xC3\":1}", formatMessage(3, "incomplete UTF-8 sequence")},
        MalformedCase{"overlongUtf8", "{\"\xE0\x80\x80\":1}", formatMessage(2, "invalid UTF-8 sequence")},
        MalformedCase{"beyondUnicode", "{\"\xF4\x90\x80\x80\":1}",
                      formatMessage(2, "invalid UTF-8 sequence")},
        MalformedCase{"rawTabInString", "{\"a\tb\":1}",
                      formatMessage(3, "control character inside a string")},
        MalformedCase{"nestedTooDeeply", QByteArray(1000, '['),
                      formatMessage(201, "values nested too deeply")},
        MalformedCase{"noManager", R"({"FDBS":{"Version":16}})",
                      formatMessage(8, R"(member "Manager" is missing)")},
        MalformedCase{"versionAsText", R"({"FDBS":{"Version":"16"}})",
                      formatMessage(19, R"("Version" must be an integer)")},
        MalformedCase{"versionAsFraction", R"({"FDBS":{"Version":16.5}})",
                      formatMessage(19, R"("Version" must be an integer)")},
        MalformedCase{"tableListNotAnArray", R"({"FDBS":{"Manager":{"TableList":5}}})",
                      formatMessage(32, R"("TableList" must be an array)")},
        MalformedCase{"tableNotAnObject", R"({"FDBS":{"Manager":{"TableList":[1]}}})",
                      formatMessage(33, R"(each element of "TableList" must be an object)")},
        MalformedCase{"noTable", R"({"FDBS":{"Manager":{"TableList":[]}}})",
                      formatMessage(19, "the storage holds no table")}),
    [](const auto& info) { return info.param.name; });

// Cases on a whole written file with one part changed: the position is that of the changed part.
struct DamagedCase {
    const char* name;
    QByteArray from;
    QByteArray to;
    QString message; // %1 stands for the byte position of the changed value
};

class RefusesDamagedFiles : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(RefusesDamagedFiles, namingWhatIsWrong) {
    QByteArray file = dataFile(QStringLiteral("login_one_row.json"));
    const qsizetype position = file.indexOf(GetParam().from);
    ASSERT_GE(position, 0);
    file.replace(position, GetParam().from.size(), GetParam().to);
    const qsizetype valuePosition = position + GetParam().to.indexOf(':') + 1;
    const QString message = GetParam().message;
    EXPECT_EQ(failureOf(file), message.contains(QLatin1String("%1")) ? message.arg(valuePosition) : message);
}

INSTANTIATE_TEST_SUITE_P(
    StorageReader, RefusesDamagedFiles,
    ::testing::Values(
        DamagedCase{"columnMissing", R"("Name":"username")", R"("Name":"user")",
                    R"(Table "dsLogin" of the JSON storage has no column "username")"},
        DamagedCase{
            "columnOfAnotherType", R"("DataType":"WideString")", R"("DataType":"Integer")",
            R"(Column "company" of table "dsLogin" of the JSON storage is of type "Integer", not of a text type)"},
        DamagedCase{
            "valueNotAString", R"("username":"ion")", R"("username":5)",
            R"(Invalid JSON storage format at position %1: the value of "username" must be a string)"},
        DamagedCase{"flagNotABoolean", R"("Searchable":true)", R"("Searchable":1)",
                    R"(Invalid JSON storage format at position %1: "Searchable" must be true or false)"},
        DamagedCase{"rowIdNotAnInteger", R"("RowID":0)", R"("RowID":"0")",
                    R"(Invalid JSON storage format at position %1: "RowID" must be an integer)"}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace wc::mem

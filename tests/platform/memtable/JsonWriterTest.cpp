#include "memtable/JsonWriter.h"

#include <QString>

#include <gtest/gtest.h>

namespace wc::mem {
namespace {

struct EscapeCase {
    const char* name;
    QString text;
    QByteArray written;
};

class WritesStringsUnitByUnit : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(WritesStringsUnitByUnit, asTheStorageFormatEncodesThem) {
    JsonWriter json;
    json.string(GetParam().text);
    EXPECT_EQ(json.bytes(), GetParam().written);
}

QString units(std::initializer_list<char16_t> codeUnits) {
    QString text;
    for (const char16_t unit : codeUnits)
        text.append(QChar(unit));
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    JsonWriter, WritesStringsUnitByUnit,
    ::testing::Values(EscapeCase{"empty", QString(), R"("")"},
                      EscapeCase{"plainAscii", QStringLiteral("ion 42~"), R"("ion 42~")"},
                      EscapeCase{"delIsWrittenAsItIs", units({0x7F}), QByteArray("\"\x7F\"")},
                      EscapeCase{"shortEscapes", units({8, 9, 10, 12, 13}), R"("\b\t\n\f\r")"},
                      EscapeCase{"otherControlCodesInUppercaseHex", units({1, 7, 11, 14, 0x1A, 0x1F}),
                                 R"("\u0001\u0007\u000B\u000E\u001A\u001F")"},
                      EscapeCase{"quoteBackslashSlash", QStringLiteral("a\"b\\c/d"), R"("a\"b\\c\/d")"},
                      EscapeCase{"codeUnitZeroEndsTheString", units({'a', 'b', 0, 'c', 'd'}), R"("ab")"},
                      EscapeCase{"codeUnitZeroFirst", units({0, 'x'}), R"("")"},
                      EscapeCase{"twoByteRange", units({0x80, 0x0219, 0x07FF}),
                                 "\"\xC2\x80\xC8\x99\xDF\xBF\""},
                      EscapeCase{"threeByteRange", units({0x0800, 0x20AC, 0xFFFF}),
                                 "\"\xE0\xA0\x80\xE2\x82\xAC\xEF\xBF\xBF\""},
                      EscapeCase{"surrogateHalvesEachAsThreeBytes", QStringLiteral("\U0001F600"),
                                 "\"\xED\xA0\xBD\xED\xB8\x80\""},
                      EscapeCase{"loneSurrogate", units({0xDC00}), "\"\xED\xB0\x80\""}),
    [](const auto& info) { return info.param.name; });

TEST(JsonWriter, separatesMembersAndElementsWithCommasOnly) {
    JsonWriter json;
    json.beginObject();
    json.name(u"a");
    json.beginArray();
    json.integer(-1);
    json.boolean(false);
    json.beginObject();
    json.endObject();
    json.beginArray();
    json.endArray();
    json.endArray();
    json.name(u"b");
    json.boolean(true);
    json.endObject();
    EXPECT_EQ(json.bytes(), QByteArray(R"({"a":[-1,false,{},[]],"b":true})"));
}

} // namespace
} // namespace wc::mem

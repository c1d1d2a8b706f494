#include "http/BodyText.h"

#include <gtest/gtest.h>

namespace wc::http {
namespace {

struct BodyCase {
    const char* contentType;
    QByteArray body;
    QString expected;
};

class BodyTextTest : public ::testing::TestWithParam<BodyCase> {};

TEST_P(BodyTextTest, decodesByCharsetOfContentType) {
    EXPECT_EQ(bodyText(GetParam().body, GetParam().contentType), GetParam().expected);
}

const QString kCafe = QStringLiteral("caf\u00e9 \u0218");

INSTANTIATE_TEST_SUITE_P(
    Types, BodyTextTest,
    ::testing::Values(BodyCase{"application/json; charset=utf-8", kCafe.toUtf8(), kCafe},
                      BodyCase{"text/plain; charset=ISO-8859-1", "caf\xe9", QStringLiteral("caf\u00e9")},
                      BodyCase{"text/plain;Charset=\"latin1\"", "caf\xe9", QStringLiteral("caf\u00e9")},
                      BodyCase{"text/plain; format=flowed; charset=UTF-16LE", QByteArray("o\0k\0", 4),
                               QStringLiteral("ok")},
                      BodyCase{"application/json; charset=x-no-such-charset", kCafe.toUtf8(), kCafe},
                      BodyCase{"application/json; charset=locale", kCafe.toUtf8(), kCafe},
                      BodyCase{"text/html", kCafe.toUtf8(), kCafe}, BodyCase{"", kCafe.toUtf8(), kCafe},
                      BodyCase{"application/json", "\xef\xbb\xbf{}", QStringLiteral("{}")},
                      BodyCase{"application/octet-stream", "{}", QString()},
                      BodyCase{"Application/PDF; charset=utf-8", "%PDF", QString()},
                      BodyCase{"image/png", "\x89PNG", QString()}, BodyCase{"video/mp4", "....", QString()}));

TEST(BodyText, replacesBytesInvalidInCharset) {
    EXPECT_EQ(bodyText("ok\xff", "text/plain; charset=utf-8"), QStringLiteral("ok\ufffd"));
}

} // namespace
} // namespace wc::http

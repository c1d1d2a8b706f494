// How a received page is read: which bodies are one JSON object, which member says that
// another page follows, and what is stored when reading fails.
#include "ShopFixture.h"

using namespace wc::test;

namespace {

// A reply with exactly this Content-Type, or none when it is empty.
Reply ofType(const QByteArray& contentType, const QByteArray& body) {
    Reply reply;
    if (!contentType.isEmpty())
        reply.headers.append(HttpField{"Content-Type", contentType});
    reply.body = body;
    return reply;
}

const QByteArray kLast = R"({"data":[],"meta":{"links":{"next":null}}})";

struct AcceptedCase {
    const char* name;
    QByteArray contentType;
    QByteArray body;
    QString stored;
};

// Bodies that hold one JSON object whose "next" is null, whatever surrounds it.
class AcceptedLastPage : public ShopFixture, public ::testing::WithParamInterface<AcceptedCase> {};

TEST_P(AcceptedLastPage, isStoredAsTextAndEndsTheRetrieval) {
    const AcceptedCase& c = GetParam();
    shop.enqueue(ofType(c.contentType, c.body));

    EXPECT_EQ(fetch(), "<none>");

    EXPECT_EQ(storedPages(), 1);
    EXPECT_EQ(storedPage(1), c.stored);
    EXPECT_EQ(memoShapes(), QStringList({"Incepe", "Sfarsit"}));
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, AcceptedLastPage,
    ::testing::Values(
        AcceptedCase{"trailingLineFeed", "application/json", kLast + "\n", QString::fromUtf8(kLast + "\n")},
        AcceptedCase{"blanksAround", "application/json", " \t\r\n" + kLast + "\r\n\t ",
                     QString::fromUtf8(" \t\r\n" + kLast + "\r\n\t ")},
        // The mark is not part of the text: the database gets the object alone.
        AcceptedCase{"byteOrderMark", "application/json; charset=utf-8", "\xEF\xBB\xBF" + kLast,
                     QString::fromUtf8(kLast)},
        AcceptedCase{"byteOrderMarkWithoutContentType", "", "\xEF\xBB\xBF" + kLast, QString::fromUtf8(kLast)},
        AcceptedCase{"declaredCharset", "application/json; charset=ISO-8859-1",
                     R"({"oras":"C)" + QByteArray("\xE2") + R"(mpina","meta":{"links":{"next":null}}})",
                     QStringLiteral(R"({"oras":"Câmpina","meta":{"links":{"next":null}}})")}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusedCase {
    const char* name;
    QByteArray contentType;
    QByteArray body;
    QString failure;
};

// Bodies that are not one JSON object: the page has its line, then the failure; nothing of
// it is stored.
class RefusedPage : public ShopFixture, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedPage, failsAfterItsLineAndIsNotStored) {
    const RefusedCase& c = GetParam();
    shop.enqueue(ofType(c.contentType, c.body));

    EXPECT_EQ(fetch(), c.failure);

    EXPECT_EQ(storedPages(), 0);
    EXPECT_EQ(memoShapes(), QStringList{"Incepe"});
}

const QString kParse = QStringLiteral("(getOrdersByCreatedAfter) Eroare la parsare Json");
const QString kTypecast = QStringLiteral("Invalid class typecast");

INSTANTIATE_TEST_SUITE_P(
    Bodies, RefusedPage,
    ::testing::Values(
        RefusedCase{"html", "text/html", "<!DOCTYPE html><html><body>Mentenanta</body></html>", kParse},
        RefusedCase{"empty", "application/json", "", kParse},
        RefusedCase{"onlyBlanks", "application/json", " \r\n", kParse},
        RefusedCase{"textAfterTheValue", "application/json", kLast + " x", kParse},
        RefusedCase{"secondValue", "application/json", kLast + kLast, kParse},
        RefusedCase{"trailingComma", "application/json", R"({"meta":{"links":{"next":null}},})", kParse},
        RefusedCase{"singleQuotes", "application/json", "{'meta':1}", kParse},
        RefusedCase{"notANumber", "application/json", R"({"total":NaN,"meta":{"links":{"next":null}}})",
                    kParse},
        RefusedCase{"comment", "application/json", "/* pagina */" + kLast, kParse},
        RefusedCase{"zeroByteAfterTheValue", "application/json", kLast + QByteArray("\0x", 2), kParse},
        RefusedCase{"formFeedAround", "application/json", "\f" + kLast, kParse},
        RefusedCase{"deeplyNested", "application/json", QByteArray(200000, '['), kParse},
        // A binary media type gives no text, so there is nothing to read.
        RefusedCase{"binaryType", "application/octet-stream", kLast, kParse},
        RefusedCase{"array", "application/json", "[" + kLast + "]", kTypecast},
        RefusedCase{"string", "application/json", R"("pagina")", kTypecast},
        RefusedCase{"number", "application/json", "100", kTypecast},
        RefusedCase{"null", "application/json", "null", kTypecast}),
    [](const auto& info) { return std::string(info.param.name); });

struct NextCase {
    const char* name;
    QByteArray body;
    int requests;
};

// Only the first member of a repeated name counts, at every step of meta.links.next.
class RepeatedMember : public ShopFixture, public ::testing::WithParamInterface<NextCase> {};

TEST_P(RepeatedMember, firstOneDecides) {
    const NextCase& c = GetParam();
    shop.enqueue(Reply::json(c.body));
    shop.enqueue(Reply::json(kLast));

    EXPECT_EQ(fetch(), "<none>");

    EXPECT_EQ(shop.requests().size(), c.requests);
    EXPECT_EQ(storedPages(), c.requests);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, RepeatedMember,
    ::testing::Values(
        NextCase{"nextNullFirst", R"({"meta":{"links":{"next":null,"next":"p2"}}})", 1},
        NextCase{"nextLinkFirst", R"({"meta":{"links":{"next":"p2","next":null}}})", 2},
        NextCase{"linksNullFirst", R"({"meta":{"links":{"next":null},"links":{"next":"p2"}}})", 1},
        // Only the page's own meta counts, not one inside an order.
        NextCase{"metaInsideAnOrder",
                 R"({"data":[{"meta":{"links":{"next":null}}}],"meta":{"links":{"next":"p2"}}})", 2},
        NextCase{"metaLinkFirst", R"({"meta":{"links":{"next":"p2"}},"meta":{"links":{"next":null}}})", 2}),
    [](const auto& info) { return std::string(info.param.name); });

struct MissingCase {
    const char* name;
    QByteArray body;
    QString failure;
};

// A page that does not say whether another follows ends the retrieval after it is stored.
class MissingNext : public ShopFixture, public ::testing::WithParamInterface<MissingCase> {};

TEST_P(MissingNext, failsNamingTheMissingStepAfterStoringThePage) {
    const MissingCase& c = GetParam();
    shop.enqueue(Reply::json(c.body));

    EXPECT_EQ(fetch(), c.failure);

    EXPECT_EQ(shop.requests().size(), 1);
    EXPECT_EQ(storedPage(1), QString::fromUtf8(c.body));
    EXPECT_EQ(memoShapes(), QStringList{"Incepe"});
}

const QString kNoMeta = QStringLiteral("(getOrdersByCreatedAfter) Pagina nu contine obiectul meta");
const QString kNoLinks = QStringLiteral("(getOrdersByCreatedAfter) Pagina nu contine obiectul meta.links");
const QString kNoNext = QStringLiteral("(getOrdersByCreatedAfter) Pagina nu contine meta.links.next");

INSTANTIATE_TEST_SUITE_P(
    Pages, MissingNext,
    ::testing::Values(
        MissingCase{"emptyObject", "{}", kNoMeta},
        MissingCase{"metaNull", R"({"data":[],"meta":null})", kNoMeta},
        MissingCase{"metaArray", R"({"meta":[{"links":{"next":null}}]})", kNoMeta},
        MissingCase{"metaOtherCase", R"({"Meta":{"links":{"next":null}}})", kNoMeta},
        MissingCase{"firstMetaNotAnObject", R"({"meta":1,"meta":{"links":{"next":null}}})", kNoMeta},
        MissingCase{"noLinks", R"({"meta":{"total":0}})", kNoLinks},
        MissingCase{"linksString", R"({"meta":{"links":"next"}})", kNoLinks},
        MissingCase{"noNext", R"({"meta":{"links":{"prev":null}}})", kNoNext},
        MissingCase{"nextOtherCase", R"({"meta":{"links":{"Next":null}}})", kNoNext},
        MissingCase{"nextOneLevelTooDeep", R"({"meta":{"links":{"self":{"next":null}}}})", kNoNext},
        MissingCase{"nextAtTop", R"({"next":null,"meta":{"links":{}}})", kNoNext}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

#include "shop/OrderPage.h"

#include "core/Failure.h"

#include <QByteArray>

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// The member of that name (the first one, should the name repeat), or nothing when the
// value is not an object or has no such member.
const rapidjson::Value* memberOf(const rapidjson::Value& value, const char* name) {
    if (!value.IsObject())
        return nullptr;
    const auto found = value.FindMember(name);
    return found == value.MemberEnd() ? nullptr : &found->value;
}

[[noreturn]] void missing(const char* what) {
    throw wc::Failure(
        QStringLiteral("(getOrdersByCreatedAfter) Pagina nu contine %1").arg(QLatin1String(what)));
}

} // namespace

OrderPage::OrderPage(const QString& bodyText) {
    QByteArray utf8 = bodyText.toUtf8();
    if (utf8.startsWith(kUtf8Bom))
        utf8.remove(0, kUtf8Bom.size());
    // After the value only blanks may follow, and an empty text is an error.
    // The iterative parser keeps deeply nested input from exhausting the stack.
    document_.Parse<rapidjson::kParseIterativeFlag>(utf8.constData(), size_t(utf8.size()));
    if (document_.HasParseError())
        throw wc::Failure(QStringLiteral("(getOrdersByCreatedAfter) Eroare la parsare Json"));
    if (!document_.IsObject())
        throw wc::Failure(QStringLiteral("Invalid class typecast"));
}

bool OrderPage::isLast() const {
    const rapidjson::Value* meta = memberOf(document_, "meta");
    if (!meta || !meta->IsObject())
        missing("obiectul meta");
    const rapidjson::Value* links = memberOf(*meta, "links");
    if (!links || !links->IsObject())
        missing("obiectul meta.links");
    const rapidjson::Value* next = memberOf(*links, "next");
    if (!next)
        missing("meta.links.next");
    return next->IsNull();
}

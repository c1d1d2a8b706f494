#include "db/FieldKind.h"

namespace wc::db {

bool kindAccepts(FieldKind kind, unsigned t) {
    switch (kind) {
    case FieldKind::ShortText:
        return t == oid::Varchar || t == oid::Bpchar;
    case FieldKind::LongText:
        return t == oid::Text || t == oid::Json || t == oid::Jsonb;
    case FieldKind::Boolean:
        return t == oid::Bool;
    case FieldKind::Date:
    case FieldKind::DateTime:
        return t == oid::Date || t == oid::Time || t == oid::Timestamp || t == oid::TimestampTz;
    case FieldKind::Integer:
        return t == oid::Int2 || t == oid::Int4;
    case FieldKind::LargeInt:
        return t == oid::Int2 || t == oid::Int4 || t == oid::Int8;
    case FieldKind::Float:
        return t == oid::Float4 || t == oid::Float8 || t == oid::Numeric;
    }
    return false;
}

FieldKind kindForType(unsigned t) {
    switch (t) {
    case oid::Varchar:
    case oid::Bpchar:
        return FieldKind::ShortText;
    case oid::Bool:
        return FieldKind::Boolean;
    case oid::Date:
        return FieldKind::Date;
    case oid::Time:
    case oid::Timestamp:
    case oid::TimestampTz:
        return FieldKind::DateTime;
    case oid::Int2:
    case oid::Int4:
        return FieldKind::Integer;
    case oid::Int8:
        return FieldKind::LargeInt;
    case oid::Float4:
    case oid::Float8:
    case oid::Numeric:
        return FieldKind::Float;
    default:
        return FieldKind::LongText;
    }
}

QString kindName(FieldKind kind) {
    switch (kind) {
    case FieldKind::ShortText:
        return QStringLiteral("WideString");
    case FieldKind::LongText:
        return QStringLiteral("WideMemo");
    case FieldKind::Boolean:
        return QStringLiteral("Boolean");
    case FieldKind::Date:
        return QStringLiteral("Date");
    case FieldKind::DateTime:
        return QStringLiteral("DateTime");
    case FieldKind::Integer:
        return QStringLiteral("Integer");
    case FieldKind::LargeInt:
        return QStringLiteral("LargeInt");
    case FieldKind::Float:
        return QStringLiteral("Float");
    }
    return {};
}

QString typeKindName(unsigned t) {
    switch (t) {
    case oid::Int2:
        return QStringLiteral("SmallInt");
    case oid::Int4:
        return QStringLiteral("Integer");
    case oid::Int8:
        return QStringLiteral("LargeInt");
    case oid::Time:
        return QStringLiteral("Time");
    case oid::Numeric:
        return QStringLiteral("FMTBcd");
    case oid::Bytea:
        return QStringLiteral("Blob");
    default:
        return kindName(kindForType(t));
    }
}

ParamType paramTypeFor(FieldKind kind) {
    switch (kind) {
    case FieldKind::ShortText:
    case FieldKind::LongText:
        return ParamType::Text;
    case FieldKind::Boolean:
        return ParamType::Boolean;
    case FieldKind::Date:
        return ParamType::Date;
    case FieldKind::DateTime:
        return ParamType::DateTime;
    case FieldKind::Integer:
        return ParamType::Integer;
    case FieldKind::LargeInt:
        return ParamType::LargeInt;
    case FieldKind::Float:
        return ParamType::Float;
    }
    return ParamType::Unknown;
}

bool isTextKind(FieldKind kind) { return kind == FieldKind::ShortText || kind == FieldKind::LongText; }

} // namespace wc::db

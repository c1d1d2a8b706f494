#pragma once

#include "db/Params.h"

#include <QString>

namespace wc::db {

// The kinds a query declares for its result columns; opening checks each against the
// column's type OID.
enum class FieldKind {
    ShortText, // varchar(n), char(n)
    LongText,  // text
    Boolean,
    Date,     // date, time or timestamp
    DateTime, // date, time or timestamp
    Integer,  // 16- or 32-bit integer; a 64-bit column is refused
    LargeInt, // 64-bit integer (narrower integers widen)
    Float,
};

bool kindAccepts(FieldKind kind, unsigned typeOid);
// The kind a column gets when the query declares none.
FieldKind kindForType(unsigned typeOid);
QString kindName(FieldKind kind);
QString typeKindName(unsigned typeOid);
ParamType paramTypeFor(FieldKind kind);
bool isTextKind(FieldKind kind);

namespace oid {
inline constexpr unsigned Bool = 16, Bytea = 17, Int8 = 20, Int2 = 21, Int4 = 23, Text = 25, Json = 114,
                          Float4 = 700, Float8 = 701, Bpchar = 1042, Varchar = 1043, Date = 1082, Time = 1083,
                          Timestamp = 1114, TimestampTz = 1184, Numeric = 1700, Jsonb = 3802;
}

} // namespace wc::db

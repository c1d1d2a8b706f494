#pragma once

#include <QString>
#include <QVariant>

namespace wc::grid {

// How a column shows its value.
enum class ColumnKind { Text, MultiLineText, Number, Date, DateTime };

// The text a cell shows for a source value: numbers as plain digits, dates and date-times in the
// user's regional short format, an invalid value (NULL) as nothing.
QString cellText(const QVariant& value, ColumnKind kind);

// Whether the column's values are compared as typed keys (numbers, dates) rather than as text.
inline bool isTextKind(ColumnKind kind) {
    return kind == ColumnKind::Text || kind == ColumnKind::MultiLineText;
}

} // namespace wc::grid

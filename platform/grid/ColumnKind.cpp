#include "grid/ColumnKind.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>

namespace wc::grid {

QString cellText(const QVariant& value, ColumnKind kind) {
    if (!value.isValid() || value.isNull())
        return {};
    switch (kind) {
    case ColumnKind::Date:
        return QLocale().toString(value.toDate(), QLocale::ShortFormat);
    case ColumnKind::DateTime:
        return QLocale().toString(value.toDateTime(), QLocale::ShortFormat);
    case ColumnKind::Number:
    case ColumnKind::Text:
    case ColumnKind::MultiLineText:
        break;
    }
    return value.toString();
}

} // namespace wc::grid

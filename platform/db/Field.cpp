#include "db/Field.h"

#include "db/Query.h"

#include <cstdlib>
#include <cstring>

namespace wc::db {
namespace {

int digits(const char* p, int n) {
    int v = 0;
    for (int i = 0; i < n; ++i) {
        if (p[i] < '0' || p[i] > '9')
            return -1;
        v = v * 10 + (p[i] - '0');
    }
    return v;
}

// "HH:MM:SS[.ffffff]"; returns the time and advances p past it.
QTime parseTime(const char*& p) {
    const int h = digits(p, 2), m = digits(p + 3, 2), s = digits(p + 6, 2);
    if (h < 0 || m < 0 || s < 0 || p[2] != ':' || p[5] != ':')
        return {};
    p += 8;
    int ms = 0;
    if (*p == '.') {
        ++p;
        int scale = 100;
        for (; *p >= '0' && *p <= '9'; ++p, scale /= 10)
            ms += (*p - '0') * scale;
    }
    return QTime(h, m, s, ms);
}

} // namespace

QDate parseDate(const char* text) {
    if (std::strlen(text) < 10 || text[4] != '-' || text[7] != '-')
        return {};
    return QDate(digits(text, 4), digits(text + 5, 2), digits(text + 8, 2));
}

QDateTime parseDateTime(const char* text) {
    const QDate date = parseDate(text);
    const char* p = text;
    if (date.isValid()) {
        p += 10;
        if (*p != ' ' && *p != 'T')
            return QDateTime(date, QTime(0, 0));
        ++p;
    } else if (std::strlen(text) < 8 || text[2] != ':') {
        return {};
    }
    const QTime time = parseTime(p);
    if (!time.isValid())
        return {};
    const QDate day = date.isValid() ? date : QDate(1899, 12, 30);
    if (*p == '+' || *p == '-') {
        const int sign = *p == '-' ? -1 : 1;
        const int hours = digits(p + 1, 2);
        const int minutes = p[3] == ':' ? digits(p + 4, 2) : 0;
        return QDateTime(day, time, Qt::OffsetFromUTC, sign * (hours * 3600 + minutes * 60)).toLocalTime();
    }
    return QDateTime(day, time);
}

Field::Field(Query& query, QString name, FieldKind kind, int size, bool required)
    : query_(query), name_(std::move(name)), kind_(kind), size_(size), required_(required) {
    query_.fields_.push_back(this);
}

const char* Field::raw() const {
    query_.requireOpen();
    if (query_.current_ < 0)
        return nullptr;
    return query_.rawValue(query_.current_, column_);
}

bool Field::isNull() const { return raw() == nullptr; }

QString Field::asString() const {
    const char* v = raw();
    if (!v)
        return {};
    if (kind_ == FieldKind::Boolean)
        return *v == 't' ? QStringLiteral("True") : QStringLiteral("False");
    return QString::fromUtf8(v);
}

int Field::asInteger() const { return int(asLargeInt()); }

qint64 Field::asLargeInt() const {
    const char* v = raw();
    return v ? std::strtoll(v, nullptr, 10) : 0;
}

bool Field::asBoolean() const {
    const char* v = raw();
    return v && *v == 't';
}

double Field::asFloat() const {
    const char* v = raw();
    return v ? QByteArray(v).toDouble() : 0.0;
}

QDate Field::asDate() const {
    const char* v = raw();
    return v ? parseDate(v) : QDate();
}

QDateTime Field::asDateTime() const {
    const char* v = raw();
    return v ? parseDateTime(v) : QDateTime();
}

QVariant Field::valueAt(int row) const {
    const char* v = query_.rawValue(row, column_);
    if (!v)
        return isTextKind(kind_) ? QVariant(QString()) : QVariant();
    switch (kind_) {
    case FieldKind::ShortText:
    case FieldKind::LongText:
        return QString::fromUtf8(v);
    case FieldKind::Boolean:
        return *v == 't';
    case FieldKind::Date:
        return parseDate(v);
    case FieldKind::DateTime:
        return parseDateTime(v);
    case FieldKind::Integer:
    case FieldKind::LargeInt:
        return qlonglong(std::strtoll(v, nullptr, 10));
    case FieldKind::Float:
        return QByteArray(v).toDouble();
    }
    return {};
}

void Field::setAsString(const QString& value) {
    if (value.isEmpty())
        query_.setEditValue(column_, std::nullopt);
    else
        query_.setEditValue(column_, value.toUtf8());
}

void Field::setAsLargeInt(qint64 value) { query_.setEditValue(column_, QByteArray::number(value)); }

void Field::clear() { query_.setEditValue(column_, std::nullopt); }

} // namespace wc::db

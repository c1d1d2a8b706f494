#pragma once

#include "db/FieldKind.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

namespace wc::db {

class Query;

// A result column of a query, declared with its kind and bound by name when the query
// opens. Values are read from the query's current row.
class Field {
public:
    // Declares the column on the query; the query checks it at every opening.
    Field(Query& query, QString name, FieldKind kind, int size = 0, bool required = false);
    Field(const Field&) = delete;
    Field& operator=(const Field&) = delete;

    const QString& name() const { return name_; }
    FieldKind kind() const { return kind_; }
    int size() const { return size_; }
    bool required() const { return required_; }
    int column() const { return column_; }

    bool isNull() const;
    QString asString() const; // NULL reads as the empty text
    int asInteger() const;
    qint64 asLargeInt() const;
    bool asBoolean() const;
    double asFloat() const;
    QDate asDate() const;
    QDateTime asDateTime() const;
    // The value of any row, typed by kind (QString, qlonglong, bool, double, QDate,
    // QDateTime); NULL gives an empty text for text kinds and an invalid QVariant otherwise.
    QVariant valueAt(int row) const;

    // Editing: the row must be in editing. The empty text is stored as NULL.
    void setAsString(const QString& value);
    void setAsLargeInt(qint64 value);
    void clear();

private:
    friend class Query;
    const char* raw() const;

    Query& query_;
    QString name_;
    FieldKind kind_;
    int size_;
    bool required_;
    int column_ = -1;
};

// Value conversions from the server's text form.
QDate parseDate(const char* text);
QDateTime parseDateTime(const char* text);

} // namespace wc::db

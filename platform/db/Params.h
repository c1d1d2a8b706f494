#pragma once

#include "db/Connection.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <deque>

namespace wc::db {

enum class ParamType { Unknown, Text, Integer, LargeInt, Boolean, Float, Date, DateTime };

// One named statement parameter with its kind and value.
class Param {
public:
    explicit Param(QString name) : name_(std::move(name)) {}

    const QString& name() const { return name_; }
    ParamType type() const { return type_; }
    bool isNull() const { return null_; }

    void setDataType(ParamType type) { type_ = type; }
    void setAsString(const QString& value);
    void setAsInteger(int value);
    void setAsLargeInt(qint64 value);
    void setAsBoolean(bool value);
    void setAsFloat(double value);
    void setAsDate(const QDate& value);
    void setAsDateTime(const QDateTime& value);
    // Value in its wire text form with an explicit kind; used to copy a column's value.
    void setWire(ParamType type, bool isNull, const QString& text);
    void clear();

    QString asString() const { return text_; }
    WireParam wire() const;

private:
    void set(ParamType type, QString text);

    QString name_;
    ParamType type_ = ParamType::Unknown;
    bool null_ = true;
    QString text_;
};

// A statement with ":name" parameters rewritten to $1..$n for the server.
struct ParsedSql {
    QByteArray text;
    QStringList names; // one per $n, in order, as first written
};
ParsedSql parseSql(const QString& sql);

// The parameters of one statement, found by name without regard to case.
class Params {
public:
    // Rebuilds the list for a new statement, keeping values of names that remain.
    void reset(const QStringList& names);
    Param& byName(const QString& name);
    Param* find(const QString& name);
    int count() const { return int(params_.size()); }
    Param& at(int i) { return params_[size_t(i)]; }
    std::vector<WireParam> wire() const;

private:
    std::deque<Param> params_;
};

} // namespace wc::db

#include "db/Params.h"

#include "core/Failure.h"

namespace wc::db {
namespace {

unsigned typeOid(ParamType type) {
    switch (type) {
    case ParamType::Unknown:
        return 0;
    case ParamType::Text:
        return 25;
    case ParamType::Integer:
        return 23;
    case ParamType::LargeInt:
        return 20;
    case ParamType::Boolean:
        return 16;
    case ParamType::Float:
        return 701;
    case ParamType::Date:
        return 1082;
    case ParamType::DateTime:
        return 1114;
    }
    return 0;
}

bool isIdentStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool isIdentPart(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

// Index just past a quoted run starting at i (quote char q, doubled quote escapes it).
qsizetype skipQuoted(const QString& s, qsizetype i, QChar q) {
    for (++i; i < s.size(); ++i) {
        if (s[i] == q) {
            if (i + 1 < s.size() && s[i + 1] == q)
                ++i;
            else
                return i + 1;
        }
    }
    return s.size();
}

// Index just past a dollar-quoted body starting at i, or i when no tag starts here.
qsizetype skipDollarQuoted(const QString& s, qsizetype i) {
    qsizetype j = i + 1;
    while (j < s.size() && isIdentPart(s[j]) && !(j == i + 1 && s[j].isDigit()))
        ++j;
    if (j >= s.size() || s[j] != QLatin1Char('$'))
        return i;
    const QString tag = s.mid(i, j - i + 1);
    const qsizetype end = s.indexOf(tag, j + 1);
    return end < 0 ? s.size() : end + tag.size();
}

} // namespace

void Param::set(ParamType type, QString text) {
    type_ = type;
    null_ = false;
    text_ = std::move(text);
}

void Param::setAsString(const QString& value) { set(ParamType::Text, value); }
void Param::setAsInteger(int value) { set(ParamType::Integer, QString::number(value)); }
void Param::setAsLargeInt(qint64 value) { set(ParamType::LargeInt, QString::number(value)); }
void Param::setAsBoolean(bool value) { set(ParamType::Boolean, value ? "true" : "false"); }
void Param::setAsFloat(double value) { set(ParamType::Float, QString::number(value, 'g', 17)); }
void Param::setAsDate(const QDate& value) { set(ParamType::Date, value.toString(Qt::ISODate)); }
void Param::setAsDateTime(const QDateTime& value) {
    set(ParamType::DateTime, value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")));
}

void Param::setWire(ParamType type, bool isNull, const QString& text) {
    type_ = type;
    null_ = isNull;
    text_ = isNull ? QString() : text;
}

void Param::clear() {
    null_ = true;
    text_.clear();
}

WireParam Param::wire() const { return {typeOid(type_), null_, null_ ? QByteArray() : text_.toUtf8()}; }

ParsedSql parseSql(const QString& sql) {
    ParsedSql parsed;
    QString out;
    out.reserve(sql.size());
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql[i];
        qsizetype next = i + 1;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            next = skipQuoted(sql, i, c);
        } else if (c == QLatin1Char('-') && sql.mid(i, 2) == QLatin1String("--")) {
            const qsizetype eol = sql.indexOf(QLatin1Char('\n'), i);
            next = eol < 0 ? sql.size() : eol;
        } else if (c == QLatin1Char('/') && sql.mid(i, 2) == QLatin1String("/*")) {
            const qsizetype end = sql.indexOf(QLatin1String("*/"), i + 2);
            next = end < 0 ? sql.size() : end + 2;
        } else if (c == QLatin1Char('$')) {
            next = std::max(skipDollarQuoted(sql, i), i + 1);
        } else if (c == QLatin1Char(':')) {
            if (i + 1 < sql.size() && sql[i + 1] == QLatin1Char(':')) {
                next = i + 2; // a ::cast, not a parameter
            } else if (i + 1 < sql.size() && isIdentStart(sql[i + 1])) {
                qsizetype end = i + 1;
                while (end < sql.size() && isIdentPart(sql[end]))
                    ++end;
                const QString name = sql.mid(i + 1, end - i - 1);
                qsizetype index = -1;
                for (qsizetype k = 0; k < parsed.names.size(); ++k)
                    if (parsed.names[k].compare(name, Qt::CaseInsensitive) == 0)
                        index = k;
                if (index < 0) {
                    parsed.names << name;
                    index = parsed.names.size() - 1;
                }
                out += QLatin1Char('$') + QString::number(index + 1);
                i = end;
                continue;
            }
        }
        out += QStringView(sql).mid(i, next - i);
        i = next;
    }
    parsed.text = out.toUtf8();
    return parsed;
}

void Params::reset(const QStringList& names) {
    std::deque<Param> rebuilt;
    for (const QString& name : names) {
        if (const Param* old = find(name))
            rebuilt.push_back(*old);
        else
            rebuilt.emplace_back(name);
    }
    params_ = std::move(rebuilt);
}

Param* Params::find(const QString& name) {
    for (Param& p : params_)
        if (p.name().compare(name, Qt::CaseInsensitive) == 0)
            return &p;
    return nullptr;
}

Param& Params::byName(const QString& name) {
    if (Param* p = find(name))
        return *p;
    throw Failure(QStringLiteral("Parameter '%1' not found").arg(name));
}

std::vector<WireParam> Params::wire() const {
    std::vector<WireParam> out;
    out.reserve(params_.size());
    for (const Param& p : params_)
        out.push_back(p.wire());
    return out;
}

} // namespace wc::db

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <vector>

namespace wc::mem {

struct JsonMember;

// One parsed JSON value with the byte offset at which it starts, so that the storage reader
// can name the place of a value it cannot use.
struct JsonValue {
    enum class Kind { Null, Boolean, Number, String, Array, Object };

    Kind kind = Kind::Null;
    qsizetype position = 0;
    bool boolean = false;
    QByteArray number; // the number's text as written
    QString string;
    std::vector<JsonValue> items;    // of an array
    std::vector<JsonMember> members; // of an object, in file order

    // The first member of that name, compared without regard to letter case; null if absent.
    const JsonValue* member(QStringView name) const;
};

struct JsonMember {
    QString name;
    JsonValue value;
};

// Parses UTF-8 JSON text (a leading byte order mark is skipped). Besides the standard, a
// three-byte sequence may carry one half of a surrogate pair, as the storage writer emits them.
// Fails with formatError() at the first byte that does not fit.
JsonValue parseJson(const QByteArray& bytes);

// "Invalid JSON storage format at position <byte offset, from 0>: <detail>"
[[noreturn]] void formatError(qsizetype position, const QString& detail);

} // namespace wc::mem

#pragma once

#include <QByteArray>
#include <QStringView>

namespace wc::mem {

// Compact JSON text, token after token with nothing between them, in the storage file's own
// string encoding: UTF-16 code units written one at a time, so a character outside the Basic
// Multilingual Plane becomes two three-byte sequences, and code unit 0 ends a string.
class JsonWriter {
public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    void name(QStringView name);
    void string(QStringView text);
    void integer(qint64 value);
    void boolean(bool value);

    const QByteArray& bytes() const { return out_; }

private:
    void startValue();
    void appendString(QStringView text);

    QByteArray out_;
    bool afterValue_ = false; // the next value or name in this container needs a comma
};

} // namespace wc::mem

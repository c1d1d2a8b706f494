#include "memtable/JsonWriter.h"

namespace wc::mem {

void JsonWriter::beginObject() {
    startValue();
    out_.append('{');
    afterValue_ = false;
}

void JsonWriter::endObject() {
    out_.append('}');
    afterValue_ = true;
}

void JsonWriter::beginArray() {
    startValue();
    out_.append('[');
    afterValue_ = false;
}

void JsonWriter::endArray() {
    out_.append(']');
    afterValue_ = true;
}

void JsonWriter::name(QStringView name) {
    startValue();
    appendString(name);
    out_.append(':');
    afterValue_ = false;
}

void JsonWriter::string(QStringView text) {
    startValue();
    appendString(text);
    afterValue_ = true;
}

void JsonWriter::integer(qint64 value) {
    startValue();
    out_.append(QByteArray::number(value));
    afterValue_ = true;
}

void JsonWriter::boolean(bool value) {
    startValue();
    out_.append(value ? "true" : "false");
    afterValue_ = true;
}

void JsonWriter::startValue() {
    if (afterValue_)
        out_.append(',');
}

void JsonWriter::appendString(QStringView text) {
    static constexpr char hex[] = "0123456789ABCDEF";
    out_.append('"');
    for (const QChar ch : text) {
        const char16_t unit = ch.unicode();
        switch (unit) {
        case 0:
            out_.append('"');
            return;
        case '\b':
            out_.append("\\b");
            continue;
        case '\t':
            out_.append("\\t");
            continue;
        case '\n':
            out_.append("\\n");
            continue;
        case '\f':
            out_.append("\\f");
            continue;
        case '\r':
            out_.append("\\r");
            continue;
        case '"':
        case '\\':
        case '/':
            out_.append('\\').append(char(unit));
            continue;
        default:
            break;
        }
        if (unit < 0x20) {
            out_.append("\\u00").append(hex[unit >> 4]).append(hex[unit & 0xF]);
        } else if (unit < 0x80) {
            out_.append(char(unit));
        } else if (unit < 0x800) {
            out_.append(char(0xC0 | (unit >> 6))).append(char(0x80 | (unit & 0x3F)));
        } else {
            out_.append(char(0xE0 | (unit >> 12)))
                .append(char(0x80 | ((unit >> 6) & 0x3F)))
                .append(char(0x80 | (unit & 0x3F)));
        }
    }
    out_.append('"');
}

} // namespace wc::mem

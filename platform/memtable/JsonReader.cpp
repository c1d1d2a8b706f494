#include "memtable/JsonReader.h"

#include "core/Failure.h"

namespace wc::mem {

namespace {

// Deeper nesting than any storage file has is refused rather than risking the stack.
constexpr int kMaxDepth = 200;

class Parser {
public:
    explicit Parser(const QByteArray& bytes) : bytes_(bytes) {}

    JsonValue parseDocument() {
        if (bytes_.startsWith("\xEF\xBB\xBF"))
            pos_ = 3;
        JsonValue value = parseValue(0);
        skipWhitespace();
        if (pos_ < bytes_.size())
            formatError(pos_, QStringLiteral("unexpected text after the end of the JSON value"));
        return value;
    }

private:
    bool atEnd() const { return pos_ >= bytes_.size(); }
    // 0 past the end, which no comparison below looks for
    uchar peek() const { return atEnd() ? 0 : uchar(bytes_.at(pos_)); }

    void skipWhitespace() {
        while (!atEnd()) {
            const uchar c = peek();
            if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
                return;
            ++pos_;
        }
    }

    void expect(char c) {
        skipWhitespace();
        if (peek() != uchar(c))
            formatError(pos_, describeExpected(QStringLiteral("\"%1\"").arg(QLatin1Char(c))));
        ++pos_;
    }

    QString describeExpected(const QString& what) const {
        return atEnd() ? QStringLiteral("%1 expected, but the text ends").arg(what)
                       : QStringLiteral("%1 expected").arg(what);
    }

    JsonValue parseValue(int depth) {
        skipWhitespace();
        if (depth > kMaxDepth)
            formatError(pos_, QStringLiteral("values nested too deeply"));
        JsonValue value;
        value.position = pos_;
        switch (peek()) {
        case '{':
            value.kind = JsonValue::Kind::Object;
            parseObject(value, depth);
            break;
        case '[':
            value.kind = JsonValue::Kind::Array;
            parseArray(value, depth);
            break;
        case '"':
            value.kind = JsonValue::Kind::String;
            value.string = parseString();
            break;
        case 't':
            value.kind = JsonValue::Kind::Boolean;
            value.boolean = true;
            parseLiteral("true");
            break;
        case 'f':
            value.kind = JsonValue::Kind::Boolean;
            parseLiteral("false");
            break;
        case 'n':
            parseLiteral("null");
            break;
        default:
            if (peek() == '-' || isDigit(peek())) {
                value.kind = JsonValue::Kind::Number;
                value.number = parseNumber();
                break;
            }
            formatError(pos_, describeExpected(QStringLiteral("a value")));
        }
        return value;
    }

    void parseObject(JsonValue& object, int depth) {
        ++pos_; // {
        skipWhitespace();
        if (peek() == '}') {
            ++pos_;
            return;
        }
        for (;;) {
            skipWhitespace();
            if (peek() != '"')
                formatError(pos_, describeExpected(QStringLiteral("a member name")));
            JsonMember member;
            member.name = parseString();
            expect(':');
            member.value = parseValue(depth + 1);
            object.members.push_back(std::move(member));
            if (!continueAfterElement('}'))
                return;
        }
    }

    void parseArray(JsonValue& array, int depth) {
        ++pos_; // [
        skipWhitespace();
        if (peek() == ']') {
            ++pos_;
            return;
        }
        for (;;) {
            array.items.push_back(parseValue(depth + 1));
            if (!continueAfterElement(']'))
                return;
        }
    }

    // After an element: a comma means another follows, the closing bracket ends the container.
    bool continueAfterElement(char close) {
        skipWhitespace();
        if (peek() == ',') {
            ++pos_;
            return true;
        }
        if (peek() == uchar(close)) {
            ++pos_;
            return false;
        }
        formatError(pos_, describeExpected(QStringLiteral("\",\" or \"%1\"").arg(QLatin1Char(close))));
    }

    void parseLiteral(const char* word) {
        const QByteArray literal(word);
        if (bytes_.mid(pos_, literal.size()) != literal)
            formatError(pos_, describeExpected(QStringLiteral("a value")));
        pos_ += literal.size();
    }

    static bool isDigit(uchar c) { return c >= '0' && c <= '9'; }

    void skipDigits() {
        const qsizetype start = pos_;
        while (isDigit(peek()))
            ++pos_;
        if (pos_ == start)
            formatError(pos_, describeExpected(QStringLiteral("a digit")));
    }

    QByteArray parseNumber() {
        const qsizetype start = pos_;
        if (peek() == '-')
            ++pos_;
        if (peek() == '0')
            ++pos_;
        else
            skipDigits();
        if (peek() == '.') {
            ++pos_;
            skipDigits();
        }
        if (peek() == 'e' || peek() == 'E') {
            ++pos_;
            if (peek() == '+' || peek() == '-')
                ++pos_;
            skipDigits();
        }
        return bytes_.mid(start, pos_ - start);
    }

    QString parseString() {
        ++pos_; // opening quote
        QString text;
        for (;;) {
            if (atEnd())
                formatError(pos_, QStringLiteral("the text ends inside a string"));
            const uchar c = peek();
            if (c == '"') {
                ++pos_;
                return text;
            }
            if (c < 0x20)
                formatError(pos_, QStringLiteral("control character inside a string"));
            if (c == '\\') {
                text.append(parseEscape());
            } else if (c < 0x80) {
                text.append(QChar(c));
                ++pos_;
            } else {
                appendUtf8Sequence(text);
            }
        }
    }

    QChar parseEscape() {
        const qsizetype start = pos_;
        ++pos_; // backslash
        const uchar c = peek();
        ++pos_;
        switch (c) {
        case '"':
        case '\\':
        case '/':
            return QChar(c);
        case 'b':
            return QChar('\b');
        case 'f':
            return QChar('\f');
        case 'n':
            return QChar('\n');
        case 'r':
            return QChar('\r');
        case 't':
            return QChar('\t');
        case 'u':
            return QChar(char16_t(parseHex4()));
        default:
            formatError(start, QStringLiteral("unknown escape sequence"));
        }
    }

    uint parseHex4() {
        uint unit = 0;
        for (int i = 0; i < 4; ++i, ++pos_) {
            const uchar c = peek();
            int digit = -1;
            if (isDigit(c))
                digit = c - '0';
            else if (c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            if (digit < 0)
                formatError(pos_, describeExpected(QStringLiteral("a hexadecimal digit")));
            unit = unit * 16 + uint(digit);
        }
        return unit;
    }

    // Two- and three-byte sequences give one code unit (a three-byte one may be a lone
    // surrogate half); a four-byte sequence gives the surrogate pair of its character.
    void appendUtf8Sequence(QString& text) {
        const qsizetype start = pos_;
        const uchar lead = peek();
        // Continuation bytes after the lead, and the lowest code that needs that many.
        const int continuation = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
        const char32_t lowest = continuation == 3 ? 0x10000 : continuation == 2 ? 0x800 : 0x80;
        if (lead < 0xC2 || lead > 0xF4)
            formatError(start, QStringLiteral("invalid UTF-8 byte"));
        char32_t code = lead & (0x3F >> continuation);
        ++pos_;
        for (int i = 0; i < continuation; ++i, ++pos_) {
            if ((peek() & 0xC0) != 0x80)
                formatError(start, QStringLiteral("incomplete UTF-8 sequence"));
            code = (code << 6) | (peek() & 0x3F);
        }
        if (code < lowest || code > 0x10FFFF)
            formatError(start, QStringLiteral("invalid UTF-8 sequence"));
        if (code >= 0x10000)
            text.append(QChar(QChar::highSurrogate(code))).append(QChar(QChar::lowSurrogate(code)));
        else
            text.append(QChar(char16_t(code)));
    }

    const QByteArray& bytes_;
    qsizetype pos_ = 0;
};

} // namespace

const JsonValue* JsonValue::member(QStringView name) const {
    for (const JsonMember& m : members) {
        if (name.compare(m.name, Qt::CaseInsensitive) == 0)
            return &m.value;
    }
    return nullptr;
}

JsonValue parseJson(const QByteArray& bytes) {
    return Parser(bytes).parseDocument();
}

void formatError(qsizetype position, const QString& detail) {
    throw Failure(QStringLiteral("Invalid JSON storage format at position %1: %2").arg(position).arg(detail));
}

} // namespace wc::mem

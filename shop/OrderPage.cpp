#include "shop/OrderPage.h"

#include "core/Failure.h"

#include <array>
#include <rapidjson/reader.h>
#include <string_view>

namespace {

constexpr char16_t kByteOrderMark = u'\xFEFF';
constexpr std::array<std::u16string_view, 3> kPath{u"meta", u"links", u"next"};

// Follows the events of one JSON value and notes how far the path meta, links, next leads:
// only the top object's first "meta", that object's first "links" and its first "next" count,
// and a step whose value is not an object ends the path there. No document is built.
class NextFinder : public rapidjson::BaseReaderHandler<rapidjson::UTF16<char16_t>, NextFinder> {
public:
    bool topIsObject() const { return topIsObject_; }
    OrderPage::Next next() const { return next_; }

    bool Default() { return valueStarts(Value::Other); }
    bool Null() { return valueStarts(Value::Null); }
    bool StartArray() {
        ++depth_;
        return valueStarts(Value::Other);
    }
    bool EndArray(rapidjson::SizeType) {
        --depth_;
        return true;
    }
    bool StartObject() {
        if (depth_ == 0) {
            topIsObject_ = true;
            pathDepth_ = 1;
        }
        ++depth_;
        return valueStarts(Value::Object);
    }
    bool EndObject(rapidjson::SizeType) {
        // Leaving a path object returns to the one that holds it; repeated names stay ignored.
        if (depth_ == pathDepth_)
            --pathDepth_;
        --depth_;
        return true;
    }
    bool Key(const char16_t* name, rapidjson::SizeType length, bool) {
        const int step = pathDepth_ - 1;
        if (depth_ == pathDepth_ && step >= 0 && step < int(kPath.size()) && !seen_[size_t(step)] &&
            std::u16string_view(name, length) == kPath[size_t(step)]) {
            seen_[size_t(step)] = true;
            pending_ = step;
        }
        return true;
    }

private:
    enum class Value { Object, Null, Other };

    // The value that just began settles the path step whose name came before it, if any.
    bool valueStarts(Value value) {
        const int step = pending_;
        pending_ = -1;
        if (step == 2)
            next_ = value == Value::Null ? OrderPage::Next::Null : OrderPage::Next::Present;
        else if (step >= 0 && value == Value::Object) {
            pathDepth_ = depth_;
            next_ = step == 0 ? OrderPage::Next::NoLinks : OrderPage::Next::Absent;
        }
        return true;
    }

    bool topIsObject_ = false;
    int depth_ = 0;
    // Depth of the innermost object of the path that we are in: the page 1, meta 2, links 3.
    int pathDepth_ = 0;
    int pending_ = -1;
    std::array<bool, 3> seen_{};
    OrderPage::Next next_ = OrderPage::Next::NoMeta;
};

// The body text as the reader's input, read where it lies: a page can be large, and a
// copy in another encoding would cost more than reading it. Its end reads as a zero.
class TextStream {
public:
    using Ch = char16_t;

    explicit TextStream(QStringView text)
        : begin_(text.utf16()), current_(begin_), end_(begin_ + text.size()) {}

    Ch Peek() const { return current_ == end_ ? Ch() : *current_; }
    Ch Take() { return current_ == end_ ? Ch() : *current_++; }
    size_t Tell() const { return size_t(current_ - begin_); }

    // Only for parsing in place, which this stream does not allow.
    Ch* PutBegin() { return nullptr; }
    void Put(Ch) {}
    void Flush() {}
    size_t PutEnd(Ch*) { return 0; }

private:
    const Ch* begin_;
    const Ch* current_;
    const Ch* end_;
};

[[noreturn]] void missing(const char* what) {
    throw wc::Failure(
        QStringLiteral("(getOrdersByCreatedAfter) Pagina nu contine %1").arg(QLatin1String(what)));
}

} // namespace

OrderPage::OrderPage(const QString& bodyText) {
    QStringView text(bodyText);
    if (text.startsWith(QChar(kByteOrderMark)))
        text = text.sliced(1);
    // The reader takes a zero for the end of the text, but JSON has no place for one.
    const bool hasZero = text.contains(QChar(0));
    TextStream stream(text);
    NextFinder finder;
    rapidjson::GenericReader<rapidjson::UTF16<char16_t>, rapidjson::UTF16<char16_t>> reader;
    // Iterative, so deep nesting cannot exhaust the stack; after the value only blanks may
    // follow, and an empty text is an error.
    if (hasZero || reader.Parse<rapidjson::kParseIterativeFlag>(stream, finder).IsError())
        throw wc::Failure(QStringLiteral("(getOrdersByCreatedAfter) Eroare la parsare Json"));
    if (!finder.topIsObject())
        throw wc::Failure(QStringLiteral("Invalid class typecast"));
    next_ = finder.next();
}

bool OrderPage::isLast() const {
    switch (next_) {
    case Next::NoMeta:
        missing("obiectul meta");
    case Next::NoLinks:
        missing("obiectul meta.links");
    case Next::Absent:
        missing("meta.links.next");
    case Next::Null:
        return true;
    case Next::Present:
        break;
    }
    return false;
}

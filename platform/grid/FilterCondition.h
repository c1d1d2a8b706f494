#pragma once

#include <QString>
#include <QStringView>

namespace wc::grid {

// "%" any run of characters, "_" exactly one, everything else literal. Both texts must already be
// case-folded when case is to be ignored.
bool likeMatch(QStringView text, QStringView pattern);

// The condition one filter cell sets on its column. Values are compared as the cell shows them,
// without regard to case.
class FilterCondition {
public:
    enum class Kind { None, Pattern, Equal };

    FilterCondition() = default;
    // What the operator typed: empty sets none, a text with "%" or "_" is a pattern, any other is
    // equality with the whole value.
    static FilterCondition fromText(const QString& text);
    // Equality with a value picked from the column's values, even when it holds "%" or "_".
    static FilterCondition equalTo(const QString& value);

    Kind kind() const { return kind_; }
    bool isActive() const { return kind_ != Kind::None; }
    const QString& text() const { return text_; }
    // `foldedValue` is the cell's shown text, case-folded.
    bool matches(QStringView foldedValue) const;
    // e.g. nume_site LIKE 'ab%'  or  err_la_import = 'x'
    QString describe(const QString& fieldName) const;

private:
    FilterCondition(Kind kind, QString text);

    Kind kind_ = Kind::None;
    QString text_;
    QString folded_;
};

} // namespace wc::grid

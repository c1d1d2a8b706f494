#include "grid/FilterCondition.h"

namespace wc::grid {

bool likeMatch(QStringView text, QStringView pattern) {
    // Greedy matching that backtracks only to the last "%": linear for the usual patterns and
    // free of allocations, since it runs once per row on every keystroke.
    qsizetype t = 0, p = 0, starP = -1, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == u'%') {
            starP = p++;
            starT = t;
        } else if (p < pattern.size() && (pattern[p] == u'_' || pattern[p] == text[t])) {
            ++p;
            ++t;
        } else if (starP >= 0) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'%')
        ++p;
    return p == pattern.size();
}

FilterCondition::FilterCondition(Kind kind, QString text)
    : kind_(kind), text_(std::move(text)), folded_(text_.toCaseFolded()) {}

FilterCondition FilterCondition::fromText(const QString& text) {
    if (text.isEmpty())
        return {};
    const bool pattern = text.contains(u'%') || text.contains(u'_');
    return {pattern ? Kind::Pattern : Kind::Equal, text};
}

FilterCondition FilterCondition::equalTo(const QString& value) {
    return {Kind::Equal, value};
}

bool FilterCondition::matches(QStringView foldedValue) const {
    switch (kind_) {
    case Kind::None:
        return true;
    case Kind::Equal:
        return foldedValue == folded_;
    case Kind::Pattern:
        return likeMatch(foldedValue, folded_);
    }
    return true;
}

QString FilterCondition::describe(const QString& fieldName) const {
    if (kind_ == Kind::None)
        return {};
    QString quoted = text_;
    quoted.replace(u'\'', QStringLiteral("''"));
    const auto op = kind_ == Kind::Pattern ? QStringLiteral(" LIKE '") : QStringLiteral(" = '");
    return fieldName + op + quoted + u'\'';
}

} // namespace wc::grid

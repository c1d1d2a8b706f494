#pragma once

#include <QFrame>
#include <optional>

class QListView;
class QStringListModel;

namespace wc::grid {

// The drop-down of one column's distinct values; picking one filters the column by it,
// "(All)" clears the column's filter. A list view rather than a menu, since a column of
// 100,000 distinct values must still open at once.
class ValuePopup : public QFrame {
    Q_OBJECT
public:
    explicit ValuePopup(QWidget* parent = nullptr);

    static QString allText() { return QStringLiteral("(All)"); }

    void popup(int column, const QStringList& values, const QPoint& globalPos, int minimumWidth);
    QListView* list() const { return list_; }
    int column() const { return column_; }

signals:
    // std::nullopt: "(All)".
    void valueChosen(int column, const std::optional<QString>& value);

private:
    void choose(const QModelIndex& index);

    QListView* list_;
    QStringListModel* values_;
    int column_ = -1;
};

} // namespace wc::grid

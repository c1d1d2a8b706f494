#pragma once

#include <QWidget>
#include <array>

class QLabel;
class QToolButton;

namespace wc::grid {

enum class NavigatorButton {
    First,
    PriorPage,
    Prior,
    Next,
    NextPage,
    Last,
    Insert,
    Delete,
    Edit,
    Post,
    Cancel,
    Refresh,
    SaveBookmark,
    GotoBookmark,
    Filter,
};
inline constexpr int kNavigatorButtonCount = int(NavigatorButton::Filter) + 1;

// The bar of record buttons below the rows, with the info panel "[RecordIndex] of [RecordCount]".
class Navigator : public QWidget {
    Q_OBJECT
public:
    explicit Navigator(QWidget* parent = nullptr);

    QToolButton* button(NavigatorButton which) const { return buttons_[int(which)]; }
    // recordIndex from 1; 0 when no row is focused.
    void setInfo(int recordIndex, int recordCount);
    QString infoText() const;

signals:
    void clicked(wc::grid::NavigatorButton which);

private:
    std::array<QToolButton*, kNavigatorButtonCount> buttons_{};
    QLabel* info_;
};

} // namespace wc::grid

#pragma once

#include "grid/Style.h"

#include <QWidget>

namespace wc::grid {

class RowView;

// The strip at the left of the rows that marks the focused row with an arrow. It stays put
// while the rows scroll sideways.
class IndicatorColumn : public QWidget {
    Q_OBJECT
public:
    IndicatorColumn(RowView* rows, QWidget* parent = nullptr);

    void setStyles(const TableViewStyleSheet* sheet);
    QSize sizeHint() const override;
    // The focused row's band in this widget's coordinates; empty when no row is focused.
    QRect focusedRowRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    RowView* rows_;
    const TableViewStyleSheet* sheet_ = nullptr;
};

} // namespace wc::grid

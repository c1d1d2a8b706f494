#pragma once

#include "grid/Style.h"

#include <QStyledItemDelegate>
#include <QTreeView>

namespace wc::grid {

class GridModel;

// The rows of a table view: data rows painted by the style sheet, group rows drawn across the
// whole row, "<No data to display>" when nothing is shown, and Enter moving to the next cell.
class RowView : public QTreeView {
    Q_OBJECT
public:
    // `focusScope` is the widget whose focus counts as the grid's focus.
    RowView(QWidget* focusScope, QWidget* parent = nullptr);

    static QString noDataText() { return QStringLiteral("<No data to display>"); }

    void setStyles(const TableViewStyleSheet* sheet);
    const TableViewStyleSheet* styles() const { return sheet_; }
    GridModel* gridModel() const;
    bool gridHasFocus() const;
    ResolvedStyle cellStyle(const QModelIndex& index) const;
    int rowsPerPage() const;
    void moveToNextCell();

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void drawGroupRow(QPainter* painter, const QRect& rowRect, const QModelIndex& index) const;

    QWidget* focusScope_;
    const TableViewStyleSheet* sheet_ = nullptr;
};

// Paints one data cell with the style its row takes.
class CellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CellDelegate(RowView* view);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    RowView* view_;
};

} // namespace wc::grid

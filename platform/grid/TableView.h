#pragma once

#include "grid/ColumnKind.h"
#include "grid/Navigator.h"
#include "grid/Style.h"

#include <QFrame>
#include <QSet>
#include <optional>

class QAbstractItemModel;

namespace wc::grid {

class FilterBox;
class FilterHeader;
class GridModel;
class GroupByBox;
class IndicatorColumn;
class RowView;
class ValuePopup;

// A table view over a source model: columns bound by field name, a filter row, sorting by a
// header click, grouping through the group-by box, the indicator column, the navigator and the
// filter box, painted by a style sheet. It never changes the source model; the focused row and
// the source's current row are tied through focusedSourceRowChanged / setFocusedSourceRow.
// Everything the operator sets lasts as long as the widget.
class TableView : public QFrame {
    Q_OBJECT
public:
    explicit TableView(QWidget* parent = nullptr);
    ~TableView() override;

    // Rows come from `source`: one row per record, its horizontal headers naming the fields.
    void setSourceModel(QAbstractItemModel* source);
    // Adds a column bound to the source field `fieldName`, captioned with it; the width is in
    // pixels at 96 dpi and follows the display's resolution.
    int addColumn(const QString& fieldName, int widthAt96dpi, ColumnKind kind = ColumnKind::Text);
    // The sheet stays the caller's; it is read whenever the view paints.
    void setStyles(const TableViewStyleSheet* sheet);
    const TableViewStyleSheet* styles() const { return sheet_; }

    // What the operator does, reachable from code too.
    void setColumnFilter(int column, const QString& text);
    void filterByValue(int column, const std::optional<QString>& value);
    void clearFilter();
    void toggleSort(int column);
    void sortByColumn(int column, Qt::SortOrder order);
    void groupByColumn(int column);
    void ungroupColumn(int column);
    void navigate(NavigatorButton which);

    // The source row of the focused data row; -1 when none is focused.
    int focusedSourceRow() const;

    GridModel* gridModel() const { return model_; }
    RowView* rows() const { return rows_; }
    FilterHeader* filterHeader() const { return header_; }
    Navigator* navigator() const { return navigator_; }
    FilterBox* filterBox() const { return filterBox_; }
    GroupByBox* groupByBox() const { return groupByBox_; }
    IndicatorColumn* indicator() const { return indicator_; }
    ValuePopup* valuePopup() const { return popup_; }

public slots:
    // The source moved its current row: focus it without announcing it back.
    void setFocusedSourceRow(int sourceRow);

signals:
    // The operator moved the focus to another data row.
    void focusedSourceRowChanged(int sourceRow);
    // The navigator's refresh: the owner re-reads the source.
    void refreshRequested();

private:
    template <typename Change> void operatorChange(Change change);
    void onRowsRebuilt();
    void onCurrentChanged(const QModelIndex& current);
    void announceFocus();
    void focusPosition(int position);
    void focusIndex(const QModelIndex& index);
    void showFilterState();
    void showGroups();
    void restoreExpanded();
    QModelIndex outermostClosedGroup(const QModelIndex& index) const;
    QString groupPath(const QModelIndex& index) const;
    void updateInfo();
    int currentColumn() const;

    GridModel* model_;
    RowView* rows_;
    FilterHeader* header_;
    IndicatorColumn* indicator_;
    GroupByBox* groupByBox_;
    Navigator* navigator_;
    FilterBox* filterBox_;
    ValuePopup* popup_;
    const TableViewStyleSheet* sheet_ = nullptr;

    int focusedSource_ = -1;
    int announced_ = -1;
    int bookmark_ = -1;
    bool silent_ = false;
    QSet<QString> expanded_; // group paths the operator opened
};

} // namespace wc::grid

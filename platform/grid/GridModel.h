#pragma once

#include "grid/ColumnKind.h"
#include "grid/FilterCondition.h"

#include <QAbstractItemModel>
#include <QPointer>
#include <memory>
#include <vector>

namespace wc::grid {

struct ColumnDef {
    QString fieldName;
    int widthAt96dpi = 64;
    ColumnKind kind = ColumnKind::Text;
};

// The rows a table view shows: the source model's rows filtered, sorted and grouped, without
// ever changing the source. Each column's shown texts are read once per source change and
// kept case-folded, so a filter keystroke or a sort works over index vectors only.
//
// Flat while nothing is grouped; otherwise a tree whose group rows hold the data rows.
class GridModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Role {
        SourceRowRole = Qt::UserRole + 1, // int, -1 on group rows
        PositionRole,                     // int: position among the data rows shown, from 0
        GroupRowRole,                     // bool
        GroupLevelRole,                   // int, on group rows
        GroupKeyRole,                     // QString naming the group's column and value
    };

    explicit GridModel(QObject* parent = nullptr);
    ~GridModel() override;

    void setSourceModel(QAbstractItemModel* source);
    QAbstractItemModel* sourceModel() const { return source_; }

    // Binds a new column to the source column whose horizontal header is `def.fieldName`.
    int addColumn(ColumnDef def);
    const ColumnDef& columnSpec(int column) const { return columns_.at(column); }

    void setFilter(int column, const FilterCondition& condition);
    const FilterCondition& filter(int column) const { return filters_.at(column); }
    void clearFilters();
    bool hasFilter() const;
    // The conditions in force joined with AND, in column order.
    QString filterDescription() const;

    // column -1: the source's own order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    int sortColumn() const { return sortColumn_; }
    Qt::SortOrder sortOrder() const { return sortOrder_; }

    void setGroupColumns(const QList<int>& columns);
    const QList<int>& groupColumns() const { return groupColumns_; }

    // Data rows passing the filter, and the mapping between their positions and source rows.
    int shownRowCount() const { return int(order_.size()); }
    int sourceRowAt(int position) const { return order_.at(position); }
    int positionOfSourceRow(int sourceRow) const;
    QModelIndex indexAtPosition(int position, int column = 0) const;
    int positionOf(const QModelIndex& index) const;
    bool isGroupRow(const QModelIndex& index) const;

    // The column's distinct shown values, in sort order, over all source rows.
    QStringList distinctValues(int column);
    QString shownText(int sourceRow, int column) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct GroupNode;
    struct ColumnCache;

    void onSourceChanged();
    void bindColumns();
    void dropCaches();
    const ColumnCache& cache(int column);
    const std::vector<int>& ranks(int column);
    void rebuild();
    void filterRows();
    void sortRows();
    void buildGroups();
    void buildLevel(GroupNode* node, int level);
    GroupNode* nodeOf(const QModelIndex& index) const;
    bool isLeaf(const GroupNode* node) const;

    QPointer<QAbstractItemModel> source_;
    std::vector<ColumnDef> columns_;
    std::vector<int> sourceColumns_; // -1 while the source has no such column
    std::vector<FilterCondition> filters_;
    std::vector<std::unique_ptr<ColumnCache>> caches_;
    int sourceRows_ = 0;
    bool resetOpen_ = false; // a source change is under way
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
    QList<int> groupColumns_;
    std::vector<int> order_;            // source rows shown, in display order
    std::vector<int> positionOfSource_; // -1 for rows the filter hides
    std::unique_ptr<GroupNode> root_;
};

} // namespace wc::grid

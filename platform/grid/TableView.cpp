#include "grid/TableView.h"

#include "grid/FilterBox.h"
#include "grid/FilterHeader.h"
#include "grid/GridModel.h"
#include "grid/GroupByBox.h"
#include "grid/IndicatorColumn.h"
#include "grid/RowView.h"
#include "grid/ValuePopup.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QScrollBar>
#include <QVBoxLayout>

namespace wc::grid {

TableView::TableView(QWidget* parent)
    : QFrame(parent), model_(new GridModel(this)), rows_(new RowView(this, this)),
      header_(new FilterHeader(rows_)), indicator_(new IndicatorColumn(rows_, this)),
      groupByBox_(new GroupByBox(this)), navigator_(new Navigator(this)), filterBox_(new FilterBox(this)),
      popup_(new ValuePopup(this)) {
    setFrameShape(QFrame::StyledPanel);
    rows_->setHeader(header_);
    rows_->setModel(model_);
    header_->followScrollBar(rows_->horizontalScrollBar());
    setFocusProxy(rows_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(frameWidth(), frameWidth(), frameWidth(), frameWidth());
    layout->setSpacing(0);
    layout->addWidget(groupByBox_);
    auto* middle = new QHBoxLayout;
    middle->setSpacing(0);
    middle->addWidget(indicator_);
    middle->addWidget(rows_, 1);
    layout->addLayout(middle, 1);
    layout->addWidget(navigator_);
    layout->addWidget(filterBox_);

    connect(model_, &QAbstractItemModel::modelReset, this, &TableView::onRowsRebuilt);
    connect(rows_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { onCurrentChanged(current); });
    connect(rows_, &QTreeView::expanded, this,
            [this](const QModelIndex& i) { expanded_.insert(groupPath(i)); });
    connect(rows_, &QTreeView::collapsed, this,
            [this](const QModelIndex& i) { expanded_.remove(groupPath(i)); });
    // The focused row changes its colour when the grid gains or loses the focus.
    connect(qApp, &QApplication::focusChanged, this, [this] { rows_->viewport()->update(); });

    connect(header_, &FilterHeader::filterTextEdited, this, &TableView::setColumnFilter);
    connect(header_, &FilterHeader::columnClicked, this, &TableView::toggleSort);
    connect(header_, &FilterHeader::columnReturned, this, &TableView::ungroupColumn);
    connect(header_, &QHeaderView::sectionResized, indicator_, qOverload<>(&QWidget::update));
    connect(header_, &FilterHeader::dropDownRequested, this, [this](int column, const QPoint& at) {
        popup_->popup(column, model_->distinctValues(column), at, header_->sectionSize(column));
    });
    connect(popup_, &ValuePopup::valueChosen, this, &TableView::filterByValue);
    connect(groupByBox_, &GroupByBox::groupRequested, this, &TableView::groupByColumn);
    connect(groupByBox_, &GroupByBox::ungroupRequested, this, &TableView::ungroupColumn);
    connect(filterBox_, &FilterBox::clearRequested, this, &TableView::clearFilter);
    connect(navigator_, &Navigator::clicked, this, &TableView::navigate);
    updateInfo();
}

TableView::~TableView() = default;

void TableView::setSourceModel(QAbstractItemModel* source) {
    model_->setSourceModel(source);
}

int TableView::addColumn(const QString& fieldName, int widthAt96dpi, ColumnKind kind) {
    const int column = model_->addColumn({fieldName, widthAt96dpi, kind});
    header_->resizeSection(column, qRound(widthAt96dpi * logicalDpiX() / 96.0));
    return column;
}

void TableView::setStyles(const TableViewStyleSheet* sheet) {
    sheet_ = sheet;
    rows_->setStyles(sheet);
    header_->setStyles(sheet);
    indicator_->setStyles(sheet);
    groupByBox_->setStyles(sheet);
    filterBox_->setStyles(sheet);
}

template <typename Change> void TableView::operatorChange(Change change) {
    change();
    showFilterState();
    announceFocus();
}

void TableView::setColumnFilter(int column, const QString& text) {
    operatorChange([&] { model_->setFilter(column, FilterCondition::fromText(text)); });
}

void TableView::filterByValue(int column, const std::optional<QString>& value) {
    operatorChange(
        [&] { model_->setFilter(column, value ? FilterCondition::equalTo(*value) : FilterCondition{}); });
}

void TableView::clearFilter() {
    operatorChange([&] { model_->clearFilters(); });
}

void TableView::toggleSort(int column) {
    const bool again = model_->sortColumn() == column && model_->sortOrder() == Qt::AscendingOrder;
    sortByColumn(column, again ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void TableView::sortByColumn(int column, Qt::SortOrder order) {
    operatorChange([&] { model_->sort(column, order); });
    header_->setSortIndicatorShown(column >= 0);
    header_->setSortIndicator(column, order);
}

void TableView::groupByColumn(int column) {
    if (column < 0 || column >= model_->columnCount() || model_->groupColumns().contains(column))
        return;
    expanded_.clear();
    operatorChange([&] { model_->setGroupColumns(model_->groupColumns() + QList<int>{column}); });
    showGroups();
}

void TableView::ungroupColumn(int column) {
    QList<int> groups = model_->groupColumns();
    if (!groups.removeOne(column))
        return;
    expanded_.clear();
    operatorChange([&] { model_->setGroupColumns(groups); });
    showGroups();
}

void TableView::showGroups() {
    QList<QPair<int, QString>> groups;
    for (int column : model_->groupColumns())
        groups.append({column, model_->columnSpec(column).fieldName});
    groupByBox_->showGroups(groups);
}

void TableView::showFilterState() {
    for (int column = 0; column < model_->columnCount(); ++column)
        header_->setFilterText(column, model_->filter(column).text());
    filterBox_->showFilter(model_->filterDescription());
}

int TableView::focusedSourceRow() const {
    return rows_->currentIndex().isValid() ? rows_->currentIndex().data(GridModel::SourceRowRole).toInt()
                                           : -1;
}

int TableView::currentColumn() const {
    const QModelIndex current = rows_->currentIndex();
    if (current.isValid() && !model_->isGroupRow(current))
        return current.column();
    return std::max(0, header_->logicalIndex(0));
}

void TableView::focusIndex(const QModelIndex& index) {
    for (QModelIndex p = index.parent(); p.isValid(); p = p.parent())
        rows_->expand(p);
    rows_->setCurrentIndex(index);
    if (index.isValid())
        rows_->scrollTo(index);
}

void TableView::focusPosition(int position) {
    if (model_->shownRowCount() == 0)
        return;
    focusIndex(
        model_->indexAtPosition(std::clamp(position, 0, model_->shownRowCount() - 1), currentColumn()));
}

void TableView::setFocusedSourceRow(int sourceRow) {
    focusedSource_ = sourceRow;
    announced_ = sourceRow;
    const int position = model_->positionOfSourceRow(sourceRow);
    const bool wasSilent = std::exchange(silent_, true);
    // A row the filter hides cannot be focused: the grid then focuses none.
    focusIndex(position >= 0 ? model_->indexAtPosition(position, currentColumn()) : QModelIndex());
    focusedSource_ = sourceRow;
    silent_ = wasSilent;
}

void TableView::onRowsRebuilt() {
    const bool wasSilent = std::exchange(silent_, true);
    restoreExpanded();
    const int column = std::max(0, header_->logicalIndex(0));
    int position = model_->positionOfSourceRow(focusedSource_);
    if (position < 0 && model_->groupColumns().isEmpty() && model_->shownRowCount() > 0)
        position = 0;
    if (position >= 0)
        focusIndex(outermostClosedGroup(model_->indexAtPosition(position, column)));
    else if (model_->rowCount() > 0)
        focusIndex(model_->index(0, 0)); // grouped: the first group row, leaving the groups closed
    silent_ = wasSilent;
    updateInfo();
    indicator_->update();
}

void TableView::onCurrentChanged(const QModelIndex& current) {
    if (current.isValid() && !model_->isGroupRow(current))
        focusedSource_ = current.data(GridModel::SourceRowRole).toInt();
    if (!silent_)
        announceFocus();
    updateInfo();
    indicator_->update();
}

void TableView::announceFocus() {
    const int source = focusedSourceRow();
    if (source < 0 || source == announced_)
        return;
    announced_ = source;
    emit focusedSourceRowChanged(source);
}

void TableView::updateInfo() {
    navigator_->setInfo(model_->positionOf(rows_->currentIndex()) + 1, model_->shownRowCount());
}

QString TableView::groupPath(const QModelIndex& index) const {
    QStringList keys;
    for (QModelIndex i = index.siblingAtColumn(0); i.isValid(); i = i.parent())
        keys.prepend(i.data(GridModel::GroupKeyRole).toString());
    return keys.join(u'\x1e');
}

QModelIndex TableView::outermostClosedGroup(const QModelIndex& index) const {
    // Grouping anew leaves the groups closed: the focus then rests on the closed group that
    // holds the focused row rather than opening it.
    QModelIndex shown = index;
    for (QModelIndex p = index.parent(); p.isValid(); p = p.parent()) {
        if (!rows_->isExpanded(p))
            shown = p;
    }
    return shown;
}

void TableView::restoreExpanded() {
    if (expanded_.isEmpty())
        return;
    auto walk = [this](const QModelIndex& parent, auto&& self) -> void {
        for (int row = 0; row < model_->rowCount(parent); ++row) {
            const QModelIndex group = model_->index(row, 0, parent);
            if (!model_->isGroupRow(group) || !expanded_.contains(groupPath(group)))
                continue;
            rows_->expand(group);
            self(group, self);
        }
    };
    walk({}, walk);
}

void TableView::navigate(NavigatorButton which) {
    const int position = model_->positionOf(rows_->currentIndex());
    switch (which) {
    case NavigatorButton::First:
        focusPosition(0);
        break;
    case NavigatorButton::PriorPage:
        focusPosition(position - rows_->rowsPerPage());
        break;
    case NavigatorButton::Prior:
        focusPosition(position - 1);
        break;
    case NavigatorButton::Next:
        focusPosition(position + 1);
        break;
    case NavigatorButton::NextPage:
        focusPosition(position < 0 ? 0 : position + rows_->rowsPerPage());
        break;
    case NavigatorButton::Last:
        focusPosition(model_->shownRowCount() - 1);
        break;
    case NavigatorButton::Refresh:
        emit refreshRequested();
        break;
    case NavigatorButton::SaveBookmark:
        bookmark_ = focusedSourceRow();
        break;
    case NavigatorButton::GotoBookmark:
        if (model_->positionOfSourceRow(bookmark_) >= 0)
            focusPosition(model_->positionOfSourceRow(bookmark_));
        break;
    case NavigatorButton::Filter:
        header_->focusEditor(currentColumn());
        break;
    case NavigatorButton::Insert:
    case NavigatorButton::Delete:
    case NavigatorButton::Edit:
    case NavigatorButton::Post:
    case NavigatorButton::Cancel:
        break; // read-only: these buttons are never enabled
    }
}

} // namespace wc::grid

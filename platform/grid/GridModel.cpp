#include "grid/GridModel.h"

#include <QDateTime>
#include <algorithm>
#include <limits>
#include <numeric>

namespace wc::grid {

struct GridModel::GroupNode {
    GroupNode* parent = nullptr;
    int rowInParent = 0;
    int level = -1; // index into groupColumns_; -1 for the root
    int begin = 0;  // range of positions in order_ this node holds
    int end = 0;
    std::vector<std::unique_ptr<GroupNode>> children;
};

// One column's values as read from the source, by source row.
struct GridModel::ColumnCache {
    std::vector<QString> shown;
    std::vector<QString> folded;
    std::vector<qint64> keys; // typed sort keys of number and date columns
    std::vector<int> ranks;   // dense sort ranks, equal values equal ranks; built on first use
};

namespace {
constexpr qint64 kNullKey = std::numeric_limits<qint64>::min();

qint64 typedKey(const QVariant& value, ColumnKind kind) {
    if (!value.isValid() || value.isNull())
        return kNullKey;
    switch (kind) {
    case ColumnKind::Number:
        return value.toLongLong();
    case ColumnKind::Date:
        return value.toDate().toJulianDay();
    case ColumnKind::DateTime:
        return value.toDateTime().toMSecsSinceEpoch();
    case ColumnKind::Text:
    case ColumnKind::MultiLineText:
        break;
    }
    return 0;
}
} // namespace

GridModel::GridModel(QObject* parent) : QAbstractItemModel(parent), root_(std::make_unique<GroupNode>()) {}

GridModel::~GridModel() = default;

void GridModel::setSourceModel(QAbstractItemModel* source) {
    if (source_)
        disconnect(source_, nullptr, this, nullptr);
    beginResetModel();
    source_ = source;
    if (source_) {
        // Views may ask for data between a source's "about to" and "done" signals, when our
        // row numbers no longer hold: keep a reset open across the whole change.
        auto open = [this] {
            if (!resetOpen_) {
                resetOpen_ = true;
                beginResetModel();
            }
        };
        auto close = [this] { onSourceChanged(); };
        const auto* s = source_.data();
        connect(s, &QAbstractItemModel::modelAboutToBeReset, this, open);
        connect(s, &QAbstractItemModel::modelReset, this, close);
        connect(s, &QAbstractItemModel::layoutAboutToBeChanged, this, open);
        connect(s, &QAbstractItemModel::layoutChanged, this, close);
        connect(s, &QAbstractItemModel::rowsAboutToBeInserted, this, open);
        connect(s, &QAbstractItemModel::rowsInserted, this, close);
        connect(s, &QAbstractItemModel::rowsAboutToBeRemoved, this, open);
        connect(s, &QAbstractItemModel::rowsRemoved, this, close);
        connect(s, &QAbstractItemModel::rowsAboutToBeMoved, this, open);
        connect(s, &QAbstractItemModel::rowsMoved, this, close);
        connect(s, &QAbstractItemModel::columnsAboutToBeInserted, this, open);
        connect(s, &QAbstractItemModel::columnsInserted, this, close);
        connect(s, &QAbstractItemModel::columnsAboutToBeRemoved, this, open);
        connect(s, &QAbstractItemModel::columnsRemoved, this, close);
        connect(s, &QAbstractItemModel::dataChanged, this, close);
        connect(s, &QAbstractItemModel::headerDataChanged, this, close);
        connect(s, &QObject::destroyed, this, [this] {
            source_ = nullptr;
            onSourceChanged();
        });
    }
    dropCaches();
    bindColumns();
    rebuild();
    endResetModel();
}

void GridModel::onSourceChanged() {
    if (!resetOpen_)
        beginResetModel();
    resetOpen_ = false;
    dropCaches();
    bindColumns();
    rebuild();
    endResetModel();
}

int GridModel::addColumn(ColumnDef def) {
    const int column = int(columns_.size());
    beginInsertColumns({}, column, column);
    columns_.push_back(std::move(def));
    filters_.emplace_back();
    caches_.emplace_back();
    sourceColumns_.push_back(-1);
    bindColumns();
    endInsertColumns();
    return column;
}

void GridModel::bindColumns() {
    const int sourceColumns = source_ ? source_->columnCount() : 0;
    for (size_t c = 0; c < columns_.size(); ++c) {
        sourceColumns_[c] = -1;
        for (int s = 0; s < sourceColumns; ++s) {
            if (source_->headerData(s, Qt::Horizontal, Qt::DisplayRole).toString() == columns_[c].fieldName) {
                sourceColumns_[c] = s;
                break;
            }
        }
    }
}

void GridModel::dropCaches() {
    for (auto& c : caches_)
        c.reset();
    sourceRows_ = source_ ? source_->rowCount() : 0;
}

const GridModel::ColumnCache& GridModel::cache(int column) {
    auto& slot = caches_[column];
    if (slot)
        return *slot;
    slot = std::make_unique<ColumnCache>();
    const int sourceColumn = sourceColumns_[column];
    const ColumnKind kind = columns_[column].kind;
    slot->shown.resize(sourceRows_);
    slot->folded.resize(sourceRows_);
    if (!isTextKind(kind))
        slot->keys.resize(sourceRows_);
    if (sourceColumn < 0)
        return *slot;
    for (int r = 0; r < sourceRows_; ++r) {
        const QVariant value = source_->data(source_->index(r, sourceColumn), Qt::DisplayRole);
        slot->shown[r] = cellText(value, kind);
        slot->folded[r] = slot->shown[r].toCaseFolded();
        if (!isTextKind(kind))
            slot->keys[r] = typedKey(value, kind);
    }
    return *slot;
}

const std::vector<int>& GridModel::ranks(int column) {
    cache(column);
    ColumnCache& c = *caches_[column];
    if (!c.ranks.empty() || sourceRows_ == 0)
        return c.ranks;
    std::vector<int> rows(sourceRows_);
    std::iota(rows.begin(), rows.end(), 0);
    const bool typed = !c.keys.empty();
    auto compare = [&](int a, int b) {
        if (typed)
            return c.keys[a] < c.keys[b] ? -1 : (c.keys[a] > c.keys[b] ? 1 : 0);
        return c.folded[a].compare(c.folded[b]);
    };
    std::sort(rows.begin(), rows.end(), [&](int a, int b) { return compare(a, b) < 0; });
    c.ranks.resize(sourceRows_);
    int rank = 0;
    for (int i = 0; i < sourceRows_; ++i) {
        if (i > 0 && compare(rows[i - 1], rows[i]) != 0)
            ++rank;
        c.ranks[rows[i]] = rank;
    }
    return c.ranks;
}

void GridModel::setFilter(int column, const FilterCondition& condition) {
    beginResetModel();
    filters_.at(column) = condition;
    rebuild();
    endResetModel();
}

void GridModel::clearFilters() {
    beginResetModel();
    std::fill(filters_.begin(), filters_.end(), FilterCondition{});
    rebuild();
    endResetModel();
}

bool GridModel::hasFilter() const {
    return std::any_of(filters_.begin(), filters_.end(), [](const auto& f) { return f.isActive(); });
}

QString GridModel::filterDescription() const {
    QStringList parts;
    for (size_t c = 0; c < filters_.size(); ++c) {
        if (filters_[c].isActive())
            parts << filters_[c].describe(columns_[c].fieldName);
    }
    return parts.join(QStringLiteral(" AND "));
}

void GridModel::sort(int column, Qt::SortOrder order) {
    beginResetModel();
    sortColumn_ = column;
    sortOrder_ = order;
    rebuild();
    endResetModel();
}

void GridModel::setGroupColumns(const QList<int>& columns) {
    beginResetModel();
    groupColumns_ = columns;
    rebuild();
    endResetModel();
}

void GridModel::rebuild() {
    filterRows();
    sortRows();
    positionOfSource_.assign(sourceRows_, -1);
    for (int p = 0; p < int(order_.size()); ++p)
        positionOfSource_[order_[p]] = p;
    buildGroups();
}

void GridModel::filterRows() {
    order_.resize(sourceRows_);
    std::iota(order_.begin(), order_.end(), 0);
    for (size_t c = 0; c < filters_.size(); ++c) {
        if (!filters_[c].isActive())
            continue;
        const auto& folded = cache(int(c)).folded;
        const FilterCondition& condition = filters_[c];
        std::erase_if(order_, [&](int row) { return !condition.matches(folded[row]); });
    }
}

void GridModel::sortRows() {
    // Group columns first (their groups in ascending order, or in the sort order when the group
    // column is the sorted one), then the sorted column; ties keep the source's order.
    std::vector<std::pair<const std::vector<int>*, bool>> keys; // ranks, descending
    for (int column : groupColumns_)
        keys.emplace_back(&ranks(column), column == sortColumn_ && sortOrder_ == Qt::DescendingOrder);
    if (sortColumn_ >= 0)
        keys.emplace_back(&ranks(sortColumn_), sortOrder_ == Qt::DescendingOrder);
    if (keys.empty() || order_.empty())
        return;
    std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
        for (const auto& [r, descending] : keys) {
            if ((*r)[a] != (*r)[b])
                return descending ? (*r)[a] > (*r)[b] : (*r)[a] < (*r)[b];
        }
        return false;
    });
}

void GridModel::buildGroups() {
    root_ = std::make_unique<GroupNode>();
    root_->end = int(order_.size());
    buildLevel(root_.get(), 0);
}

void GridModel::buildLevel(GroupNode* node, int level) {
    if (level >= groupColumns_.size())
        return;
    const auto& r = ranks(groupColumns_[level]);
    for (int p = node->begin; p < node->end;) {
        int q = p + 1;
        while (q < node->end && r[order_[q]] == r[order_[p]])
            ++q;
        auto child = std::make_unique<GroupNode>();
        child->parent = node;
        child->rowInParent = int(node->children.size());
        child->level = level;
        child->begin = p;
        child->end = q;
        buildLevel(child.get(), level + 1);
        node->children.push_back(std::move(child));
        p = q;
    }
}

bool GridModel::isLeaf(const GroupNode* node) const {
    return node->level + 1 == groupColumns_.size();
}

GridModel::GroupNode* GridModel::nodeOf(const QModelIndex& index) const {
    if (!index.isValid())
        return root_.get();
    auto* parentNode = static_cast<GroupNode*>(index.internalPointer());
    return parentNode->children[index.row()].get();
}

bool GridModel::isGroupRow(const QModelIndex& index) const {
    return index.isValid() && !isLeaf(static_cast<const GroupNode*>(index.internalPointer()));
}

int GridModel::positionOf(const QModelIndex& index) const {
    if (!index.isValid() || isGroupRow(index))
        return -1;
    return static_cast<const GroupNode*>(index.internalPointer())->begin + index.row();
}

int GridModel::positionOfSourceRow(int sourceRow) const {
    return sourceRow >= 0 && sourceRow < int(positionOfSource_.size()) ? positionOfSource_[sourceRow] : -1;
}

QModelIndex GridModel::indexAtPosition(int position, int column) const {
    if (position < 0 || position >= int(order_.size()))
        return {};
    const GroupNode* node = root_.get();
    while (!isLeaf(node)) {
        auto it = std::upper_bound(node->children.begin(), node->children.end(), position,
                                   [](int p, const auto& child) { return p < child->begin; });
        node = std::prev(it)->get();
    }
    return createIndex(position - node->begin, column, const_cast<GroupNode*>(node));
}

QString GridModel::shownText(int sourceRow, int column) const {
    if (const auto& c = caches_[column])
        return c->shown[sourceRow];
    const int sourceColumn = sourceColumns_[column];
    if (sourceColumn < 0)
        return {};
    return cellText(source_->data(source_->index(sourceRow, sourceColumn), Qt::DisplayRole),
                    columns_[column].kind);
}

QStringList GridModel::distinctValues(int column) {
    const auto& r = ranks(column);
    const auto& shown = caches_[column]->shown;
    std::vector<int> firstOfRank(sourceRows_ ? *std::max_element(r.begin(), r.end()) + 1 : 0, -1);
    for (int row = 0; row < sourceRows_; ++row) {
        if (firstOfRank[r[row]] < 0)
            firstOfRank[r[row]] = row;
    }
    QStringList values;
    values.reserve(int(firstOfRank.size()));
    for (int row : firstOfRank) {
        if (!shown[row].isEmpty())
            values << shown[row];
    }
    return values;
}

QModelIndex GridModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column < 0 || column >= columnCount() || row >= rowCount(parent))
        return {};
    return createIndex(row, column, nodeOf(parent));
}

QModelIndex GridModel::parent(const QModelIndex& child) const {
    if (!child.isValid())
        return {};
    auto* node = static_cast<GroupNode*>(child.internalPointer());
    if (node == root_.get())
        return {};
    return createIndex(node->rowInParent, 0, node->parent);
}

int GridModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() && (parent.column() != 0 || !isGroupRow(parent)))
        return 0;
    const GroupNode* node = nodeOf(parent);
    return isLeaf(node) ? node->end - node->begin : int(node->children.size());
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() && parent.column() != 0 ? 0 : int(columns_.size());
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (isGroupRow(index)) {
        const GroupNode* node = nodeOf(index);
        const int column = groupColumns_[node->level];
        switch (role) {
        case Qt::DisplayRole:
            if (index.column() != 0)
                return {};
            return QStringLiteral("%1 : %2 (%3)")
                .arg(columns_[column].fieldName, shownText(order_[node->begin], column))
                .arg(node->end - node->begin);
        case GroupRowRole:
            return true;
        case GroupLevelRole:
            return node->level;
        case GroupKeyRole:
            return QString::number(column) + u'\x1f' + shownText(order_[node->begin], column);
        case SourceRowRole:
        case PositionRole:
            return -1;
        default:
            return {};
        }
    }
    const int position = positionOf(index);
    const int sourceRow = order_[position];
    const ColumnKind kind = columns_[index.column()].kind;
    switch (role) {
    case Qt::DisplayRole:
        return shownText(sourceRow, index.column());
    case Qt::ToolTipRole:
        if (kind == ColumnKind::MultiLineText) {
            const QString text = shownText(sourceRow, index.column());
            return text.isEmpty() ? QVariant() : QVariant(text);
        }
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (kind == ColumnKind::Number ? Qt::AlignRight : Qt::AlignLeft));
    case SourceRowRole:
        return sourceRow;
    case PositionRole:
        return position;
    case GroupRowRole:
        return false;
    default:
        return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < int(columns_.size()))
        return columns_[section].fieldName;
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (isGroupRow(index))
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

} // namespace wc::grid

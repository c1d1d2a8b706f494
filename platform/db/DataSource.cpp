#include "db/DataSource.h"

namespace wc::db {

DataSource::DataSource(Query& query, QObject* parent) : QAbstractTableModel(parent), query_(query) {
    connect(&query_, &Query::afterOpen, this, &DataSource::rebuild);
    connect(&query_, &Query::afterRefresh, this, &DataSource::rebuild);
    connect(&query_, &Query::afterClose, this, &DataSource::rebuild);
    connect(&query_, &Query::rowChanged, this, [this](int row) {
        if (row >= 0)
            emit dataChanged(index(row, 0), index(row, columns_ - 1));
    });
    connect(&query_, &Query::currentRowChanged, this, &DataSource::currentRowChanged);
    rebuild();
}

void DataSource::rebuild() {
    beginResetModel();
    columns_ = int(query_.fields().size());
    endResetModel();
}

int DataSource::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : query_.recordCount(); }

int DataSource::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

QVariant DataSource::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return query_.fields()[size_t(index.column())]->valueAt(index.row());
}

QVariant DataSource::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columns_)
        return QAbstractTableModel::headerData(section, orientation, role);
    return query_.fields()[size_t(section)]->name();
}

void DataSource::setCurrentRow(int row) {
    if (row != query_.recNo())
        query_.setRecNo(row);
}

} // namespace wc::db

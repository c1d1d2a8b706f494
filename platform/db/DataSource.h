#pragma once

#include "db/Query.h"

#include <QAbstractTableModel>

namespace wc::db {

// Shows a query's rows as a table model: one row per record, one column per declared
// field, headers named like the fields, values typed by the fields' kinds. Its current
// row follows the query's in both directions.
class DataSource : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DataSource(Query& query, QObject* parent = nullptr);

    Query& dataSet() { return query_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    int currentRow() const { return query_.recNo(); }
    // Moves the query; its failures (e.g. a detail that cannot be re-read) reach the caller.
    void setCurrentRow(int row);

signals:
    void currentRowChanged(int row);

private:
    void rebuild();

    Query& query_;
    int columns_ = 0;
};

} // namespace wc::db

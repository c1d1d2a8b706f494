#pragma once

// Posting one edited row back to its table: internal to the data-access layer.
#include "db/Connection.h"

#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace wc::db {

// How the rows of one table behind a query are found again: the table's name and the
// query columns whose values pick the row.
struct TableKey {
    unsigned tableOid = 0;
    QByteArray qualifiedName;
    std::map<int, QByteArray> columnNames; // query column -> quoted column name in the table
    std::vector<int> whereColumns;         // query columns
};

// Reads the table behind a query column and its key from the catalog: the primary key,
// else the unique index whose name sorts first, as far as the query returns its columns;
// else every returned column of that table that is not a text of unbounded length.
TableKey loadTableKey(Connection& connection, const PGresult* result, int changedColumn);

// Sends the UPDATE for one row and returns the number of rows it touched.
// `readValue` gives a column's value as read (nullopt for NULL).
int updateRow(Connection& connection, const PGresult* result, const TableKey& key,
              const std::map<int, std::optional<QByteArray>>& changes,
              const std::function<std::optional<QByteArray>(int column)>& readValue);

} // namespace wc::db

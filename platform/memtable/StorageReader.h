#pragma once

#include "memtable/MemTable.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace wc::mem {

// The rows of one table of a storage file, bound to the wanted fields.
struct StoredTable {
    QList<Row> rows;
    qint64 savePoint = 0;
};

// Reads the table named `tableName` (compared without regard to case), or the first table when
// none has that name, and binds `fields` to its text columns of the same names. Every member
// may be absent and then takes its default; members are matched without regard to letter case.
StoredTable readStorage(const QByteArray& bytes, const QString& tableName, const QList<FieldDef>& fields);

// The same for a file; a file that cannot be opened fails with the file layer's message.
StoredTable readStorageFile(const QString& path, const QString& tableName, const QList<FieldDef>& fields);

} // namespace wc::mem

#pragma once

#include <QByteArray>
#include <QString>

namespace wc::mem {

class MemTable;

// The whole storage file for the table: byte order mark, then the compact JSON text.
QByteArray storageBytes(const MemTable& table);

// Writes a sibling temporary file and then puts it in place of `path`, so a failed write
// leaves any earlier file as it was; fails with the file layer's message.
void writeStorageFile(const MemTable& table, const QString& path);

} // namespace wc::mem

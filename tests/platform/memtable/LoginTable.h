#pragma once

#include "memtable/MemTable.h"
#include "support/TestDatabase.h"

#include <QFile>
#include <memory>

namespace wc::mem::test {

// The remembered login table as the login dialog declares it.
inline std::unique_ptr<MemTable> loginTable() {
    return std::make_unique<MemTable>(
        QStringLiteral("dsLogin"),
        QList<FieldDef>{{QStringLiteral("company"), 200}, {QStringLiteral("username"), 200}});
}

// An open login table holding one stored row.
inline std::unique_ptr<MemTable> loginTableWithRow(const Value& company, const Value& username) {
    auto table = loginTable();
    table->open();
    table->append();
    table->setValue(QStringLiteral("company"), company);
    table->setValue(QStringLiteral("username"), username);
    table->post();
    return table;
}

inline QString dataPath(const QString& name) {
    return wc::test::sourcePath(QStringLiteral("tests/platform/memtable/data/") + name);
}

inline QByteArray dataFile(const QString& name) {
    QFile file(dataPath(name));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("missing test data " + name.toStdString());
    return file.readAll();
}

} // namespace wc::mem::test

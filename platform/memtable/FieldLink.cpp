#include "memtable/FieldLink.h"

#include "memtable/MemTable.h"

#include <QScopedValueRollback>

namespace wc::mem {

FieldLink::FieldLink(MemTable& table, const QString& fieldName, QObject* parent)
    : QObject(parent), table_(table), field_(table.fieldIndex(fieldName)) {
    connect(&table_, &MemTable::currentRowChanged, this, [this] {
        if (!writing_)
            announce();
    });
    connect(&table_, &MemTable::dataChanged, this, [this](int field) {
        if (field == field_ && !writing_)
            announce();
    });
}

QString FieldLink::text() const {
    return table_.value(field_).value_or(QString());
}

bool FieldLink::writeText(const QString& text) {
    if (!table_.isOpen()) {
        announce();
        return false;
    }
    const QScopedValueRollback<bool> guard(writing_, true);
    table_.edit();
    table_.setValue(field_, text);
    return true;
}

void FieldLink::announce() {
    emit textChanged(text());
}

} // namespace wc::mem

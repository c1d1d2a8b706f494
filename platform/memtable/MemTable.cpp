#include "memtable/MemTable.h"

#include "core/Failure.h"
#include "memtable/StorageReader.h"
#include "memtable/StorageWriter.h"

namespace wc::mem {

namespace {

// Keeps the first `size` code units, one fewer when the cut would split a surrogate pair.
Value fitted(const Value& value, int size) {
    if (!value || value->size() <= size)
        return value;
    const int keep = value->at(size - 1).isHighSurrogate() ? size - 1 : size;
    return value->left(keep);
}

} // namespace

MemTable::MemTable(QString name, QList<FieldDef> fields, QObject* parent)
    : QObject(parent), name_(std::move(name)), fields_(std::move(fields)) {}

int MemTable::fieldIndex(const QString& fieldName) const {
    for (int i = 0; i < fields_.size(); ++i) {
        if (fields_.at(i).name.compare(fieldName, Qt::CaseInsensitive) == 0)
            return i;
    }
    throw Failure(QStringLiteral("%1: Field '%2' not found").arg(name_, fieldName));
}

void MemTable::open() {
    if (isOpen())
        return;
    setState(TableState::Browse);
    current_ = rows_.isEmpty() ? -1 : 0;
    emit currentRowChanged(); // bound fields show the opened table, even an empty one
}

void MemTable::close() {
    if (!isOpen())
        return;
    rows_.clear();
    buffer_.clear();
    setState(TableState::Inactive);
    current_ = -1;
    emit currentRowChanged();
}

Value MemTable::value(int field) const {
    if (state_ == TableState::Edit || state_ == TableState::Insert)
        return buffer_.at(field);
    if (current_ < 0)
        return std::nullopt;
    return rows_.at(current_).at(field);
}

void MemTable::edit() {
    requireOpen();
    if (state_ != TableState::Browse)
        return;
    if (rows_.isEmpty()) {
        append();
        return;
    }
    buffer_ = rows_.at(current_);
    setState(TableState::Edit);
}

void MemTable::append() {
    requireOpen();
    finishPendingEdit();
    buffer_ = blankRow();
    rowBeforeInsert_ = current_;
    setState(TableState::Insert);
    moveTo(rowCount());
}

void MemTable::setValue(int field, const Value& value) {
    requireEditing();
    const Value stored = fitted(value, fields_.at(field).size);
    if (buffer_.at(field) == stored)
        return;
    buffer_[field] = stored;
    emit dataChanged(field);
}

void MemTable::post() {
    requireEditing();
    if (state_ == TableState::Insert)
        rows_.append(buffer_);
    else
        rows_[current_] = buffer_;
    buffer_.clear();
    setState(TableState::Browse);
}

void MemTable::cancel() {
    if (state_ != TableState::Edit && state_ != TableState::Insert)
        return;
    const bool inserting = state_ == TableState::Insert;
    buffer_.clear();
    setState(TableState::Browse);
    if (inserting)
        moveTo(rowBeforeInsert_);
    else
        emit currentRowChanged(); // the edited values are gone
}

void MemTable::finishPendingEdit() {
    if (state_ == TableState::Edit || state_ == TableState::Insert)
        post();
}

void MemTable::saveToFile(const QString& path) const {
    writeStorageFile(*this, path);
}

void MemTable::loadFromFile(const QString& path) {
    close();
    StoredTable stored = readStorageFile(path, name_, fields_);
    for (Row& row : stored.rows) {
        for (int field = 0; field < fields_.size(); ++field)
            row[field] = fitted(row.at(field), fields_.at(field).size);
    }
    rows_ = std::move(stored.rows);
    savePoint_ = stored.savePoint;
    open();
}

void MemTable::requireOpen() const {
    if (!isOpen())
        throw Failure(QStringLiteral("%1: Cannot perform this operation on a closed table").arg(name_));
}

void MemTable::requireEditing() const {
    if (state_ != TableState::Edit && state_ != TableState::Insert)
        throw Failure(QStringLiteral("%1: Table not in edit or insert mode").arg(name_));
}

void MemTable::setState(TableState state) {
    if (state_ == state)
        return;
    state_ = state;
    emit stateChanged(state);
}

void MemTable::moveTo(int row) {
    if (current_ == row)
        return;
    current_ = row;
    emit currentRowChanged();
}

} // namespace wc::mem

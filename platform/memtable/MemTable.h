#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <optional>

namespace wc::mem {

// A named Unicode-text field; stored values are cut to `size` UTF-16 code units.
struct FieldDef {
    QString name;
    int size = 0;
};

using Value = std::optional<QString>; // std::nullopt is a null value
using Row = QList<Value>;

enum class TableState { Inactive, Browse, Edit, Insert };

// A small in-memory table of text fields with one current row and the editing states that
// a form binding needs. Changes are applied at once when a row is posted; nothing is kept
// pending, so what is stored is what gets saved.
class MemTable : public QObject {
    Q_OBJECT
public:
    MemTable(QString name, QList<FieldDef> fields, QObject* parent = nullptr);

    const QString& name() const { return name_; }
    const QList<FieldDef>& fields() const { return fields_; }
    // Index of the named field (compared without regard to case); fails when there is none.
    int fieldIndex(const QString& fieldName) const;

    void open();
    // Discards every row and any pending edit; a closed table holds nothing.
    void close();
    bool isOpen() const { return state_ != TableState::Inactive; }
    TableState state() const { return state_; }

    // Stored rows; a row being inserted counts once it is posted.
    int rowCount() const { return int(rows_.size()); }
    // The row the fields show: -1 when there is none; the row being inserted is rowCount().
    int currentRow() const { return current_; }
    // Value of a field in the current record (the edit buffer while editing or inserting);
    // null when there is no current row.
    Value value(int field) const;
    Value value(const QString& fieldName) const { return value(fieldIndex(fieldName)); }
    Value storedValue(int row, int field) const { return rows_.at(row).at(field); }

    // Starts editing the current row; on an empty table starts inserting a new row instead.
    void edit();
    // Finishes any pending edit, then starts inserting a new row of nulls at the end.
    void append();
    void setValue(int field, const Value& value);
    void setValue(const QString& fieldName, const Value& value) { setValue(fieldIndex(fieldName), value); }
    void post();
    void cancel();
    // Posts a pending edit or insert; nothing to do in browse state.
    void finishPendingEdit();

    // A counter carried from storage file to storage file; kept as read, never changed here.
    qint64 savePoint() const { return savePoint_; }

    // Writes the table (stored rows only) to the JSON storage file, replacing it safely.
    void saveToFile(const QString& path) const;
    // Rebuilds the rows from the file's table named like this one (or its first table);
    // leaves the table open on its first row, or closed and empty when the load fails.
    void loadFromFile(const QString& path);

signals:
    void stateChanged(wc::mem::TableState state);
    // The current record is another one, or all its values may differ: re-read every field.
    void currentRowChanged();
    void dataChanged(int field);

private:
    void requireOpen() const;
    void requireEditing() const;
    void setState(TableState state);
    void moveTo(int row);
    Row blankRow() const { return Row(fields_.size()); }

    QString name_;
    QList<FieldDef> fields_;
    QList<Row> rows_;
    Row buffer_; // the record being edited or inserted
    TableState state_ = TableState::Inactive;
    int current_ = -1;
    int rowBeforeInsert_ = -1;
    qint64 savePoint_ = 0;
};

} // namespace wc::mem

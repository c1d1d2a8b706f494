#include "memtable/StorageWriter.h"

#include "core/Failure.h"
#include "memtable/JsonWriter.h"
#include "memtable/MemTable.h"

#include <QDir>
#include <QSaveFile>

namespace wc::mem {

namespace {

constexpr int kStorageVersion = 16;
constexpr int kMinimumCapacity = 50;

void writeColumn(JsonWriter& json, const FieldDef& field, int sourceId) {
    json.beginObject();
    json.name(u"class");
    json.string(u"Column");
    json.name(u"Name");
    json.string(field.name);
    json.name(u"SourceID");
    json.integer(sourceId);
    json.name(u"DataType");
    json.string(u"WideString");
    json.name(u"Size");
    json.integer(field.size);
    // Attribute and option flags that are on, each in its fixed place among the others.
    for (const char16_t* flag :
         {u"Searchable", u"AllowNull", u"Base", u"OAllowNull", u"OInUpdate", u"OInWhere"}) {
        json.name(flag);
        json.boolean(true);
    }
    json.endObject();
}

void writeRow(JsonWriter& json, const MemTable& table, int row) {
    json.beginObject();
    json.name(u"RowID");
    json.integer(row);
    json.name(u"Original");
    json.beginObject();
    for (int field = 0; field < table.fields().size(); ++field) {
        const Value value = table.storedValue(row, field);
        if (!value)
            continue; // a null value is left out
        json.name(table.fields().at(field).name);
        json.string(*value);
    }
    json.endObject();
    json.endObject();
}

void writeTable(JsonWriter& json, const MemTable& table) {
    json.beginObject();
    json.name(u"class");
    json.string(u"Table");
    json.name(u"Name");
    json.string(table.name());
    json.name(u"TabID");
    json.integer(0);
    json.name(u"EnforceConstraints");
    json.boolean(false);
    json.name(u"MinimumCapacity");
    json.integer(kMinimumCapacity);
    json.name(u"CheckNotNull");
    json.boolean(false);
    json.name(u"ColumnList");
    json.beginArray();
    for (int field = 0; field < table.fields().size(); ++field)
        writeColumn(json, table.fields().at(field), field + 1);
    json.endArray();
    json.name(u"ConstraintList");
    json.beginArray();
    json.endArray();
    json.name(u"ViewList");
    json.beginArray();
    json.endArray();
    json.name(u"RowList");
    json.beginArray();
    for (int row = 0; row < table.rowCount(); ++row)
        writeRow(json, table, row);
    json.endArray();
    json.endObject();
}

void writeManager(JsonWriter& json, const MemTable& table) {
    json.beginObject();
    json.name(u"UpdatesRegistry");
    json.boolean(true);
    json.name(u"TableList");
    json.beginArray();
    writeTable(json, table);
    json.endArray();
    json.name(u"RelationList");
    json.beginArray();
    json.endArray();
    json.name(u"UpdatesJournal");
    json.beginObject();
    if (table.savePoint() != 0) {
        json.name(u"SavePoint");
        json.integer(table.savePoint());
    }
    json.name(u"Changes");
    json.beginArray();
    json.endArray();
    json.endObject();
    json.endObject();
}

} // namespace

QByteArray storageBytes(const MemTable& table) {
    JsonWriter json;
    json.beginObject();
    json.name(u"FDBS");
    json.beginObject();
    json.name(u"Version");
    json.integer(kStorageVersion);
    json.name(u"Manager");
    writeManager(json, table);
    json.endObject();
    json.endObject();
    return QByteArray("\xEF\xBB\xBF") + json.bytes();
}

void writeStorageFile(const MemTable& table, const QString& path) {
    const QByteArray bytes = storageBytes(table);
    const QString nativePath = QDir::toNativeSeparators(path);
    QSaveFile file(path);
    // Unbuffered: a buffered short write would surface only in commit()'s flush, which ignores it.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw Failure(QStringLiteral("Cannot create file \"%1\". %2").arg(nativePath, file.errorString()));
    // A short write reports no error by itself (the disk or the size limit is full): writing the
    // rest brings out the reason. An uncommitted file is discarded, leaving the earlier one.
    for (qint64 written = 0; written < bytes.size();) {
        const qint64 count = file.write(bytes.constData() + written, bytes.size() - written);
        if (count <= 0)
            throw Failure(QStringLiteral("Cannot write file \"%1\". %2").arg(nativePath, file.errorString()));
        written += count;
    }
    if (!file.commit())
        throw Failure(QStringLiteral("Cannot write file \"%1\". %2").arg(nativePath, file.errorString()));
}

} // namespace wc::mem

#include "memtable/StorageReader.h"

#include "core/Failure.h"
#include "memtable/JsonReader.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <initializer_list>

namespace wc::mem {

namespace {

using Kind = JsonValue::Kind;

enum class Expect { String, Integer, Boolean, Array, Object };

struct MemberRule {
    const char16_t* name;
    Expect expect;
};

const char* describe(Expect expect) {
    switch (expect) {
    case Expect::String:
        return "a string";
    case Expect::Integer:
        return "an integer";
    case Expect::Boolean:
        return "true or false";
    case Expect::Array:
        return "an array";
    case Expect::Object:
        return "an object";
    }
    return "";
}

bool isInteger(const JsonValue& value) {
    if (value.kind != Kind::Number)
        return false;
    bool ok = false;
    value.number.toLongLong(&ok);
    return ok;
}

bool matches(const JsonValue& value, Expect expect) {
    switch (expect) {
    case Expect::String:
        return value.kind == Kind::String;
    case Expect::Integer:
        return isInteger(value);
    case Expect::Boolean:
        return value.kind == Kind::Boolean;
    case Expect::Array:
        return value.kind == Kind::Array;
    case Expect::Object:
        return value.kind == Kind::Object;
    }
    return false;
}

void require(const JsonValue& value, Expect expect, QStringView what) {
    if (!matches(value, expect))
        formatError(value.position,
                    QStringLiteral("%1 must be %2").arg(what, QLatin1String(describe(expect))));
}

// Every known member that is present must have its kind; absent ones take their defaults and
// unknown ones are passed over.
void checkMembers(const JsonValue& object, std::initializer_list<MemberRule> rules) {
    for (const MemberRule& rule : rules) {
        const QStringView name(rule.name);
        if (const JsonValue* value = object.member(name))
            require(*value, rule.expect, QStringLiteral("\"%1\"").arg(name));
    }
}

// The elements of an array member, each required to be an object; none when it is absent.
const std::vector<JsonValue>& objectsOf(const JsonValue& object, QStringView name) {
    static const std::vector<JsonValue> none;
    const JsonValue* array = object.member(name);
    if (array == nullptr)
        return none;
    for (const JsonValue& item : array->items)
        require(item, Expect::Object, QStringLiteral("each element of \"%1\"").arg(name));
    return array->items;
}

QString stringOf(const JsonValue& object, QStringView name) {
    const JsonValue* value = object.member(name);
    return value ? value->string : QString();
}

void checkManager(const JsonValue& manager) {
    checkMembers(manager, {{u"Name", Expect::String},
                           {u"CaseSensitive", Expect::Boolean},
                           {u"EnforceConstraints", Expect::Boolean},
                           {u"Locale", Expect::Integer},
                           {u"UpdatesRegistry", Expect::Boolean},
                           {u"Round2Scale", Expect::Boolean},
                           {u"CheckPrecision", Expect::Boolean},
                           {u"StrsTrim2Len", Expect::Boolean},
                           {u"CheckNotNull", Expect::Boolean},
                           {u"CheckReadOnly", Expect::Boolean},
                           {u"TableList", Expect::Array},
                           {u"RelationList", Expect::Array},
                           {u"UpdatesJournal", Expect::Object}});
    objectsOf(manager, u"RelationList"); // only checked: relations are not kept
}

void checkTable(const JsonValue& table) {
    checkMembers(table, {{u"class", Expect::String},
                         {u"Name", Expect::String},
                         {u"SourceName", Expect::String},
                         {u"SourceID", Expect::Integer},
                         {u"TabID", Expect::Integer},
                         {u"CaseSensitive", Expect::Boolean},
                         {u"EnforceConstraints", Expect::Boolean},
                         {u"Locale", Expect::Integer},
                         {u"MinimumCapacity", Expect::Integer},
                         {u"Nested", Expect::Boolean},
                         {u"Round2Scale", Expect::Boolean},
                         {u"CheckPrecision", Expect::Boolean},
                         {u"StrsTrim2Len", Expect::Boolean},
                         {u"CheckNotNull", Expect::Boolean},
                         {u"CheckReadOnly", Expect::Boolean},
                         {u"InlineDataSize", Expect::Integer},
                         {u"ColumnList", Expect::Array},
                         {u"ConstraintList", Expect::Array},
                         {u"ViewList", Expect::Array},
                         {u"RowList", Expect::Array}});
    // Only checked: constraints and views are not kept.
    objectsOf(table, u"ConstraintList");
    objectsOf(table, u"ViewList");
}

void checkColumn(const JsonValue& column) {
    checkMembers(column, {{u"class", Expect::String},
                          {u"Name", Expect::String},
                          {u"SourceName", Expect::String},
                          {u"SourceID", Expect::Integer},
                          {u"DataType", Expect::String},
                          {u"Precision", Expect::Integer},
                          {u"Scale", Expect::Integer},
                          {u"Size", Expect::Integer},
                          {u"Searchable", Expect::Boolean},
                          {u"AllowNull", Expect::Boolean},
                          {u"FixedLen", Expect::Boolean},
                          {u"BlobData", Expect::Boolean},
                          {u"ReadOnly", Expect::Boolean},
                          {u"AutoInc", Expect::Boolean},
                          {u"ROWID", Expect::Boolean},
                          {u"Default", Expect::Boolean},
                          {u"RowVersion", Expect::Boolean},
                          {u"Internal", Expect::Boolean},
                          {u"Calculated", Expect::Boolean},
                          {u"Volatile", Expect::Boolean},
                          {u"Unnamed", Expect::Boolean},
                          {u"Virtual", Expect::Boolean},
                          {u"Base", Expect::Boolean},
                          {u"Expr", Expect::Boolean},
                          {u"AutoIncrement", Expect::Boolean},
                          {u"AutoIncrementSeed", Expect::Integer},
                          {u"AutoIncrementStep", Expect::Integer},
                          {u"Caption", Expect::String},
                          {u"Expression", Expect::String},
                          {u"OAllowNull", Expect::Boolean},
                          {u"OUnique", Expect::Boolean},
                          {u"OReadOnly", Expect::Boolean},
                          {u"OInUpdate", Expect::Boolean},
                          {u"OInWhere", Expect::Boolean},
                          {u"OInKey", Expect::Boolean},
                          {u"OAfterInsChanged", Expect::Boolean},
                          {u"OAfterUpdChanged", Expect::Boolean},
                          {u"OriginTabName", Expect::String},
                          {u"OriginColName", Expect::String},
                          {u"SourceDataType", Expect::String},
                          {u"SourcePrecision", Expect::Integer},
                          {u"SourceScale", Expect::Integer},
                          {u"SourceSize", Expect::Integer},
                          {u"SourceDataTypeName", Expect::String},
                          {u"SourceDirectory", Expect::String},
                          {u"SourceGenerator", Expect::String}});
}

void checkRow(const JsonValue& row) {
    checkMembers(row, {{u"RowID", Expect::Integer},
                       {u"RowState", Expect::String},
                       {u"RowPriorState", Expect::String},
                       {u"Exception", Expect::Object},
                       {u"Original", Expect::Object},
                       {u"Current", Expect::Object},
                       {u"Proposed", Expect::Object}});
}

qint64 readSavePoint(const JsonValue& manager) {
    const JsonValue* journal = manager.member(u"UpdatesJournal");
    if (journal == nullptr)
        return 0;
    checkMembers(*journal, {{u"SavePoint", Expect::Integer}, {u"Changes", Expect::Array}});
    objectsOf(*journal, u"Changes");
    const JsonValue* savePoint = journal->member(u"SavePoint");
    return savePoint ? savePoint->number.toLongLong() : 0;
}

const JsonValue& chooseTable(const JsonValue& manager, const QString& tableName) {
    const std::vector<JsonValue>& tables = objectsOf(manager, u"TableList");
    if (tables.empty())
        formatError(manager.position, QStringLiteral("the storage holds no table"));
    for (const JsonValue& table : tables)
        checkTable(table);
    const auto named = std::find_if(tables.begin(), tables.end(), [&](const JsonValue& table) {
        return stringOf(table, u"Name").compare(tableName, Qt::CaseInsensitive) == 0;
    });
    return named != tables.end() ? *named : tables.front();
}

bool isTextType(const QString& dataType) {
    for (const char* text :
         {"String", "WideString", "AnsiString", "Memo", "WideMemo", "HMemo", "WideHMemo"}) {
        if (dataType.compare(QLatin1String(text), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// The name of the file's column bound to each field, in field order.
QStringList bindColumns(const JsonValue& table, const QList<FieldDef>& fields) {
    const QString tableName = stringOf(table, u"Name");
    const std::vector<JsonValue>& columns = objectsOf(table, u"ColumnList");
    for (const JsonValue& column : columns)
        checkColumn(column);
    QStringList bound;
    for (const FieldDef& field : fields) {
        const auto found = std::find_if(columns.begin(), columns.end(), [&](const JsonValue& column) {
            return stringOf(column, u"Name").compare(field.name, Qt::CaseInsensitive) == 0;
        });
        if (found == columns.end())
            throw Failure(QStringLiteral("Table \"%1\" of the JSON storage has no column \"%2\"")
                              .arg(tableName, field.name));
        const QString dataType = stringOf(*found, u"DataType");
        if (!isTextType(dataType))
            throw Failure(
                QStringLiteral("Column \"%1\" of table \"%2\" of the JSON storage is of type \"%3\", "
                               "not of a text type")
                    .arg(field.name, tableName, dataType));
        bound.append(stringOf(*found, u"Name"));
    }
    return bound;
}

Row readRow(const JsonValue& values, const QStringList& columns) {
    Row row;
    for (const QString& column : columns) {
        const JsonValue* value = values.member(column);
        if (value == nullptr || value->kind == Kind::Null) {
            row.append(std::nullopt);
            continue;
        }
        require(*value, Expect::String, QStringLiteral("the value of \"%1\"").arg(column));
        row.append(value->string);
    }
    return row;
}

QList<Row> readRows(const JsonValue& table, const QStringList& columns) {
    static const JsonValue noValues = [] {
        JsonValue empty;
        empty.kind = Kind::Object;
        return empty;
    }();
    QList<Row> rows;
    for (const JsonValue& row : objectsOf(table, u"RowList")) {
        checkRow(row);
        // A row deleted but not yet applied is no longer part of the table's content.
        if (stringOf(row, u"RowState").compare(u"Deleted", Qt::CaseInsensitive) == 0)
            continue;
        const JsonValue* values = row.member(u"Current");
        if (values == nullptr)
            values = row.member(u"Original");
        rows.append(readRow(values ? *values : noValues, columns));
    }
    return rows;
}

} // namespace

StoredTable readStorage(const QByteArray& bytes, const QString& tableName, const QList<FieldDef>& fields) {
    const JsonValue root = parseJson(bytes);
    require(root, Expect::Object, u"the storage");
    const JsonValue* set = &root;
    if (const JsonValue* wrapper = root.member(u"FDBS")) {
        require(*wrapper, Expect::Object, u"\"FDBS\"");
        set = wrapper;
    }
    checkMembers(*set, {{u"Version", Expect::Integer}, {u"Manager", Expect::Object}});
    const JsonValue* manager = set->member(u"Manager");
    if (manager == nullptr)
        formatError(set->position, QStringLiteral("member \"Manager\" is missing"));
    checkManager(*manager);

    const JsonValue& table = chooseTable(*manager, tableName);
    const QStringList columns = bindColumns(table, fields);
    return StoredTable{readRows(table, columns), readSavePoint(*manager)};
}

StoredTable readStorageFile(const QString& path, const QString& tableName, const QList<FieldDef>& fields) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(QStringLiteral("Cannot open file \"%1\". %2")
                          .arg(QDir::toNativeSeparators(path), file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Failure(QStringLiteral("Cannot read file \"%1\". %2")
                          .arg(QDir::toNativeSeparators(path), file.errorString()));
    return readStorage(bytes, tableName, fields);
}

} // namespace wc::mem

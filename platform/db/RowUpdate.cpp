#include "db/RowUpdate.h"

#include "core/Failure.h"
#include "db/FieldKind.h"

#include <QStringList>

namespace wc::db {
namespace {

QByteArray quoteIdent(const char* name) {
    QByteArray quoted = "\"";
    for (const char* p = name; *p; ++p) {
        if (*p == '"')
            quoted += '"';
        quoted += *p;
    }
    return quoted + '"';
}

WireParam oidParam(unsigned value) { return {26u /* oid */, false, QByteArray::number(value)}; }

bool isUnboundedText(const PGresult* result, int column) {
    const unsigned type = PQftype(result, column);
    return type == oid::Text || type == oid::Json || type == oid::Jsonb || type == oid::Bytea ||
           ((type == oid::Varchar || type == oid::Bpchar) && PQfmod(result, column) < 0);
}

} // namespace

TableKey loadTableKey(Connection& connection, const PGresult* result, int changedColumn) {
    TableKey key;
    key.tableOid = PQftable(result, changedColumn);
    if (key.tableOid == 0)
        throw Failure(QStringLiteral("Column '%1' cannot be updated: it does not come from a table")
                          .arg(QString::fromUtf8(PQfname(result, changedColumn))));
    const std::vector<WireParam> table{oidParam(key.tableOid)};

    PgResultHandle name = connection.execute(
        "select n.nspname, c.relname from pg_catalog.pg_class c "
        "join pg_catalog.pg_namespace n on n.oid = c.relnamespace where c.oid = $1",
        table);
    if (PQntuples(name.get()) != 1)
        throw Failure(QStringLiteral("The table of column '%1' was not found")
                          .arg(QString::fromUtf8(PQfname(result, changedColumn))));
    key.qualifiedName = quoteIdent(PQgetvalue(name.get(), 0, 0)) + '.' + quoteIdent(PQgetvalue(name.get(), 0, 1));

    PgResultHandle attributes = connection.execute(
        "select attnum, attname from pg_catalog.pg_attribute "
        "where attrelid = $1 and attnum > 0 and not attisdropped",
        table);
    std::map<int, QByteArray> attributeNames;
    for (int r = 0; r < PQntuples(attributes.get()); ++r)
        attributeNames[atoi(PQgetvalue(attributes.get(), r, 0))] = quoteIdent(PQgetvalue(attributes.get(), r, 1));
    std::map<int, int> columnOfAttribute;
    for (int c = 0; c < PQnfields(result); ++c) {
        if (PQftable(result, c) == key.tableOid && attributeNames.count(PQftablecol(result, c))) {
            key.columnNames[c] = attributeNames[PQftablecol(result, c)];
            columnOfAttribute.emplace(PQftablecol(result, c), c);
        }
    }

    PgResultHandle indexes = connection.execute(
        "select i.indkey::text from pg_catalog.pg_index i "
        "join pg_catalog.pg_class ic on ic.oid = i.indexrelid "
        "where i.indrelid = $1 and (i.indisprimary or i.indisunique) "
        "and i.indpred is null and i.indexprs is null "
        "order by i.indisprimary desc, ic.relname collate \"C\" limit 1",
        table);
    if (PQntuples(indexes.get()) == 1) {
        for (const QByteArray& attnum : QByteArray(PQgetvalue(indexes.get(), 0, 0)).split(' ')) {
            const auto found = columnOfAttribute.find(attnum.toInt());
            if (found != columnOfAttribute.end())
                key.whereColumns.push_back(found->second);
        }
    }
    if (key.whereColumns.empty()) {
        for (const auto& [column, name] : key.columnNames)
            if (!isUnboundedText(result, column))
                key.whereColumns.push_back(column);
    }
    if (key.whereColumns.empty())
        throw Failure(QStringLiteral("No column identifies the rows of %1").arg(QString::fromUtf8(key.qualifiedName)));
    return key;
}

int updateRow(Connection& connection, const PGresult* result, const TableKey& key,
              const std::map<int, std::optional<QByteArray>>& changes,
              const std::function<std::optional<QByteArray>(int column)>& readValue) {
    QByteArray sql = "UPDATE " + key.qualifiedName + " SET ";
    std::vector<WireParam> params;
    const auto addParam = [&](int column, const std::optional<QByteArray>& value) {
        params.push_back({PQftype(result, column), !value.has_value(), value.value_or(QByteArray())});
        return "$" + QByteArray::number(params.size());
    };
    bool firstSet = true;
    for (const auto& [column, value] : changes) {
        const auto name = key.columnNames.find(column);
        if (name == key.columnNames.end())
            throw Failure(QStringLiteral("Column '%1' cannot be updated: it does not belong to %2")
                              .arg(QString::fromUtf8(PQfname(result, column)), QString::fromUtf8(key.qualifiedName)));
        sql += (firstSet ? "" : ", ") + name->second + " = " + addParam(column, value);
        firstSet = false;
    }
    sql += " WHERE ";
    bool firstWhere = true;
    for (int column : key.whereColumns) {
        const std::optional<QByteArray> value = readValue(column);
        sql += (firstWhere ? "" : " AND ") + key.columnNames.at(column);
        sql += value ? " = " + addParam(column, value) : QByteArray(" IS NULL");
        firstWhere = false;
    }
    PgResultHandle done = connection.execute(sql, params);
    return atoi(PQcmdTuples(done.get()));
}

} // namespace wc::db

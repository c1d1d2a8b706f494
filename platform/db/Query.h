#pragma once

#include "db/Connection.h"
#include "db/Field.h"
#include "db/Params.h"

#include <QObject>
#include <QStringList>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace wc::db {

struct TableKey;

// A statement with named parameters whose rows are all fetched on opening and kept in
// memory (also after the connection has been closed), with a current row, key columns for
// re-reading in place, editing and posting of the current row, and an optional master
// query whose current row feeds its parameters.
class Query : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit };

    explicit Query(QString name, QObject* parent = nullptr);
    ~Query() override;

    const QString& name() const { return name_; }
    // Queries are bound to their connection once all long-lived objects exist.
    void setConnection(Connection* connection) { connection_ = connection; }
    // The statement's lines, joined by line breaks.
    void setSql(const QStringList& lines);
    QString sql() const { return sql_; }
    Params& params() { return params_; }
    Param& paramByName(const QString& name) { return params_.byName(name); }
    void setKeyFields(const QString& semicolonList);
    // Parameters named like the master's columns take the values and kinds of the
    // master's current row; while open, the query is re-read when the master moves.
    void setMaster(Query* master, const QString& masterFields, const QString& detailFields);

    void open();
    void close();
    // Runs the statement again and keeps the current row by the key columns (the first
    // row when it has gone). A pending edit is posted first.
    void refresh();
    bool isOpen() const { return state_ != State::Inactive; }
    State state() const { return state_; }

    int recordCount() const;
    bool isEmpty() const { return recordCount() == 0; }
    int recNo() const { return current_; } // 0-based; -1 when empty or closed
    void setRecNo(int row);
    void first();
    void next();
    void prior();
    void last();
    bool eof() const { return eof_; }
    // Makes current the row whose named columns equal the values exactly.
    bool locate(const QStringList& fields, const QStringList& values);

    Field& fieldByName(const QString& name);
    Field* findField(const QString& name) const;
    const std::vector<Field*>& fields() const { return fields_; }

    void edit();
    void post();
    void cancel();

    // The raw text of a cell (nullptr for NULL), seen through any posted or pending change.
    const char* rawValue(int row, int column) const;

signals:
    void afterOpen();
    void afterClose();
    void afterRefresh();
    void currentRowChanged(int row);
    void rowChanged(int row);

private:
    friend class Field;
    void requireOpen() const;
    void requireEdit() const;
    void fetch();
    // Runs the statement again with the master's current values; the first row becomes current.
    void fetchAgain();
    void announceReRead();
    void bindFields();
    void moveTo(int row);
    void takeMasterValues();
    void masterMoved();
    void setEditValue(int column, std::optional<QByteArray> value);
    QStringList currentKey() const;
    void finishPendingEdit();

    Connection& connection() const;

    Connection* connection_ = nullptr;
    QString name_;
    QString sql_;
    ParsedSql parsed_;
    Params params_;
    QStringList keyFields_;
    std::vector<Field*> fields_;
    std::vector<std::unique_ptr<Field>> ownFields_;
    bool declared_ = false;

    Query* master_ = nullptr;
    QStringList masterFields_;
    std::vector<Query*> details_;

    State state_ = State::Inactive;
    SharedResult result_;
    int current_ = -1;
    bool eof_ = true;
    // Posted changes by (row, column) and the pending change of the current row.
    std::map<std::pair<int, int>, std::optional<QByteArray>> posted_;
    std::map<int, std::optional<QByteArray>> pending_;
    std::unique_ptr<TableKey> tableKey_;
};

} // namespace wc::db

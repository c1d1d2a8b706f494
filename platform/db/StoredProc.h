#pragma once

#include "db/Connection.h"
#include "db/Params.h"

#include <QObject>

namespace wc::db {

// A call of a stored function ("SELECT * FROM f(:a, :b)") with typed parameters; the
// rows it returns are not read.
class StoredProc : public QObject {
    Q_OBJECT
public:
    explicit StoredProc(QString name, QObject* parent = nullptr);

    const QString& name() const { return name_; }
    void setConnection(Connection* connection) { connection_ = connection; }
    void setSql(const QString& sql);
    // Declares a parameter's kind ahead of any value.
    void declareParam(const QString& name, ParamType type);
    Params& params() { return params_; }
    Param& paramByName(const QString& name) { return params_.byName(name); }
    void execute();

private:
    Connection* connection_ = nullptr;
    QString name_;
    ParsedSql parsed_;
    Params params_;
};

} // namespace wc::db

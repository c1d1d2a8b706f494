#include "db/StoredProc.h"

#include "core/Failure.h"

namespace wc::db {

StoredProc::StoredProc(QString name, QObject* parent) : QObject(parent), name_(std::move(name)) {}

void StoredProc::setSql(const QString& sql) {
    parsed_ = parseSql(sql);
    params_.reset(parsed_.names);
}

void StoredProc::declareParam(const QString& name, ParamType type) { params_.byName(name).setDataType(type); }

void StoredProc::execute() {
    if (!connection_)
        throw Failure(name_ + QStringLiteral(": Connection not defined"));
    Connection::Hold hold(*connection_);
    connection_->execute(parsed_.text, params_.wire());
}

} // namespace wc::db

#pragma once

#include "core/Failure.h"

namespace wc::db {

// A failure reported by the database server or the client library, with the server's
// text and, where the server gave one, its SQLSTATE.
class DbError : public wc::Failure {
public:
    explicit DbError(QString message, QString sqlState = {});
    const QString& sqlState() const noexcept { return sqlState_; }

private:
    QString sqlState_;
};

} // namespace wc::db

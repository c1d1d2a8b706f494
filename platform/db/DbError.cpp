#include "db/DbError.h"

namespace wc::db {

DbError::DbError(QString message, QString sqlState) : Failure(std::move(message)), sqlState_(std::move(sqlState)) {}

} // namespace wc::db

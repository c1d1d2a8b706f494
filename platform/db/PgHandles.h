#pragma once

// Owning handles for libpq objects; internal to the data-access layer.
#include <libpq-fe.h>
#include <memory>

namespace wc::db {

struct PgConnCloser {
    void operator()(PGconn* conn) const noexcept { PQfinish(conn); }
};
struct PgResultClearer {
    void operator()(PGresult* result) const noexcept { PQclear(result); }
};
using PgConnHandle = std::unique_ptr<PGconn, PgConnCloser>;
using PgResultHandle = std::unique_ptr<PGresult, PgResultClearer>;
// Query rows outlive the statement and are shared with the models that show them.
using SharedResult = std::shared_ptr<const PGresult>;

} // namespace wc::db

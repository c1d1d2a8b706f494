#pragma once

#include "db/Connection.h"
#include "support/TestDatabase.h"

namespace wc::test {

// Points a connection at a throwaway database on one of the test servers.
inline void pointAt(db::Connection& connection, const TestDatabase& database,
                    db::SslMode mode = db::SslMode::Prefer) {
    connection.setServer(QStringLiteral("localhost"));
    connection.setPort(database.server().port);
    connection.setDatabase(database.name());
    connection.setUsername(QStringLiteral("zel"));
    connection.setPassword(database.server().password);
    connection.setSslMode(mode);
}

} // namespace wc::test

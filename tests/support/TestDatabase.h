#pragma once

#include <QString>
#include <QStringList>
#include <memory>

struct pg_conn;

namespace wc::test {

// A database server started by the test run (see test_servers.sh).
struct ServerAddress {
    QString host;
    int port = 0;
    QString password;
};
ServerAddress tlsServer();
ServerAddress plainServer();

// A path below the source tree.
QString sourcePath(const QString& relative);

// A fresh database on one of the test servers, dropped again when the object goes.
// Statements run through a libpq connection of its own (role zel, owner of the cluster).
class TestDatabase {
public:
    explicit TestDatabase(const ServerAddress& server, const QStringList& sqlFiles = {});
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    const QString& name() const { return name_; }
    const ServerAddress& server() const { return server_; }

    // Runs one or more statements; a failure fails the test with the server's text.
    void exec(const QString& sql);
    void execFile(const QString& path);
    // First column of the first row as text ("" when NULL, "<no row>" when none).
    QString scalar(const QString& sql);
    // Number of sessions that this server holds open on this database, not counting our own.
    int otherSessions();
    // The same, once sessions whose client has just hung up are gone (a server ends a
    // session's process shortly after the client leaves); waits up to 3 s.
    int sessionsLeft();

private:
    ServerAddress server_;
    QString name_;
    std::unique_ptr<pg_conn, void (*)(pg_conn*)> conn_;
};

} // namespace wc::test

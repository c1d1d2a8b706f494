#include "support/TestDatabase.h"

#include <QFile>
#include <QDeadlineTimer>
#include <QThread>
#include <QUuid>
#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <map>
#include <stdexcept>

namespace wc::test {
namespace {

std::map<QString, QString> serversFile() {
    const QByteArray path = qgetenv("WC_TEST_SERVERS");
    if (path.isEmpty())
        throw std::runtime_error("WC_TEST_SERVERS is not set: run the tests through ctest");
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    std::map<QString, QString> values;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const int eq = line.indexOf('=');
        if (eq > 0)
            values[QString::fromUtf8(line.left(eq))] = QString::fromUtf8(line.mid(eq + 1)).trimmed();
    }
    return values;
}

ServerAddress server(const QString& which) {
    static const auto values = serversFile();
    return {"127.0.0.1", values.at(which).toInt(), values.at("password")};
}

using Conn = std::unique_ptr<pg_conn, void (*)(pg_conn*)>;

Conn connect(const ServerAddress& server, const QString& database) {
    const QByteArray port = QByteArray::number(server.port);
    const QByteArray password = server.password.toUtf8();
    const QByteArray db = database.toUtf8();
    const char* keys[] = {"host", "port", "user", "password", "dbname", "sslmode", nullptr};
    const char* values[] = {"127.0.0.1", port.constData(), "zel", password.constData(), db.constData(),
                            "prefer", nullptr};
    Conn conn(PQconnectdbParams(keys, values, 0), &PQfinish);
    if (PQstatus(conn.get()) != CONNECTION_OK)
        throw std::runtime_error(std::string("test connection failed: ") + PQerrorMessage(conn.get()));
    return conn;
}

void run(pg_conn* conn, const QString& sql) {
    std::unique_ptr<PGresult, void (*)(PGresult*)> result(PQexec(conn, sql.toUtf8().constData()), &PQclear);
    const auto status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        throw std::runtime_error(std::string("test statement failed: ") + PQerrorMessage(conn));
}

} // namespace

ServerAddress tlsServer() { return server("tls"); }
ServerAddress plainServer() { return server("plain"); }

QString sourcePath(const QString& relative) { return QStringLiteral(WC_SOURCE_DIR "/") + relative; }

TestDatabase::TestDatabase(const ServerAddress& server, const QStringList& sqlFiles)
    : server_(server), name_("t_" + QUuid::createUuid().toString(QUuid::Id128).left(16)),
      conn_(nullptr, &PQfinish) {
    {
        Conn admin = connect(server_, "postgres");
        run(admin.get(), "CREATE DATABASE " + name_);
    }
    conn_ = connect(server_, name_);
    for (const QString& file : sqlFiles)
        execFile(file);
}

TestDatabase::~TestDatabase() {
    conn_.reset();
    try {
        Conn admin = connect(server_, "postgres");
        run(admin.get(), "DROP DATABASE IF EXISTS " + name_ + " WITH (FORCE)");
    } catch (const std::exception&) {
        // The cluster is thrown away at the end of the run anyway.
    }
}

void TestDatabase::exec(const QString& sql) { run(conn_.get(), sql); }

void TestDatabase::execFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    exec(QString::fromUtf8(file.readAll()));
}

QString TestDatabase::scalar(const QString& sql) {
    std::unique_ptr<PGresult, void (*)(PGresult*)> result(PQexec(conn_.get(), sql.toUtf8().constData()),
                                                           &PQclear);
    if (PQresultStatus(result.get()) != PGRES_TUPLES_OK)
        throw std::runtime_error(std::string("test query failed: ") + PQerrorMessage(conn_.get()));
    if (PQntuples(result.get()) == 0)
        return "<no row>";
    return QString::fromUtf8(PQgetvalue(result.get(), 0, 0));
}

int TestDatabase::otherSessions() {
    return scalar("select count(*) from pg_stat_activity where datname = current_database() "
                  "and pid <> pg_backend_pid()")
        .toInt();
}

int TestDatabase::sessionsLeft() {
    QDeadlineTimer deadline(3000);
    int sessions = otherSessions();
    while (sessions > 0 && !deadline.hasExpired()) {
        QThread::msleep(20);
        sessions = otherSessions();
    }
    return sessions;
}

} // namespace wc::test

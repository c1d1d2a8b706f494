#include "db/Connection.h"

#include "core/Idle.h"
#include "db/DbError.h"
#include "db/Net.h"

#include <QElapsedTimer>
#include <QStringList>

namespace wc::db {
namespace {

const char* sslModeName(SslMode mode) {
    switch (mode) {
    case SslMode::Disable:
        return "disable";
    case SslMode::Prefer:
        return "prefer";
    case SslMode::Require:
        return "require";
    }
    return "require";
}

// libpq reports a failed TLS attempt followed by a plain one with the same line twice;
// the operator sees each line once.
QString connectionMessage(const char* libpqText) {
    const QString text = QString::fromUtf8(libpqText).trimmed();
    if (text.contains(QLatin1String("server does not support SSL, but SSL was required")))
        return QStringLiteral("SSL connection is not allowed");
    QStringList lines;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty() && !lines.contains(trimmed))
            lines << trimmed;
    }
    return lines.join(QLatin1Char('\n'));
}

DbError resultError(const PGresult* result, PGconn* conn) {
    if (result) {
        const char* primary = PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY);
        const char* state = PQresultErrorField(result, PG_DIAG_SQLSTATE);
        if (primary)
            return DbError(QString::fromUtf8(primary), QString::fromLatin1(state ? state : ""));
    }
    return DbError(connectionMessage(PQerrorMessage(conn)));
}

// Waits for the socket in slices, letting the windows repaint in between.
bool waitWithIdle(int socket, net::WaitFor what, const QElapsedTimer& clock, qint64 limitMs) {
    for (;;) {
        if (net::waitSocket(socket, what, kIdleSliceMs))
            return true;
        idle();
        if (limitMs > 0 && clock.elapsed() >= limitMs)
            return false;
    }
}

} // namespace

Connection::Connection(QObject* parent) : QObject(parent) {}

Connection::~Connection() { close(); }

void Connection::closeForChange() {
    if (isConnected())
        close();
}

void Connection::setServer(const QString& server) {
    if (server != server_) {
        closeForChange();
        server_ = server;
    }
}

void Connection::setPort(int port) {
    if (port != port_) {
        closeForChange();
        port_ = port;
    }
}

void Connection::setDatabase(const QString& database) {
    if (database != database_) {
        closeForChange();
        database_ = database;
    }
}

void Connection::setUsername(const QString& username) {
    if (username != username_) {
        closeForChange();
        username_ = username;
    }
}

void Connection::setPassword(const QString& password) { password_ = password; }

void Connection::setSslMode(SslMode mode) {
    if (mode == sslMode_)
        return;
    if (isConnected())
        throw Failure(QStringLiteral("The SSL mode of an open connection cannot be changed"));
    sslMode_ = mode;
}

void Connection::setDisconnectedMode(bool on) {
    disconnected_ = on;
    if (on && holders_ == 0)
        close();
}

bool Connection::usesTls() const { return conn_ && PQsslInUse(conn_.get()); }

void Connection::open() {
    if (isConnected())
        return;
    const QByteArray host = server_.toUtf8();
    const QByteArray hostAddr = net::resolveIPv4(server_).toLatin1();
    const QByteArray port = QByteArray::number(port_);
    const QByteArray database = database_.toUtf8();
    const QByteArray user = username_.toUtf8();
    const QByteArray password = password_.toUtf8();
    // No application name and no GSS encryption: the client asks for TLS first, as the
    // mode says, and the server is not verified.
    const char* keys[] = {"host",     "hostaddr",   "port",           "dbname",  "user",
                          "password", "sslmode",    "gssencmode",     "options", "client_encoding",
                          nullptr};
    const char* values[] = {host.constData(),     hostAddr.constData(),  port.constData(),
                            database.constData(), user.constData(),      password.constData(),
                            sslModeName(sslMode_), "disable",            "-c DateStyle=ISO",
                            "UTF8",               nullptr};
    PgConnHandle conn(PQconnectStartParams(keys, values, 0));
    if (!conn)
        throw DbError(QStringLiteral("out of memory"));
    if (PQstatus(conn.get()) == CONNECTION_BAD)
        throw DbError(connectionMessage(PQerrorMessage(conn.get())));

    QElapsedTimer clock;
    clock.start();
    const qint64 limitMs = qint64(connectTimeout_) * 1000;
    PostgresPollingStatusType poll = PGRES_POLLING_WRITING;
    while (poll != PGRES_POLLING_OK) {
        if (poll == PGRES_POLLING_FAILED)
            throw DbError(connectionMessage(PQerrorMessage(conn.get())));
        const auto what = poll == PGRES_POLLING_READING ? net::WaitFor::Read : net::WaitFor::Write;
        if (!waitWithIdle(PQsocket(conn.get()), what, clock, limitMs))
            throw DbError(QStringLiteral("connection to server at \"%1\" (%2), port %3 failed: timeout expired")
                              .arg(server_, QString::fromLatin1(hostAddr))
                              .arg(port_));
        poll = PQconnectPoll(conn.get());
    }
    conn_ = std::move(conn);
}

void Connection::close() { conn_.reset(); }

void Connection::acquire() {
    ++holders_;
    try {
        open();
    } catch (...) {
        release();
        throw;
    }
}

void Connection::release() {
    if (holders_ > 0)
        --holders_;
    if (disconnected_ && holders_ == 0 && conn_ && PQtransactionStatus(conn_.get()) == PQTRANS_IDLE)
        close();
}

Connection::Hold::Hold(Connection& connection) : connection_(connection) { connection_.acquire(); }

Connection::Hold::~Hold() { connection_.release(); }

PgResultHandle Connection::execute(const QByteArray& sql, const std::vector<WireParam>& params) {
    if (!conn_)
        throw DbError(QStringLiteral("Connection is not opened"));
    std::vector<Oid> types;
    std::vector<const char*> values;
    types.reserve(params.size());
    values.reserve(params.size());
    for (const WireParam& p : params) {
        types.push_back(p.typeOid);
        values.push_back(p.isNull ? nullptr : p.text.constData());
    }
    PGconn* conn = conn_.get();
    if (!PQsendQueryParams(conn, sql.constData(), int(params.size()), types.data(), values.data(), nullptr,
                           nullptr, 0))
        throw resultError(nullptr, conn);

    QElapsedTimer clock;
    clock.start();
    while (PQisBusy(conn)) {
        waitWithIdle(PQsocket(conn), net::WaitFor::Read, clock, 0);
        if (!PQconsumeInput(conn))
            break;
    }
    // The last result of the statement decides; earlier ones are dropped.
    PgResultHandle last;
    while (PGresult* next = PQgetResult(conn))
        last.reset(next);
    const ExecStatusType status = last ? PQresultStatus(last.get()) : PGRES_FATAL_ERROR;
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
        DbError error = resultError(last.get(), conn);
        if (PQstatus(conn) == CONNECTION_BAD)
            close();
        throw error;
    }
    return last;
}

} // namespace wc::db

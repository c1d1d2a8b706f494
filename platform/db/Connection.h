#pragma once

#include "db/PgHandles.h"

#include <QObject>
#include <QString>
#include <vector>

namespace wc::db {

enum class SslMode { Disable, Prefer, Require };

// One typed statement parameter as it travels to the server: text form plus type OID
// (0 lets the server infer the type).
struct WireParam {
    unsigned typeOid = 0;
    bool isNull = true;
    QByteArray text;
};

// A PostgreSQL connection with the settings the system uses. Connects on first use.
// In disconnected mode every server operation holds the connection for its duration and
// the connection is closed as soon as no operation holds it.
class Connection : public QObject {
    Q_OBJECT
public:
    explicit Connection(QObject* parent = nullptr);
    ~Connection() override;

    // Changing server, port, database or user to another value closes an open connection.
    void setServer(const QString& server);
    void setPort(int port);
    void setDatabase(const QString& database);
    void setUsername(const QString& username);
    void setPassword(const QString& password);
    // Allowed only while closed; setting the current mode again does nothing.
    void setSslMode(SslMode mode);
    void setConnectTimeout(int seconds) { connectTimeout_ = seconds; }
    void setDisconnectedMode(bool on);

    const QString& server() const { return server_; }
    int port() const { return port_; }
    const QString& database() const { return database_; }
    const QString& username() const { return username_; }
    SslMode sslMode() const { return sslMode_; }
    bool disconnectedMode() const { return disconnected_; }
    bool isConnected() const { return conn_ != nullptr; }
    // Whether the open connection runs over TLS.
    bool usesTls() const;

    void open();
    void close();

    // Holds the connection for one server operation (opening it when closed).
    class Hold {
    public:
        explicit Hold(Connection& connection);
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        Connection& connection_;
    };

    // Runs one statement with its parameters; must be called under a Hold.
    // Database failures are raised as DbError with the server's text.
    PgResultHandle execute(const QByteArray& sql, const std::vector<WireParam>& params = {});

private:
    void closeForChange();
    void acquire();
    void release();

    QString server_;
    int port_ = 5432;
    QString database_;
    QString username_;
    QString password_;
    SslMode sslMode_ = SslMode::Require;
    int connectTimeout_ = 15;
    bool disconnected_ = false;
    int holders_ = 0;
    PgConnHandle conn_;
};

} // namespace wc::db

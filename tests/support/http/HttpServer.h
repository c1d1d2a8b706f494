#pragma once

// A small HTTP/1.1 server on 127.0.0.1 for tests: it records every request and answers each
// with a scripted reply. It runs on its own threads inside the test process.
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <atomic>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace wc::test {

struct HttpField {
    QByteArray name;
    QByteArray value;
};

// A request as it arrived: the target exactly as on the request line, the header fields in
// order with their values stripped only of the blanks around them.
struct ReceivedRequest {
    QByteArray method;
    QByteArray target;
    QByteArray version;
    QList<HttpField> headers;
    QByteArray body;

    // The first field of that name (without regard to case); empty when absent.
    QByteArray header(QByteArrayView name) const;
    bool hasHeader(QByteArrayView name) const;
};

struct Reply {
    enum class Fault {
        None,
        CloseAtOnce,      // close the connection without a byte
        StallBeforeReply, // keep the connection and never answer
        StallAfterHead,   // send the status line and header fields, then never the body
    };

    int status = 200;
    QByteArray reason = "OK";
    // Sent in this order; Content-Length is added unless given or Transfer-Encoding is.
    QList<HttpField> headers;
    QByteArray body;
    // When not empty, these bytes go out instead of everything above, and the connection closes.
    QByteArray raw;
    Fault fault = Fault::None;
    bool close = false;

    static Reply json(QByteArray body);
    static Reply withStatus(int status, QByteArray reason, QByteArray body = {});
    static Reply redirect(int status, QByteArray location);
    static Reply rawBytes(QByteArray bytes);
    static Reply withFault(Fault fault);

    Reply with(QByteArray name, QByteArray value) &&;
};

class HttpServer {
public:
    // Runs on a server thread, one call at a time.
    using Handler = std::function<Reply(const ReceivedRequest&)>;

    // Each request is answered by the next queued reply, else by the handler, else with 404.
    explicit HttpServer(Handler handler = {});
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    quint16 port() const noexcept { return port_; }
    // "http://127.0.0.1:<port>" followed by path.
    QString url(const QString& path = {}) const;

    void enqueue(Reply reply);
    QList<ReceivedRequest> requests() const;
    int connectionsAccepted() const;

private:
    void acceptLoop();
    void serve(int socket);
    Reply replyTo(const ReceivedRequest& request);
    bool readRequest(int socket, QByteArray& buffer, ReceivedRequest& request) const;
    bool receiveMore(int socket, QByteArray& buffer) const;
    void waitUntilClosed(int socket) const;

    Handler handler_;
    int listener_ = -1;
    quint16 port_ = 0;
    std::atomic<bool> stopping_{false};

    mutable std::mutex mutex_;
    std::deque<Reply> queued_;
    QList<ReceivedRequest> received_;
    std::vector<std::thread> connections_;
    std::mutex handlerMutex_;

    std::thread acceptor_;
};

} // namespace wc::test

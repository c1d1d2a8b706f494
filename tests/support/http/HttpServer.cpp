#include "support/http/HttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>
#include <utility>

namespace wc::test {
namespace {

// How long a server thread sleeps before it looks whether the server is stopping.
constexpr int kWakeMs = 20;

bool sameName(QByteArrayView a, QByteArrayView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

const HttpField* findField(const QList<HttpField>& fields, QByteArrayView name) {
    for (const HttpField& field : fields) {
        if (sameName(field.name, name))
            return &field;
    }
    return nullptr;
}

bool sendAll(int socket, QByteArrayView data) {
    while (!data.isEmpty()) {
        const ssize_t sent = ::send(socket, data.data(), size_t(data.size()), MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        data = data.sliced(sent);
    }
    return true;
}

QByteArray head(const Reply& reply) {
    QByteArray text = "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' + reply.reason + "\r\n";
    for (const HttpField& field : reply.headers)
        text += field.name + ": " + field.value + "\r\n";
    if (!findField(reply.headers, "Content-Length") && !findField(reply.headers, "Transfer-Encoding"))
        text += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
    if (reply.close)
        text += "Connection: close\r\n";
    return text + "\r\n";
}

bool wantsClose(const ReceivedRequest& request) {
    const QByteArray connection = request.header("Connection").toLower();
    return connection == "close" || (request.version == "HTTP/1.0" && connection != "keep-alive");
}

bool parseHead(QByteArrayView text, ReceivedRequest& request) {
    const QList<QByteArray> lines = text.toByteArray().split('\n');
    const QList<QByteArray> requestLine = lines.front().trimmed().split(' ');
    if (requestLine.size() != 3)
        return false;
    request.method = requestLine[0];
    request.target = requestLine[1];
    request.version = requestLine[2];
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].chopped(lines[i].endsWith('\r') ? 1 : 0);
        const qsizetype colon = line.indexOf(':');
        if (colon > 0)
            request.headers.append(HttpField{line.first(colon), line.sliced(colon + 1).trimmed()});
    }
    return true;
}

class SocketCloser {
public:
    explicit SocketCloser(int socket) : socket_(socket) {}
    ~SocketCloser() { ::close(socket_); }
    SocketCloser(const SocketCloser&) = delete;
    SocketCloser& operator=(const SocketCloser&) = delete;

private:
    int socket_;
};

} // namespace

QByteArray ReceivedRequest::header(QByteArrayView name) const {
    const HttpField* field = findField(headers, name);
    return field ? field->value : QByteArray();
}

bool ReceivedRequest::hasHeader(QByteArrayView name) const {
    return findField(headers, name) != nullptr;
}

Reply Reply::json(QByteArray body) {
    Reply reply;
    reply.headers.append(HttpField{"Content-Type", "application/json; charset=utf-8"});
    reply.body = std::move(body);
    return reply;
}

Reply Reply::withStatus(int status, QByteArray reason, QByteArray body) {
    Reply reply;
    reply.status = status;
    reply.reason = std::move(reason);
    reply.headers.append(HttpField{"Content-Type", "text/plain; charset=utf-8"});
    reply.body = std::move(body);
    return reply;
}

Reply Reply::redirect(int status, QByteArray location) {
    Reply reply;
    reply.status = status;
    reply.reason = "Redirect";
    reply.headers.append(HttpField{"Location", std::move(location)});
    return reply;
}

Reply Reply::rawBytes(QByteArray bytes) {
    Reply reply;
    reply.raw = std::move(bytes);
    return reply;
}

Reply Reply::withFault(Fault fault) {
    Reply reply;
    reply.fault = fault;
    reply.body = "never sent";
    return reply;
}

Reply Reply::with(QByteArray name, QByteArray value) && {
    headers.append(HttpField{std::move(name), std::move(value)});
    return std::move(*this);
}

HttpServer::HttpServer(Handler handler) : handler_(std::move(handler)) {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    if (listener_ < 0)
        throw std::runtime_error("test HTTP server: no socket");
    const int on = 1;
    ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 64) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(listener_);
        throw std::runtime_error("test HTTP server: cannot listen on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread(&HttpServer::acceptLoop, this);
}

HttpServer::~HttpServer() {
    stopping_ = true;
    acceptor_.join();
    for (std::thread& connection : connections_)
        connection.join();
    ::close(listener_);
}

QString HttpServer::url(const QString& path) const {
    return QStringLiteral("http://127.0.0.1:%1").arg(port_) + path;
}

void HttpServer::enqueue(Reply reply) {
    const std::lock_guard lock(mutex_);
    queued_.push_back(std::move(reply));
}

QList<ReceivedRequest> HttpServer::requests() const {
    const std::lock_guard lock(mutex_);
    return received_;
}

int HttpServer::connectionsAccepted() const {
    const std::lock_guard lock(mutex_);
    return int(connections_.size());
}

void HttpServer::acceptLoop() {
    pollfd listening{listener_, POLLIN, 0};
    while (!stopping_) {
        if (::poll(&listening, 1, kWakeMs) <= 0)
            continue;
        const int socket = ::accept(listener_, nullptr, nullptr);
        if (socket < 0)
            continue;
        const int on = 1;
        ::setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        const std::lock_guard lock(mutex_);
        connections_.emplace_back(&HttpServer::serve, this, socket);
    }
}

void HttpServer::serve(int socket) {
    const SocketCloser closer(socket);
    QByteArray buffer;
    for (;;) {
        ReceivedRequest request;
        if (!readRequest(socket, buffer, request))
            return;
        {
            const std::lock_guard lock(mutex_);
            received_.append(request);
        }
        const Reply reply = replyTo(request);
        if (!reply.raw.isEmpty()) {
            sendAll(socket, reply.raw);
            return;
        }
        if (reply.fault == Reply::Fault::CloseAtOnce)
            return;
        if (reply.fault == Reply::Fault::StallBeforeReply) {
            waitUntilClosed(socket);
            return;
        }
        const bool sent = sendAll(socket, head(reply));
        if (reply.fault == Reply::Fault::StallAfterHead) {
            waitUntilClosed(socket);
            return;
        }
        if (!sent || !sendAll(socket, reply.body) || reply.close || wantsClose(request))
            return;
    }
}

Reply HttpServer::replyTo(const ReceivedRequest& request) {
    {
        const std::lock_guard lock(mutex_);
        if (!queued_.empty()) {
            Reply reply = std::move(queued_.front());
            queued_.pop_front();
            return reply;
        }
    }
    if (!handler_)
        return Reply::withStatus(404, "Not Found");
    const std::lock_guard lock(handlerMutex_);
    return handler_(request);
}

bool HttpServer::readRequest(int socket, QByteArray& buffer, ReceivedRequest& request) const {
    qsizetype headEnd = buffer.indexOf("\r\n\r\n");
    while (headEnd < 0) {
        if (!receiveMore(socket, buffer))
            return false;
        headEnd = buffer.indexOf("\r\n\r\n");
    }
    if (!parseHead(QByteArrayView(buffer).first(headEnd), request))
        return false;
    const qsizetype bodyLength = request.header("Content-Length").toLongLong();
    const qsizetype bodyStart = headEnd + 4;
    while (buffer.size() < bodyStart + bodyLength) {
        if (!receiveMore(socket, buffer))
            return false;
    }
    request.body = buffer.sliced(bodyStart, bodyLength);
    buffer.remove(0, bodyStart + bodyLength);
    return true;
}

bool HttpServer::receiveMore(int socket, QByteArray& buffer) const {
    pollfd readable{socket, POLLIN, 0};
    while (!stopping_) {
        if (::poll(&readable, 1, kWakeMs) <= 0)
            continue;
        char chunk[16384];
        const ssize_t received = ::recv(socket, chunk, sizeof chunk, 0);
        if (received <= 0)
            return false;
        buffer.append(chunk, received);
        return true;
    }
    return false;
}

void HttpServer::waitUntilClosed(int socket) const {
    QByteArray ignored;
    while (receiveMore(socket, ignored))
        ignored.clear();
}

} // namespace wc::test

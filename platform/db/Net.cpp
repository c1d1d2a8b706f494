#include "db/Net.h"

#include "db/DbError.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#endif

namespace wc::db::net {

#ifdef _WIN32
namespace {
struct WinsockInit {
    WinsockInit() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
};
} // namespace
#endif

QString resolveIPv4(const QString& host) {
#ifdef _WIN32
    static WinsockInit winsock;
#endif
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const int rc = getaddrinfo(host.toUtf8().constData(), nullptr, &hints, &found);
    if (rc != 0 || !found)
        throw DbError(QStringLiteral("could not translate host name \"%1\" to address: %2")
                          .arg(host, QString::fromLocal8Bit(gai_strerror(rc))));
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr, text, sizeof text);
    freeaddrinfo(found);
    return QString::fromLatin1(text);
}

bool waitSocket(int socket, WaitFor what, int timeoutMs) {
#ifdef _WIN32
    WSAPOLLFD fd{static_cast<SOCKET>(socket), static_cast<SHORT>(what == WaitFor::Read ? POLLRDNORM : POLLWRNORM), 0};
    return WSAPoll(&fd, 1, timeoutMs) > 0;
#else
    pollfd fd{socket, static_cast<short>(what == WaitFor::Read ? POLLIN : POLLOUT), 0};
    return poll(&fd, 1, timeoutMs) > 0;
#endif
}

} // namespace wc::db::net

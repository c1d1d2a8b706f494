#include "ClientFixture.h"

#include "http/HttpError.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <curl/curl.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace wc::http::testing {
namespace {

using test::Reply;

// A loopback port that nothing listens on: bound once for a free number, then closed.
quint16 closedPort() {
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(socket);
    return ntohs(address.sin_port);
}

bool accepts(quint16 port) {
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    const bool connected = ::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(socket);
    return connected;
}

// A TLS server whose certificate is signed by itself, run with the openssl tool; not running
// when the tool is missing.
class SelfSignedTlsServer {
public:
    SelfSignedTlsServer() {
        const QString openssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
        if (openssl.isEmpty() || !folder_.isValid())
            return;
        const QString key = folder_.filePath(QStringLiteral("key.pem"));
        const QString certificate = folder_.filePath(QStringLiteral("cert.pem"));
        QProcess request;
        request.setStandardOutputFile(QProcess::nullDevice());
        request.setStandardErrorFile(QProcess::nullDevice());
        request.start(openssl,
                      {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes",
                       "-keyout", key, "-out", certificate, "-subj", "/CN=127.0.0.1", "-days", "1"});
        if (!request.waitForFinished() || request.exitCode() != 0)
            return;
        port_ = closedPort();
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(openssl,
                       {"s_server", "-quiet", "-www", "-accept", QStringLiteral("127.0.0.1:%1").arg(port_),
                        "-cert", certificate, "-key", key});
        process_.waitForStarted();
        for (int attempt = 0; attempt < 100 && !accepts(port_); ++attempt)
            QThread::msleep(50);
    }
    ~SelfSignedTlsServer() {
        process_.kill();
        process_.waitForFinished();
    }
    SelfSignedTlsServer(const SelfSignedTlsServer&) = delete;
    SelfSignedTlsServer& operator=(const SelfSignedTlsServer&) = delete;

    bool running() const { return process_.state() == QProcess::Running && accepts(port_); }
    quint16 port() const { return port_; }

private:
    QTemporaryDir folder_;
    QProcess process_;
    quint16 port_ = 0;
};

HttpError failureOf(Client& client) {
    try {
        client.get(ordersRequest());
    } catch (const HttpError& error) {
        return error;
    }
    throw std::logic_error("the request did not fail");
}

void expectTransportFailure(const HttpError& error, HttpError::Kind kind, int code) {
    const QString stage =
        kind == HttpError::Kind::Sending ? QStringLiteral("sending") : QStringLiteral("receiving");
    EXPECT_EQ(error.kind(), kind) << error.what();
    EXPECT_EQ(error.code(), code) << error.what();
    const QRegularExpression shape(
        QStringLiteral("^REST request failed: Error %1 data: \\(%2\\) \\S.*$").arg(stage).arg(code));
    EXPECT_TRUE(shape.match(error.message()).hasMatch()) << error.what();
}

TEST(ClientFailure, failsSendingToClosedPort) {
    Client client(shortTimeouts());
    client.setBaseUrl(QStringLiteral("http://127.0.0.1:%1/api").arg(closedPort()));
    expectTransportFailure(failureOf(client), HttpError::Kind::Sending, CURLE_COULDNT_CONNECT);
}

TEST(ClientFailure, failsSendingToUnknownHost) {
    Client client(shortTimeouts());
    client.setBaseUrl(QStringLiteral("http://no-such-shop.invalid/api"));
    const HttpError error = failureOf(client);
    EXPECT_EQ(error.kind(), HttpError::Kind::Sending) << error.what();
    EXPECT_TRUE(error.message().startsWith(QStringLiteral("REST request failed: Error sending data: (")))
        << error.what();
}

TEST(ClientFailure, failsSendingForSchemeOtherThanHttp) {
    Client client(shortTimeouts());
    client.setBaseUrl(QStringLiteral("ftp://127.0.0.1/api"));
    expectTransportFailure(failureOf(client), HttpError::Kind::Sending, CURLE_UNSUPPORTED_PROTOCOL);
}

TEST(ClientFailure, refusesEmptyBaseUrlBeforeSending) {
    Client client(shortTimeouts());
    client.setBaseUrl(QStringLiteral(" "));
    const HttpError error = failureOf(client);
    EXPECT_EQ(error.kind(), HttpError::Kind::InvalidUrl);
    EXPECT_EQ(error.message(), QStringLiteral("Invalid URL: \"/orders\""));
}

TEST_F(ClientTest, failsSendingWhenSecureChannelIsNotAnswered) {
    client.setBaseUrl(QStringLiteral("https://127.0.0.1:%1/api").arg(server.port()));
    expectTransportFailure(failureOf(client), HttpError::Kind::Sending, CURLE_OPERATION_TIMEDOUT);
    EXPECT_TRUE(server.requests().isEmpty());
}

TEST(ClientFailure, failsSendingWhenCertificateFailsVerification) {
    const SelfSignedTlsServer shop;
    if (!shop.running())
        GTEST_SKIP() << "no openssl tool to run a TLS server";
    Client client(shortTimeouts());
    client.setBaseUrl(QStringLiteral("https://127.0.0.1:%1/api").arg(shop.port()));
    const HttpError error = failureOf(client);
    expectTransportFailure(error, HttpError::Kind::Sending, CURLE_PEER_FAILED_VERIFICATION);
    EXPECT_TRUE(error.message().contains(QStringLiteral("certificate"))) << error.what();
}

struct BrokenReplyCase {
    const char* name;
    Reply reply;
    int code;
    friend void PrintTo(const BrokenReplyCase& c, std::ostream* out) { *out << c.name; }
};

class BrokenReplyTest : public ClientTest, public ::testing::WithParamInterface<BrokenReplyCase> {};

TEST_P(BrokenReplyTest, failsReceivingOnceRequestIsSent) {
    server.enqueue(GetParam().reply);
    QElapsedTimer clock;
    clock.start();
    expectTransportFailure(failureOf(client), HttpError::Kind::Receiving, GetParam().code);
    // The stall limit of one second ends a silent server, not the 30 s default.
    EXPECT_LT(clock.elapsed(), 5000);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, BrokenReplyTest,
    ::testing::Values(
        BrokenReplyCase{"silent", Reply::withFault(Reply::Fault::StallBeforeReply), CURLE_OPERATION_TIMEDOUT},
        BrokenReplyCase{"headOnly", Reply::withFault(Reply::Fault::StallAfterHead), CURLE_OPERATION_TIMEDOUT},
        BrokenReplyCase{"cutShort", Reply::rawBytes("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nshort"),
                        CURLE_PARTIAL_FILE},
        BrokenReplyCase{"closedAtOnce", Reply::withFault(Reply::Fault::CloseAtOnce), CURLE_GOT_NOTHING},
        BrokenReplyCase{"notHttp", Reply::rawBytes("garbage\r\n\r\n"), CURLE_UNSUPPORTED_PROTOCOL}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ClientTest, keepsWorkingAfterFailure) {
    server.enqueue(Reply::rawBytes("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nshort"));
    server.enqueue(Reply::json("{}"));
    EXPECT_THROW(client.get(ordersRequest()), HttpError);
    EXPECT_EQ(client.get(ordersRequest()).text, "{}");
}

} // namespace
} // namespace wc::http::testing

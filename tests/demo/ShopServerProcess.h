#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace wc::test {

// The demo shop server (demo/shop_server.py) run as a child process on a free loopback port
// for as long as the object lives. Benchmarks and tests choose the data size with `orders`.
class ShopServerProcess {
public:
    struct Options {
        int orders = 230;
        QStringList shops; // NAME:USER:PASSWORD; empty means the three demo shops
    };
    explicit ShopServerProcess(const Options& options);
    ~ShopServerProcess();
    ShopServerProcess(const ShopServerProcess&) = delete;
    ShopServerProcess& operator=(const ShopServerProcess&) = delete;

    int port() const { return port_; }
    // Base URL of one shop, e.g. http://127.0.0.1:PORT/magazin-1
    QString baseUrl(const QString& shop) const;
    // The request URL of one page, with the five query parameters the program sends.
    QString pageUrl(const QString& shop, int start, int limit = 100) const;

private:
    QProcess process_;
    int port_ = 0;
};

} // namespace wc::test

#include "ShopServerProcess.h"

#include "support/TestDatabase.h"

#include <QStandardPaths>
#include <stdexcept>

namespace wc::test {

ShopServerProcess::ShopServerProcess(const Options& options) {
    const QString python = QStandardPaths::findExecutable("python3");
    if (python.isEmpty())
        throw std::runtime_error("python3 not found");
    QStringList args{sourcePath("demo/shop_server.py"), "--port", "0", "--orders",
                     QString::number(options.orders)};
    for (const QString& shop : options.shops)
        args << "--shop" << shop;
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(python, args);
    // The server prints its port once it accepts connections.
    while (!process_.canReadLine()) {
        if (!process_.waitForReadyRead(30000))
            throw std::runtime_error("the shop server did not start");
    }
    port_ = process_.readLine().trimmed().toInt();
    if (port_ <= 0)
        throw std::runtime_error("the shop server printed no port");
}

ShopServerProcess::~ShopServerProcess() {
    process_.terminate();
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

QString ShopServerProcess::baseUrl(const QString& shop) const {
    return QString("http://127.0.0.1:%1/%2").arg(port_).arg(shop);
}

QString ShopServerProcess::pageUrl(const QString& shop, int start, int limit) const {
    return baseUrl(shop) +
           QString("/orders?include=line_items&sort=date_created&shipping_status=awaiting&start=%1&limit=%2")
               .arg(start)
               .arg(limit);
}

} // namespace wc::test

#pragma once

#include "http/Client.h"
#include "support/http/HttpServer.h"

#include <gtest/gtest.h>

namespace wc::http::testing {

// Short limits so that time-out tests end in seconds.
inline Timeouts shortTimeouts() {
    return {std::chrono::milliseconds(2000), std::chrono::seconds(1)};
}

// The request the shop client sends for its first page.
inline Request ordersRequest(QByteArray authorization = "Basic dXNlcjpwYXNz") {
    Request request;
    request.setResource(QStringLiteral("orders"));
    request.addHeader("Authorization", std::move(authorization));
    request.addHeader("Accept", "application/json, text/plain; q=0.9, text/html;q=0.8,");
    request.addHeader("Accept-Charset", "utf-8, *;q=0.8");
    request.addQuery(QStringLiteral("include"), QStringLiteral("line_items"));
    request.addQuery(QStringLiteral("sort"), QStringLiteral("date_created"));
    request.addQuery(QStringLiteral("shipping_status"), QStringLiteral("awaiting"));
    request.addQuery(QStringLiteral("start"), QStringLiteral("0"));
    request.addQuery(QStringLiteral("limit"), QStringLiteral("100"));
    return request;
}

inline constexpr const char* kOrdersTarget =
    "/api/orders?include=line_items&sort=date_created&shipping_status=awaiting&start=0&limit=100";

class ClientTest : public ::testing::Test {
protected:
    explicit ClientTest(test::HttpServer::Handler handler = {}) : server(std::move(handler)) {
        client.setBaseUrl(server.url(QStringLiteral("/api")));
    }

    test::HttpServer server;
    Client client{shortTimeouts()};
};

} // namespace wc::http::testing

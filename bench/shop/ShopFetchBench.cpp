// Fetching a shop's 50 pages of 100 orders from a loopback shop into a throwaway ERP database
// through getOrdersByCreatedAfter, against the floor measured in the same run: the same
// requests made with one libcurl easy handle and the same stored-function calls made with libpq.
#include "app/wCartovia.h"
#include "context/u_dmCon.h"
#include "core/Idle.h"
#include "shop/u_fProc_Cartovia.h"
#include "support/DbConnect.h"
#include "support/TestDatabase.h"
#include "support/http/HttpServer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <benchmark/benchmark.h>
#include <curl/curl.h>
#include <libpq-fe.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <numeric>
#include <vector>

using namespace wc::test;

namespace {

constexpr int kPages = 50;
constexpr int kOrdersPerPage = 100;
const QString kSite = QStringLiteral("magazin-bench");
const QString kUser = QStringLiteral("api-bench");
const QString kPassword = QStringLiteral("parolă-lungă");

// One order as the shop platform sends it, about 1 KB with its line items.
QByteArray order(int id) {
    static const std::array<const char*, 6> firstNames{"Ioana",  "Ștefan",    "Mădălina",
                                                       "Răzvan", "Ana-Maria", "Țică"};
    static const std::array<const char*, 6> lastNames{"Popescu",    "Ionescu",        "Ștefănescu",
                                                      "Dumitrașcu", "Constantinescu", "Mureșan"};
    static const std::array<const char*, 5> towns{"București", "Cluj-Napoca", "Iași", "Brașov", "Timișoara"};
    static const std::array<const char*, 4> products{"Cană ceramică pictată manual",
                                                     "Ie tradițională brodată", "Set farfurii de Horezu",
                                                     "Covor țesut în război"};
    const QByteArray first = firstNames[size_t(id % 6)], last = lastNames[size_t(id / 6 % 6)],
                     town = towns[size_t(id % 5)];
    QByteArray items;
    for (int i = 0; i < 3; ++i) {
        if (i > 0)
            items += ',';
        items += QStringLiteral(
                     R"({"id":%1,"sku":"SKU-%2","name":"%3","quantity":%4,"price":"%5.90","total":"%6.70"})")
                     .arg(id * 10 + i)
                     .arg(1000 + (id + i) % 500)
                     .arg(QString::fromUtf8(products[size_t((id + i) % 4)]))
                     .arg(1 + i)
                     .arg(20 + (id + i) % 80)
                     .arg(40 + (id * 3 + i) % 200)
                     .toUtf8();
    }
    const QByteArray address = R"({"first_name":")" + first + R"(","last_name":")" + last +
                               R"(","street":"Str. Mihai Eminescu nr. )" + QByteArray::number(id % 120 + 1) +
                               R"(, bl. A3, ap. 12","city":")" + town + R"(","county":")" + town +
                               R"(","postcode":"0)" + QByteArray::number(10000 + id % 89999) +
                               R"(","country":"RO"})";
    return R"({"id":)" + QByteArray::number(id) + R"(,"number":"CMD-)" + QByteArray::number(100000 + id) +
           R"(","date_created":"2026-03-)" + QByteArray::number(1 + id % 28).rightJustified(2, '0') +
           R"(T10:15:00+02:00","status":"processing","shipping_status":"awaiting","currency":"RON","total":")" +
           QByteArray::number(150 + id % 900) + R"(.70","customer":{"email":"client)" +
           QByteArray::number(id) + R"(@exemplu.ro","phone":"07)" + QByteArray::number(20000000 + id) +
           R"("},"billing_address":)" + address + R"(,"shipping_address":)" + address + R"(,"line_items":[)" +
           items + "]}";
}

QList<QByteArray> shopPages() {
    QList<QByteArray> pages;
    for (int p = 0; p < kPages; ++p) {
        QByteArray orders;
        for (int i = 0; i < kOrdersPerPage; ++i)
            orders += (i > 0 ? "," : "") + order(p * kOrdersPerPage + i + 1);
        const QByteArray next = p + 1 < kPages ? R"("https://shop.example/api/v2/orders?start=)" +
                                                     QByteArray::number((p + 1) * kOrdersPerPage) + '"'
                                               : QByteArray("null");
        pages << R"({"data":[)" + orders + R"(],"meta":{"total":)" +
                     QByteArray::number(kPages * kOrdersPerPage) + R"(,"links":{"next":)" + next + "}}}";
    }
    return pages;
}

// The shop answers each request with the page at its "start".
HttpServer::Handler shopHandler(const QList<QByteArray>& pages) {
    return [pages](const ReceivedRequest& request) {
        static const QRegularExpression start(QStringLiteral("[?&]start=(\\d+)"));
        const int page =
            start.match(QString::fromLatin1(request.target)).captured(1).toInt() / kOrdersPerPage;
        return Reply::json(pages.value(page));
    };
}

struct CurlEasyCleanup {
    void operator()(CURL* easy) const noexcept { curl_easy_cleanup(easy); }
};
struct CurlSlistFree {
    void operator()(curl_slist* list) const noexcept { curl_slist_free_all(list); }
};
struct PgConnCloser {
    void operator()(PGconn* conn) const noexcept { PQfinish(conn); }
};
struct PgResultClearer {
    void operator()(PGresult* result) const noexcept { PQclear(result); }
};

size_t collect(char* data, size_t size, size_t count, void* body) {
    static_cast<QByteArray*>(body)->append(data, qsizetype(size * count));
    return size * count;
}

[[noreturn]] void fail(const char* what, const char* detail) {
    std::fprintf(stderr, "%s: %s\n", what, detail);
    std::abort();
}

// The floor: the same requests on one easy handle, each page handed to the stored function
// with libpq as soon as it arrives.
class Floor {
public:
    Floor(const TestDatabase& database, const QString& shopUrl) : shopUrl_(shopUrl.toUtf8()) {
        easy_.reset(curl_easy_init());
        const QByteArray authorization =
            "Authorization: Basic " + (kUser + QLatin1Char(':') + kPassword).toUtf8().toBase64();
        for (const QByteArray& line :
             {authorization, QByteArray("Accept: application/json, text/plain; q=0.9, text/html;q=0.8,"),
              QByteArray("Accept-Charset: utf-8, *;q=0.8")}) {
            curl_slist* extended = curl_slist_append(headers_.get(), line.constData());
            (void)headers_.release();
            headers_.reset(extended);
        }
        curl_easy_setopt(easy_.get(), CURLOPT_HTTPHEADER, headers_.get());
        curl_easy_setopt(easy_.get(), CURLOPT_USERAGENT, wc::http::Client::kUserAgent);
        curl_easy_setopt(easy_.get(), CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_1));
        curl_easy_setopt(easy_.get(), CURLOPT_WRITEFUNCTION, collect);
        curl_easy_setopt(easy_.get(), CURLOPT_WRITEDATA, &body_);
        connectInfo_ = QStringLiteral("host=localhost port=%1 dbname=%2 user=zel password=%3 sslmode=prefer")
                           .arg(database.server().port)
                           .arg(database.name(), database.server().password)
                           .toUtf8();
    }

    // A database connection for every page, as the system's disconnected mode opens one.
    void run() {
        for (int p = 0; p < kPages; ++p) {
            const QByteArray url =
                shopUrl_ + "/orders?include=line_items&sort=date_created&shipping_status=awaiting&start=" +
                QByteArray::number(p * kOrdersPerPage) + "&limit=100";
            curl_easy_setopt(easy_.get(), CURLOPT_URL, url.constData());
            body_.clear();
            if (const CURLcode code = curl_easy_perform(easy_.get()); code != CURLE_OK)
                fail("libcurl", curl_easy_strerror(code));
            const std::unique_ptr<PGconn, PgConnCloser> conn(PQconnectdb(connectInfo_.constData()));
            if (PQstatus(conn.get()) != CONNECTION_OK)
                fail("libpq", PQerrorMessage(conn.get()));
            store(conn.get(), body_);
        }
    }

private:
    static void store(PGconn* conn, const QByteArray& page) {
        const QByteArray site = kSite.toUtf8();
        const std::array<const char*, 2> values{site.constData(), page.constData()};
        const std::array<Oid, 2> types{25, 25};
        const std::unique_ptr<PGresult, PgResultClearer> result(
            PQexecParams(conn, "SELECT * FROM o_cartovia_log_ins($1, $2)", 2, types.data(), values.data(),
                         nullptr, nullptr, 0));
        if (PQresultStatus(result.get()) != PGRES_TUPLES_OK)
            fail("libpq", PQerrorMessage(conn));
    }

    QByteArray shopUrl_;
    QByteArray connectInfo_;
    QByteArray body_;
    std::unique_ptr<CURL, CurlEasyCleanup> easy_;
    std::unique_ptr<curl_slist, CurlSlistFree> headers_;
};

double elapsedMs(const std::function<void()>& work) {
    QElapsedTimer clock;
    clock.start();
    work();
    return double(clock.nsecsElapsed()) / 1e6;
}

void fetchShop(benchmark::State& state) {
    const QList<QByteArray> pages = shopPages();
    qint64 pageBytes = 0;
    for (const QByteArray& page : pages)
        pageBytes += page.size();
    HttpServer shop(shopHandler(pages));
    TestDatabase database(plainServer(),
                          {sourcePath("demo/sql/erp_schema.sql"), sourcePath("demo/sql/erp_functions.sql")});
    app::createApplicationObjects();
    pointAt(dmCon->conZel, database);
    const QString shopUrl = shop.url("/api/v2");
    Floor floor(database, shopUrl);
    const auto emptyLog = [&] {
        database.exec("truncate log_cartovia");
        if (database.scalar("select count(*) from log_cartovia") != "0")
            std::abort();
    };
    const auto fullLog = [&] {
        if (database.scalar("select count(*) from log_cartovia").toInt() != kPages * kOrdersPerPage)
            std::abort();
    };

    // Both sides run in every iteration, in turns, on an emptied order log. Other work on the
    // machine only ever adds time, so the fastest run of each side is the fairest comparison.
    std::vector<double> ours, floorRuns;
    for (auto _ : state) {
        emptyLog();
        floorRuns.push_back(elapsedMs([&] { floor.run(); }));
        fullLog();
        emptyLog();
        ours.push_back(
            elapsedMs([&] { fProc_Cartovia->getOrdersByCreatedAfter(kSite, shopUrl, kUser, kPassword); }));
        fullLog();
    }
    app::destroyApplicationObjects();
    const auto best = [](const std::vector<double>& runs) {
        return *std::min_element(runs.begin(), runs.end());
    };
    const auto mean = [](const std::vector<double>& runs) {
        return std::accumulate(runs.begin(), runs.end(), 0.0) / double(runs.size());
    };
    state.counters["ours_ms"] = best(ours);
    state.counters["floor_ms"] = best(floorRuns);
    state.counters["ratio"] = best(ours) / best(floorRuns);
    state.counters["mean_ratio"] = mean(ours) / mean(floorRuns);
    state.counters["page_kb"] = double(pageBytes) / kPages / 1024;
}
BENCHMARK(fetchShop)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // As in the program: windows repaint while a request or statement runs.
    wc::setIdleHook([] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Opening and re-reading an order log of 100,000 rows through the import window's query,
// against the floor: libpq alone fetching the same rows, measured in the same run.
#include "import/u_fCartoviaImportCmdC.h"
#include "support/DbConnect.h"
#include "support/TestDatabase.h"

#include <QApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>
#include <libpq-fe.h>
#include <malloc.h>

using namespace wc::test;

namespace {

constexpr int kRows = 100000;

TestDatabase& orderLog() {
    static TestDatabase database(plainServer(), {sourcePath("demo/sql/erp_schema.sql")});
    static const bool filled = [] {
        database.exec(QStringLiteral(
                          "insert into log_cartovia (nume_site, id_doc_site, nr_doc_site, date_created, cmd_c_json, "
                          "err_la_import) select 'magazin-' || (i % 3), i, 'CMD-' || i, date '2026-01-01' + (i % 300), "
                          "'{\"id\":' || i || '}', case when i % 7 = 0 then 'Articol inexistent: SKU-' || i end "
                          "from generate_series(1, %1) i")
                          .arg(kRows));
        database.exec("analyze log_cartovia");
        return true;
    }();
    (void)filled;
    return database;
}

size_t heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

const char* kStatement = "select * \nfrom view_log_cartovia\norder by nume_site,\n         id_doc_site\n;";

// The floor: one libpq connection per fetch, as the disconnected mode does.
double libpqFetchMs(TestDatabase& database) {
    const QByteArray info = QStringLiteral("host=127.0.0.1 port=%1 dbname=%2 user=zel password=%3 sslmode=prefer")
                                .arg(database.server().port)
                                .arg(database.name(), database.server().password)
                                .toUtf8();
    QElapsedTimer clock;
    clock.start();
    PGconn* conn = PQconnectdb(info.constData());
    PGresult* result = PQexec(conn, kStatement);
    if (PQntuples(result) != kRows)
        std::abort();
    PQclear(result);
    PQfinish(conn);
    return clock.nsecsElapsed() / 1e6;
}

void openOrderLog(benchmark::State& state) {
    TestDatabase& database = orderLog();
    TfCartoviaImportCmdC window;
    wc::db::Connection connection;
    pointAt(connection, database);
    connection.setDisconnectedMode(true);
    window.dsLogCartovia.setConnection(&connection);
    double floorMs = 0, oursMs = 0;
    size_t bytesPerRow = 0;
    for (auto _ : state) {
        floorMs += libpqFetchMs(database);
        const bool first = !window.dsLogCartovia.isOpen();
        const size_t before = heapInUse();
        QElapsedTimer clock;
        clock.start();
        if (window.dsLogCartovia.isOpen())
            window.reReadOrderLog();
        else
            window.dsLogCartovia.open();
        if (window.dsouLogCartovia.rowCount() != kRows)
            std::abort();
        oursMs += clock.nsecsElapsed() / 1e6;
        if (first)
            bytesPerRow = (heapInUse() - before) / kRows;
    }
    const double n = double(state.iterations());
    state.counters["ours_ms"] = oursMs / n;
    state.counters["libpq_ms"] = floorMs / n;
    state.counters["ratio"] = oursMs / floorMs;
    state.counters["bytes_per_row"] = double(bytesPerRow);
}
BENCHMARK(openOrderLog)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The grid's proxy against Qt's stock QSortFilterProxyModel on the same 100,000 order-log rows.
#include "LogModel.h"
#include "grid/GridModel.h"
#include "grid/TableView.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QDateTime>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QTreeView>
#include <array>
#include <benchmark/benchmark.h>

namespace {

using wc::grid::ColumnKind;
using wc::grid::FilterCondition;
using wc::grid::GridModel;

constexpr int kRows = 100'000;

const auto& kFields = wc::grid::test::kLogFields;

// A read-only table of typed values, as the data-access layer hands the order log to the grid.
class LogTable : public QAbstractTableModel {
public:
    LogTable() {
        const QStringList shops{"Magazinul Casei",     "Bricolaj Online", "eMag Marketplace", "Florăria Ana",
                                "Librăria Cărturești", "Pet Shop Azorel", "Sport Vision",     "Electro Plus",
                                "Mobila Bună",         "Ceasuri & Co"};
        const QStringList partners{"SC Alfa Trading SRL", "Ionescu Maria",     "Popescu Andrei PFA",
                                   "Beta Distribuție SA", "Georgescu Elena",   "Delta Construct SRL",
                                   "Mureșan Vlad",        "Omega Logistic SRL"};
        const QStringList errors{"",
                                 "",
                                 "",
                                 "Partenerul nu există în ZEL",
                                 "Articol inexistent: SKU-{n}",
                                 "Stoc insuficient\npentru articolul {n}"};
        auto* random = QRandomGenerator::global();
        const QDateTime start(QDate(2023, 1, 1), QTime(0, 0));
        rows_.resize(kRows);
        for (int r = 0; r < kRows; ++r) {
            const int n = int(random->bounded(100000));
            auto& row = rows_[r];
            row[0] = shops[random->bounded(int(shops.size()))];
            row[1] = qlonglong(7'000'000'000LL + r * 7 + random->bounded(7));
            row[2] = start.addSecs(qint64(r) * 300);
            row[3] = start.date().addDays(r / 200);
            row[4] = r % 3 ? QStringLiteral("CMC") : QStringLiteral("CMW");
            row[5] = QStringLiteral("R%1-%2").arg(n).arg(r % 97);
            row[6] = QString(errors[random->bounded(int(errors.size()))]).replace("{n}", QString::number(n));
            row[7] = r % 2 ? QVariant() : QVariant(start.date().addDays(r / 150));
            row[8] = QStringLiteral("CMDC");
            row[9] = r % 2 ? QString() : QString::number(200000 + r);
            row[10] = partners[random->bounded(int(partners.size()))] + QStringLiteral(" %1").arg(n % 500);
        }
    }
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : kRows; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 11; }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole && role != Qt::EditRole)
            return {};
        return rows_[index.row()][index.column()];
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return QString::fromLatin1(kFields[section].name);
        return {};
    }

private:
    std::vector<std::array<QVariant, 11>> rows_;
};

LogTable& table() {
    static LogTable t;
    return t;
}

void addColumns(GridModel& model) {
    for (const auto& f : kFields)
        model.addColumn({QString::fromLatin1(f.name), f.width, f.kind});
}

// Two keystrokes in the filter cell of nume_site, taken in turn.
const std::array<QString, 2> kTyped{QStringLiteral("ma%"), QStringLiteral("mag%")};
const std::array<QString, 2> kRegex{QStringLiteral("^ma.*$"), QStringLiteral("^mag.*$")};

void GridFilterKeystroke(benchmark::State& state) {
    GridModel model;
    addColumns(model);
    model.setSourceModel(&table());
    model.setFilter(0, FilterCondition::fromText(kTyped[1])); // the first keystroke reads the column
    int i = 0;
    for (auto _ : state) {
        model.setFilter(0, FilterCondition::fromText(kTyped[i++ % 2]));
        benchmark::DoNotOptimize(model.shownRowCount());
    }
    state.counters["rows_shown"] = model.shownRowCount();
}

void StockProxyFilterKeystroke(benchmark::State& state) {
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&table());
    proxy.setFilterKeyColumn(0);
    int i = 0;
    for (auto _ : state) {
        proxy.setFilterRegularExpression(
            QRegularExpression(kRegex[i++ % 2], QRegularExpression::CaseInsensitiveOption));
        benchmark::DoNotOptimize(proxy.rowCount());
    }
    state.counters["rows_shown"] = proxy.rowCount();
}

// A header click on zel_partener, then another reversing it.
void GridSort(benchmark::State& state) {
    GridModel model;
    addColumns(model);
    model.setSourceModel(&table());
    int i = 0;
    for (auto _ : state) {
        model.sort(10, i++ % 2 ? Qt::DescendingOrder : Qt::AscendingOrder);
        benchmark::DoNotOptimize(model.sourceRowAt(0));
    }
}

// The first click on a column after a re-read, which also reads the column.
void GridSortAfterReread(benchmark::State& state) {
    GridModel model;
    addColumns(model);
    for (auto _ : state) {
        state.PauseTiming();
        model.setSourceModel(&table());
        state.ResumeTiming();
        model.sort(10, Qt::AscendingOrder);
        benchmark::DoNotOptimize(model.sourceRowAt(0));
    }
}

void StockProxySort(benchmark::State& state) {
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&table());
    int i = 0;
    for (auto _ : state) {
        proxy.sort(10, i++ % 2 ? Qt::DescendingOrder : Qt::AscendingOrder);
        benchmark::DoNotOptimize(proxy.index(0, 0));
    }
}

// Showing the order log: building the view over the rows and painting it once.
void GridShow(benchmark::State& state) {
    for (auto _ : state) {
        wc::grid::TableView view;
        for (const auto& f : kFields)
            view.addColumn(QString::fromLatin1(f.name), f.width, f.kind);
        view.setSourceModel(&table());
        view.resize(1200, 700);
        benchmark::DoNotOptimize(view.grab());
    }
}

void StockTreeViewShow(benchmark::State& state) {
    for (auto _ : state) {
        QTreeView view;
        view.setUniformRowHeights(true);
        view.setRootIsDecorated(false);
        view.setModel(&table());
        view.resize(1200, 700);
        benchmark::DoNotOptimize(view.grab());
    }
}

// A keystroke as the operator sees it: the filter applied and the view painted again.
void GridViewFilterKeystroke(benchmark::State& state) {
    wc::grid::TableView view;
    for (const auto& f : kFields)
        view.addColumn(QString::fromLatin1(f.name), f.width, f.kind);
    view.setSourceModel(&table());
    view.resize(1200, 700);
    view.setColumnFilter(0, kTyped[1]);
    int i = 0;
    for (auto _ : state) {
        view.setColumnFilter(0, kTyped[i++ % 2]);
        benchmark::DoNotOptimize(view.grab());
    }
}

void StockViewFilterKeystroke(benchmark::State& state) {
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&table());
    proxy.setFilterKeyColumn(0);
    QTreeView view;
    view.setUniformRowHeights(true);
    view.setRootIsDecorated(false);
    view.setModel(&proxy);
    view.resize(1200, 700);
    int i = 0;
    for (auto _ : state) {
        proxy.setFilterRegularExpression(
            QRegularExpression(kRegex[i++ % 2], QRegularExpression::CaseInsensitiveOption));
        benchmark::DoNotOptimize(view.grab());
    }
}

BENCHMARK(GridFilterKeystroke)->Unit(benchmark::kMillisecond);
BENCHMARK(StockProxyFilterKeystroke)->Unit(benchmark::kMillisecond);
BENCHMARK(GridViewFilterKeystroke)->Unit(benchmark::kMillisecond);
BENCHMARK(StockViewFilterKeystroke)->Unit(benchmark::kMillisecond);
BENCHMARK(GridSort)->Unit(benchmark::kMillisecond);
BENCHMARK(GridSortAfterReread)->Unit(benchmark::kMillisecond);
BENCHMARK(StockProxySort)->Unit(benchmark::kMillisecond);
BENCHMARK(GridShow)->Unit(benchmark::kMillisecond);
BENCHMARK(StockTreeViewShow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    table(); // the rows are made once, outside every measurement
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

#include "LogModel.h"

#include "grid/TableView.h"

#include <QDateTime>

namespace wc::grid::test {

const LogField kLogFields[11] = {
    {"nume_site", 73, ColumnKind::Text},
    {"id_doc_site", 86, ColumnKind::Number},
    {"data_log", 123, ColumnKind::DateTime},
    {"date_created", 87, ColumnKind::Date},
    {"zel_serie_cmd_c", 100, ColumnKind::Text},
    {"nr_doc_site", 82, ColumnKind::MultiLineText},
    {"err_la_import", 142, ColumnKind::MultiLineText},
    {"zel_data_doc", 90, ColumnKind::Date},
    {"zel_tip_doc", 86, ColumnKind::Text},
    {"zel_nr_doc", 89, ColumnKind::Text},
    {"zel_partener", 167, ColumnKind::Text},
};

std::unique_ptr<QStandardItemModel> makeLogModel(int rows) {
    auto model = std::make_unique<QStandardItemModel>(rows, 11);
    for (int c = 0; c < 11; ++c)
        model->setHeaderData(c, Qt::Horizontal, QString::fromLatin1(kLogFields[c].name));
    const QStringList shops{"emag-ro", "Magazin Bun", "shop.example"};
    const QDateTime base(QDate(2024, 3, 1), QTime(8, 30));
    for (int r = 0; r < rows; ++r) {
        auto set = [&](int c, const QVariant& v) { model->setData(model->index(r, c), v); };
        set(0, shops[r % 3]);
        set(1, qlonglong(1000 + r));
        set(2, base.addSecs(3600LL * r));
        set(3, base.date().addDays(r % 40));
        set(4, QStringLiteral("CMD"));
        set(5, QStringLiteral("N%1").arg(r));
        set(6, r % 4 == 0 ? QStringLiteral("eroare la import\nlinia %1").arg(r) : QString());
        set(7, r % 2 ? QVariant() : QVariant(base.date().addDays(r)));
        set(8, QStringLiteral("CMC"));
        set(9, QString::number(r));
        set(10, QStringLiteral("Partener %1").arg(r % 7));
    }
    return model;
}

std::unique_ptr<QStandardItemModel> makeTextModel(const QStringList& fields, const QList<QStringList>& rows) {
    auto model = std::make_unique<QStandardItemModel>(int(rows.size()), int(fields.size()));
    model->setHorizontalHeaderLabels(fields);
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < fields.size(); ++c)
            model->setData(model->index(r, c), rows[r].value(c));
    }
    return model;
}

void addLogColumns(TableView& view) {
    for (const auto& f : kLogFields)
        view.addColumn(QString::fromLatin1(f.name), f.width, f.kind);
}

QStringList snapshot(const QAbstractItemModel& model) {
    QStringList rows;
    for (int r = 0; r < model.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model.columnCount(); ++c)
            cells << model.index(r, c).data().toString();
        rows << cells.join(u'|');
    }
    return rows;
}

} // namespace wc::grid::test

#pragma once

#include "grid/ColumnKind.h"

#include <QStandardItemModel>
#include <QStringList>
#include <memory>

namespace wc::grid {
class TableView;
}

namespace wc::grid::test {

// The order log's eleven fields, in order, with their widths at 96 dpi and kinds.
struct LogField {
    const char* name;
    int width;
    ColumnKind kind;
};
extern const LogField kLogFields[11];

// A source model shaped like the order log: typed values as the data-access layer gives them
// (QString, qlonglong, QDate, QDateTime; invalid for NULL dates). Row r has id_doc_site 1000 + r.
std::unique_ptr<QStandardItemModel> makeLogModel(int rows);
// A source model of one text column `field` holding `values`.
std::unique_ptr<QStandardItemModel> makeTextModel(const QStringList& fields, const QList<QStringList>& rows);

void addLogColumns(TableView& view);

// The source's rows as text, to prove it was left untouched.
QStringList snapshot(const QAbstractItemModel& model);

} // namespace wc::grid::test

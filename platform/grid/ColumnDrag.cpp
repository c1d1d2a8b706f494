#include "grid/ColumnDrag.h"

#include <QDrag>
#include <QMimeData>
#include <QWidget>

namespace wc::grid {

namespace {
const QString kMimeType = QStringLiteral("application/x-wcgrid-column");
}

std::optional<ColumnDrag> readColumnDrag(const QMimeData* mime) {
    if (!mime || !mime->hasFormat(kMimeType))
        return std::nullopt;
    const QList<QByteArray> parts = mime->data(kMimeType).split(':');
    bool ok = false;
    const int column = parts.value(1).toInt(&ok);
    if (parts.size() != 2 || !ok)
        return std::nullopt;
    return ColumnDrag{parts[0] == "box" ? DragOrigin::GroupByBox : DragOrigin::Header, column};
}

QMimeData* columnMimeData(ColumnDrag drag) {
    auto* mime = new QMimeData;
    const QByteArray origin = drag.origin == DragOrigin::GroupByBox ? "box" : "header";
    mime->setData(kMimeType, origin + ':' + QByteArray::number(drag.column));
    return mime;
}

void execColumnDrag(QWidget* source, ColumnDrag drag, const QPixmap& picture) {
    QMimeData* mime = columnMimeData(drag);
    auto* qdrag = new QDrag(source); // owned by the source widget, as Qt asks
    qdrag->setMimeData(mime);
    qdrag->setPixmap(picture);
    qdrag->exec(Qt::MoveAction);
}

} // namespace wc::grid

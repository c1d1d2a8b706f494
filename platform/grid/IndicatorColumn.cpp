#include "grid/IndicatorColumn.h"

#include "grid/RowView.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace wc::grid {

IndicatorColumn::IndicatorColumn(RowView* rows, QWidget* parent) : QWidget(parent), rows_(rows) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto repaint = [this] { update(); };
    connect(rows_->verticalScrollBar(), &QScrollBar::valueChanged, this, repaint);
    connect(rows_, &QTreeView::expanded, this, repaint);
    connect(rows_, &QTreeView::collapsed, this, repaint);
}

void IndicatorColumn::setStyles(const TableViewStyleSheet* sheet) {
    sheet_ = sheet;
    update();
}

QSize IndicatorColumn::sizeHint() const {
    return {qRound(12 * logicalDpiX() / 96.0), 0};
}

QRect IndicatorColumn::focusedRowRect() const {
    const QModelIndex current = rows_->currentIndex();
    if (!current.isValid())
        return {};
    const QRect cell = rows_->visualRect(current);
    if (cell.isEmpty())
        return {};
    const QPoint top = mapFromGlobal(rows_->viewport()->mapToGlobal(QPoint(0, cell.top())));
    return {0, top.y(), width(), cell.height()};
}

void IndicatorColumn::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int headerBottom = mapFromGlobal(rows_->viewport()->mapToGlobal(QPoint(0, 0))).y();
    const ResolvedStyle header = sheetStyle(sheet_, &TableViewStyleSheet::header,
                                            widgetDefaults(*this, QPalette::Button, QPalette::ButtonText));
    const ResolvedStyle indicator = sheetStyle(sheet_, &TableViewStyleSheet::indicator,
                                               widgetDefaults(*this, QPalette::Button, QPalette::ButtonText));
    painter.fillRect(QRect(0, 0, width(), headerBottom), header.background);
    painter.fillRect(QRect(0, headerBottom, width(), height() - headerBottom), indicator.background);
    painter.setPen(indicator.background.darker(130));
    painter.drawLine(width() - 1, 0, width() - 1, height());

    const QRect row = focusedRowRect();
    if (row.isEmpty() || row.bottom() < headerBottom)
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(indicator.textColor);
    const QPointF c = QRectF(row).center();
    const qreal h = std::min(row.height(), width()) / 4.0;
    painter.drawPolygon(
        QPolygonF{{c.x() - h / 1.5, c.y() - h}, {c.x() - h / 1.5, c.y() + h}, {c.x() + h, c.y()}});
}

void IndicatorColumn::mousePressEvent(QMouseEvent* event) {
    // A click beside a row focuses it, as a click on the row would.
    const QPoint inRows = rows_->viewport()->mapFromGlobal(mapToGlobal(event->position().toPoint()));
    const QModelIndex index = rows_->indexAt(QPoint(0, inRows.y()));
    if (index.isValid())
        rows_->setCurrentIndex(index.siblingAtColumn(
            rows_->currentIndex().isValid() ? rows_->currentIndex().column() : index.column()));
}

} // namespace wc::grid

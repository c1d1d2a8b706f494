#include "grid/RowView.h"

#include "grid/GridModel.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>

namespace wc::grid {

RowView::RowView(QWidget* focusScope, QWidget* parent) : QTreeView(parent), focusScope_(focusScope) {
    setUniformRowHeights(true); // keeps 100,000 rows cheap to lay out
    setRootIsDecorated(false);
    setIndentation(0);
    setItemsExpandable(true);
    setExpandsOnDoubleClick(false);
    setSelectionMode(QAbstractItemView::NoSelection); // the focused row is the selection
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFrameShape(QFrame::NoFrame);
    setItemDelegate(new CellDelegate(this));
}

void RowView::setStyles(const TableViewStyleSheet* sheet) {
    sheet_ = sheet;
    viewport()->update();
}

GridModel* RowView::gridModel() const {
    return static_cast<GridModel*>(model());
}

bool RowView::gridHasFocus() const {
    const QWidget* focus = QApplication::focusWidget();
    return focus && (focus == focusScope_ || focusScope_->isAncestorOf(focus));
}

ResolvedStyle RowView::cellStyle(const QModelIndex& index) const {
    const bool selected = index.isValid() && currentIndex().isValid() &&
                          index.row() == currentIndex().row() && index.parent() == currentIndex().parent();
    return dataCellStyle(sheet_, selected, gridHasFocus(), index.data(GridModel::PositionRole).toInt(),
                         widgetDefaults(*this));
}

int RowView::rowsPerPage() const {
    const int row = std::max(1, sizeHintForRow(0));
    return std::max(1, viewport()->height() / row);
}

void RowView::moveToNextCell() {
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    auto firstVisibleColumn = [this](int fromVisual) {
        for (int v = fromVisual; v < header()->count(); ++v) {
            if (!header()->isSectionHidden(header()->logicalIndex(v)))
                return header()->logicalIndex(v);
        }
        return -1;
    };
    if (!gridModel()->isGroupRow(current)) {
        const int next = firstVisibleColumn(header()->visualIndex(current.column()) + 1);
        if (next >= 0) {
            setCurrentIndex(current.siblingAtColumn(next));
            return;
        }
    }
    const QModelIndex below = indexBelow(current);
    if (below.isValid())
        setCurrentIndex(gridModel()->isGroupRow(below) ? below
                                                       : below.siblingAtColumn(firstVisibleColumn(0)));
}

void RowView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        moveToNextCell();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void RowView::mousePressEvent(QMouseEvent* event) {
    QTreeView::mousePressEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && gridModel()->isGroupRow(index))
        setExpanded(index.siblingAtColumn(0), !isExpanded(index.siblingAtColumn(0)));
}

void RowView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTreeView::currentChanged(current, previous);
    viewport()->update(); // the whole row changes its colours, not only the cell
}

void RowView::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(viewport());
        painter.fillRect(
            event->rect(),
            sheetStyle(sheet_, &TableViewStyleSheet::background, widgetDefaults(*this)).background);
    }
    QTreeView::paintEvent(event);
    if (model() && model()->rowCount() == 0) {
        QPainter painter(viewport());
        const ResolvedStyle defaults = widgetDefaults(*this);
        painter.setPen(defaults.textColor);
        painter.setFont(defaults.font);
        const QRect area = viewport()->rect().adjusted(0, 8, 0, 0);
        painter.drawText(area, Qt::AlignHCenter | Qt::AlignTop, noDataText());
    }
}

void RowView::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    if (!gridModel()->isGroupRow(index)) {
        QTreeView::drawRow(painter, option, index);
        return;
    }
    const int width = std::max(viewport()->width(), header()->length() - header()->offset());
    drawGroupRow(painter, QRect(0, option.rect.top(), width, option.rect.height()), index);
}

void RowView::drawGroupRow(QPainter* painter, const QRect& rowRect, const QModelIndex& index) const {
    const QModelIndex current = currentIndex();
    const bool selected =
        current.isValid() && current.row() == index.row() && current.parent() == index.parent();
    const ResolvedStyle defaults = widgetDefaults(*this);
    const ResolvedStyle style = selected ? dataCellStyle(sheet_, true, gridHasFocus(), 0, defaults)
                                         : sheetStyle(sheet_, &TableViewStyleSheet::group, defaults);
    painter->save();
    painter->fillRect(rowRect, style.background);
    painter->setPen(style.background.darker(125));
    painter->drawLine(rowRect.bottomLeft(), rowRect.bottomRight());

    const QModelIndex first = index.siblingAtColumn(0);
    const int level = first.data(GridModel::GroupLevelRole).toInt();
    const int unit = QFontMetrics(style.font).height();
    const int x = rowRect.left() - header()->offset() + 4 + level * unit;
    painter->setPen(style.textColor);
    painter->setBrush(style.textColor);
    painter->setRenderHint(QPainter::Antialiasing);
    const QPointF c(x + unit / 2.0, rowRect.center().y() + 0.5);
    const qreal h = unit / 4.0;
    if (isExpanded(first))
        painter->drawPolygon(
            QPolygonF{{c.x() - h, c.y() - h / 2}, {c.x() + h, c.y() - h / 2}, {c.x(), c.y() + h}});
    else
        painter->drawPolygon(
            QPolygonF{{c.x() - h / 2, c.y() - h}, {c.x() - h / 2, c.y() + h}, {c.x() + h, c.y()}});
    painter->setFont(style.font);
    painter->drawText(rowRect.adjusted(x - rowRect.left() + unit + 4, 0, 0, 0),
                      Qt::AlignLeft | Qt::AlignVCenter, first.data().toString());
    painter->restore();
}

CellDelegate::CellDelegate(RowView* view) : QStyledItemDelegate(view), view_(view) {}

void CellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    const ResolvedStyle style = view_->cellStyle(index);
    painter->save();
    painter->fillRect(option.rect, style.background);
    painter->setPen(style.background.darker(115));
    painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());

    const auto* model = view_->gridModel();
    const ColumnKind kind = model->columnSpec(index.column()).kind;
    const QRect textRect = option.rect.adjusted(3, 1, -4, -1);
    QString text = index.data().toString();
    painter->setFont(style.font);
    painter->setPen(style.textColor);
    painter->setClipRect(option.rect.adjusted(0, 0, -1, -1));
    if (kind == ColumnKind::MultiLineText) {
        // A memo cell keeps its line breaks and wraps; the row shows as many whole lines as fit
        // (the tooltip has the rest), centred like the one-line cells beside it.
        const int line = QFontMetrics(style.font).lineSpacing();
        const int lines = std::max(1, textRect.height() / line);
        const QRect shown(textRect.left(), textRect.center().y() - lines * line / 2 + 1, textRect.width(),
                          lines * line);
        painter->setClipRect(shown.intersected(option.rect));
        painter->drawText(shown, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
        painter->setClipping(false);
    } else {
        text.replace(u'\n', u' ').remove(u'\r');
        const Qt::Alignment align = kind == ColumnKind::Number ? Qt::AlignRight : Qt::AlignLeft;
        painter->drawText(textRect, align | Qt::AlignVCenter,
                          QFontMetrics(style.font).elidedText(text, Qt::ElideRight, textRect.width()));
    }
    if (option.state & QStyle::State_HasFocus) {
        painter->setPen(QPen(style.textColor, 1, Qt::DotLine));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option.rect.adjusted(1, 1, -2, -2));
    }
    painter->restore();
}

QSize CellDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize hint = QStyledItemDelegate::sizeHint(option, index);
    hint.setHeight(QFontMetrics(view_->font()).height() + 6);
    return hint;
}

} // namespace wc::grid

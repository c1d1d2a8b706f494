#include "grid/FilterHeader.h"

#include "grid/ColumnDrag.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace wc::grid {

FilterHeader::FilterHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent), prompt_(new QLabel(this)) {
    // Moving and clicking are handled here (drag and drop serves both reordering and grouping);
    // the base class keeps only resizing.
    setSectionsMovable(false);
    setSectionsClickable(false);
    setStretchLastSection(false);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);

    prompt_->setText(promptText());
    prompt_->setIndent(4);
    prompt_->setAutoFillBackground(true);
    prompt_->setForegroundRole(QPalette::PlaceholderText);
    prompt_->setBackgroundRole(QPalette::Base);
    prompt_->setCursor(Qt::IBeamCursor);
    prompt_->installEventFilter(this);

    connect(this, &QHeaderView::sectionResized, this, &FilterHeader::placeEditors);
    connect(this, &QHeaderView::sectionMoved, this, &FilterHeader::placeEditors);
    connect(this, &QHeaderView::geometriesChanged, this, &FilterHeader::placeEditors);
    connect(this, &QHeaderView::sectionCountChanged, this, &FilterHeader::syncEditors);
}

void FilterHeader::setStyles(const TableViewStyleSheet* sheet) {
    sheet_ = sheet;
    updateGeometries();
    viewport()->update();
}

void FilterHeader::setModel(QAbstractItemModel* model) {
    QHeaderView::setModel(model);
    syncEditors();
}

void FilterHeader::followScrollBar(QScrollBar* bar) {
    // Connected after the view's own connection, so the header's offset is already updated.
    connect(bar, &QScrollBar::valueChanged, this, &FilterHeader::placeEditors);
}

void FilterHeader::syncEditors() {
    const int wanted = count();
    while (int(editors_.size()) > wanted) {
        delete editors_.back();
        editors_.pop_back();
    }
    while (int(editors_.size()) < wanted) {
        const int column = int(editors_.size());
        auto* editor = new QLineEdit(this);
        editor->installEventFilter(this);
        connect(editor, &QLineEdit::textEdited, this,
                [this, column](const QString& text) { emit filterTextEdited(column, text); });
        editor->show();
        editors_.push_back(editor);
    }
    updateGeometries();
    placeEditors();
    updatePrompt();
}

int FilterHeader::editorHeight() const {
    return QFontMetrics(font()).height() + 8;
}

int FilterHeader::captionHeight() const {
    const QFont captionFont = sheetStyle(sheet_, &TableViewStyleSheet::header, widgetDefaults(*this)).font;
    return std::max(QHeaderView::sizeHint().height(), QFontMetrics(captionFont).height() + 10);
}

QSize FilterHeader::sizeHint() const {
    QSize hint = QHeaderView::sizeHint();
    hint.setHeight(captionHeight() + editorHeight());
    return hint;
}

void FilterHeader::updateGeometries() {
    // The caption takes the top; the editors live in the bottom margin of the viewport.
    setViewportMargins(0, 0, 0, editorHeight());
    QHeaderView::updateGeometries();
    placeEditors();
}

void FilterHeader::placeEditors() {
    const int top = height() - editorHeight();
    for (int column = 0; column < int(editors_.size()); ++column) {
        QLineEdit* editor = editors_[column];
        if (isSectionHidden(column)) {
            editor->hide();
            continue;
        }
        editor->setGeometry(sectionViewportPosition(column), top, sectionSize(column), editorHeight());
        editor->show();
    }
    prompt_->setGeometry(0, top, width(), editorHeight());
    prompt_->raise();
}

void FilterHeader::setFilterText(int column, const QString& text) {
    // Setting the same text would still move the cursor of the editor being typed in.
    if (editors_.at(column)->text() != text)
        editors_.at(column)->setText(text);
    updatePrompt();
}

QString FilterHeader::filterText(int column) const {
    return editors_.at(column)->text();
}

bool FilterHeader::isPromptShown() const {
    return !prompt_->isHidden();
}

void FilterHeader::focusEditor(int column) {
    if (column < 0 || column >= int(editors_.size()))
        return;
    prompt_->hide();
    editors_[column]->setFocus(Qt::OtherFocusReason);
    editors_[column]->selectAll();
}

void FilterHeader::updatePrompt() {
    const bool empty =
        std::all_of(editors_.begin(), editors_.end(), [](auto* e) { return e->text().isEmpty(); });
    const QWidget* focus = QApplication::focusWidget();
    const bool editing = focus && isAncestorOf(focus);
    prompt_->setVisible(empty && !editing);
}

bool FilterHeader::moveFocusAlong(int column, int step) {
    for (int visual = visualIndex(column) + step; visual >= 0 && visual < count(); visual += step) {
        const int next = logicalIndex(visual);
        if (!isSectionHidden(next)) {
            focusEditor(next);
            return true;
        }
    }
    return false;
}

bool FilterHeader::eventFilter(QObject* watched, QEvent* event) {
    if (watched == prompt_ && event->type() == QEvent::MouseButtonPress) {
        const int column = logicalIndexAt(static_cast<QMouseEvent*>(event)->position().toPoint().x());
        focusEditor(column >= 0 ? column : logicalIndex(0));
        return true;
    }
    const auto it = std::find(editors_.begin(), editors_.end(), watched);
    if (it == editors_.end())
        return QHeaderView::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        prompt_->hide(); // reached by Tab too, not only through the prompt
    } else if (event->type() == QEvent::FocusOut) {
        updatePrompt();
    } else if (event->type() == QEvent::KeyPress) {
        // Tab follows the columns as shown, not the order the editors were made in.
        const auto* key = static_cast<QKeyEvent*>(event);
        const int column = int(it - editors_.begin());
        if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier)
            return moveFocusAlong(column, +1);
        if (key->key() == Qt::Key_Backtab)
            return moveFocusAlong(column, -1);
    }
    return QHeaderView::eventFilter(watched, event);
}

QRect FilterHeader::dropDownRect(int column) const {
    const int w = QFontMetrics(font()).height();
    return {sectionViewportPosition(column) + sectionSize(column) - w, 0, w, captionHeight()};
}

void FilterHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    const ResolvedStyle style = sheetStyle(sheet_, &TableViewStyleSheet::header,
                                           widgetDefaults(*this, QPalette::Button, QPalette::ButtonText));
    painter->save();
    painter->fillRect(rect, style.background);
    painter->setPen(style.background.darker(140));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());

    const int arrow = QFontMetrics(font()).height();
    QRect textRect = rect.adjusted(4, 0, -arrow - 2, 0);
    painter->setPen(style.textColor);
    painter->setBrush(style.textColor);
    painter->setRenderHint(QPainter::Antialiasing);
    if (isSortIndicatorShown() && sortIndicatorSection() == logicalIndex) {
        const QPointF c(textRect.right() - arrow / 2.0, rect.center().y() + 0.5);
        const qreal h = arrow / 4.0;
        const bool up = sortIndicatorOrder() == Qt::AscendingOrder;
        painter->drawPolygon(QPolygonF{{c.x() - h, c.y() + (up ? h : -h)},
                                       {c.x() + h, c.y() + (up ? h : -h)},
                                       {c.x(), c.y() + (up ? -h : h)}});
        textRect.setRight(textRect.right() - arrow);
    }
    // The drop-down arrow of the column's values.
    const QRectF drop =
        dropDownRect(logicalIndex).translated(rect.left() - sectionViewportPosition(logicalIndex), 0);
    const qreal h = arrow / 5.0;
    const QPointF d = drop.center();
    painter->drawPolygon(
        QPolygonF{{d.x() - h, d.y() - h / 2}, {d.x() + h, d.y() - h / 2}, {d.x(), d.y() + h}});

    painter->setFont(style.font);
    const QString caption = model() ? model()->headerData(logicalIndex, orientation()).toString() : QString();
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                      QFontMetrics(style.font).elidedText(caption, Qt::ElideRight, textRect.width()));
    painter->restore();
}

bool FilterHeader::onResizeHandle(const QPoint& pos) const {
    const int column = logicalIndexAt(pos.x());
    if (column < 0)
        return false;
    const int grip = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);
    const int left = sectionViewportPosition(column);
    const int right = left + sectionSize(column);
    return pos.x() >= right - grip || (pos.x() < left + grip && visualIndex(column) > 0);
}

void FilterHeader::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const int column = logicalIndexAt(pos.x());
    if (event->button() != Qt::LeftButton || column < 0 || onResizeHandle(pos)) {
        QHeaderView::mousePressEvent(event);
        return;
    }
    if (dropDownRect(column).contains(pos)) {
        const QRect section = dropDownRect(column);
        emit dropDownRequested(
            column, viewport()->mapToGlobal(QPoint(sectionViewportPosition(column), section.bottom())));
        return;
    }
    pressedColumn_ = column;
    pressPos_ = pos;
}

void FilterHeader::mouseMoveEvent(QMouseEvent* event) {
    if (pressedColumn_ < 0) {
        QHeaderView::mouseMoveEvent(event);
        return;
    }
    if ((event->position().toPoint() - pressPos_).manhattanLength() < QApplication::startDragDistance())
        return;
    const int column = std::exchange(pressedColumn_, -1);
    const QRect section(sectionViewportPosition(column), 0, sectionSize(column), captionHeight());
    execColumnDrag(this, {DragOrigin::Header, column}, viewport()->grab(section));
}

void FilterHeader::mouseReleaseEvent(QMouseEvent* event) {
    if (pressedColumn_ < 0) {
        QHeaderView::mouseReleaseEvent(event);
        return;
    }
    const int column = std::exchange(pressedColumn_, -1);
    if (logicalIndexAt(event->position().toPoint()) == column)
        emit columnClicked(column);
}

void FilterHeader::mouseDoubleClickEvent(QMouseEvent* event) {
    if (onResizeHandle(event->position().toPoint()))
        QHeaderView::mouseDoubleClickEvent(event);
}

void FilterHeader::dragEnterEvent(QDragEnterEvent* event) {
    if (readColumnDrag(event->mimeData()))
        event->acceptProposedAction();
}

void FilterHeader::dragMoveEvent(QDragMoveEvent* event) {
    if (readColumnDrag(event->mimeData()))
        event->acceptProposedAction();
}

void FilterHeader::dropEvent(QDropEvent* event) {
    const auto drag = readColumnDrag(event->mimeData());
    if (!drag || drag->column < 0 || drag->column >= count())
        return;
    event->acceptProposedAction();
    if (drag->origin == DragOrigin::GroupByBox) {
        emit columnReturned(drag->column);
        return;
    }
    int target = visualIndexAt(event->position().toPoint().x());
    if (target < 0)
        target = count() - 1;
    moveSection(visualIndex(drag->column), target);
}

} // namespace wc::grid

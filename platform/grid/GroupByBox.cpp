#include "grid/GroupByBox.h"

#include "grid/ColumnDrag.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

namespace wc::grid {

namespace {
// One grouping in the box: its caption, dragged back to the headers to end the grouping, and a
// close button that does the same.
class GroupChip : public QFrame {
public:
    GroupChip(int column, const QString& caption, GroupByBox* box) : QFrame(box), column_(column) {
        setFrameShape(QFrame::Box);
        setAutoFillBackground(true);
        setBackgroundRole(QPalette::Button);
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(6, 1, 1, 1);
        auto* label = new QLabel(caption, this);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        auto* close = new QToolButton(this);
        close->setText(QStringLiteral("\u2715"));
        close->setToolTip(QStringLiteral("Remove this grouping"));
        close->setAutoRaise(true);
        close->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(label);
        layout->addWidget(close);
        QObject::connect(close, &QToolButton::clicked, box,
                         [box, column] { emit box->ungroupRequested(column); });
    }

protected:
    void mousePressEvent(QMouseEvent* event) override { pressPos_ = event->position().toPoint(); }
    void mouseMoveEvent(QMouseEvent* event) override {
        if ((event->buttons() & Qt::LeftButton) &&
            (event->position().toPoint() - pressPos_).manhattanLength() >= QApplication::startDragDistance())
            execColumnDrag(this, {DragOrigin::GroupByBox, column_}, grab());
    }

private:
    int column_;
    QPoint pressPos_;
};
} // namespace

GroupByBox::GroupByBox(QWidget* parent) : QWidget(parent), layout_(new QHBoxLayout(this)) {
    layout_->setContentsMargins(6, 4, 6, 4);
    layout_->addStretch(1);
    setAcceptDrops(true);
}

void GroupByBox::setStyles(const TableViewStyleSheet* sheet) {
    sheet_ = sheet;
    update();
}

ResolvedStyle GroupByBox::boxStyle() const {
    return sheetStyle(sheet_, &TableViewStyleSheet::groupByBox,
                      widgetDefaults(*this, QPalette::Dark, QPalette::Light));
}

QSize GroupByBox::sizeHint() const {
    const int line = QFontMetrics(font()).height();
    return {QFontMetrics(font()).horizontalAdvance(promptText()) + 16, line * 2 + 8};
}

void GroupByBox::showGroups(const QList<QPair<int, QString>>& groups) {
    qDeleteAll(chips_);
    chips_.clear();
    for (const auto& [column, caption] : groups) {
        auto* chip = new GroupChip(column, caption, this);
        layout_->insertWidget(int(chips_.size()), chip);
        chips_ << chip;
    }
    update();
}

void GroupByBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const ResolvedStyle style = boxStyle();
    painter.fillRect(rect(), style.background);
    if (!chips_.isEmpty())
        return;
    painter.setPen(style.textColor);
    painter.setFont(style.font);
    painter.drawText(rect().adjusted(8, 0, -8, 0), Qt::AlignLeft | Qt::AlignVCenter, promptText());
}

void GroupByBox::dragEnterEvent(QDragEnterEvent* event) {
    const auto drag = readColumnDrag(event->mimeData());
    if (drag && drag->origin == DragOrigin::Header)
        event->acceptProposedAction();
}

void GroupByBox::dragMoveEvent(QDragMoveEvent* event) {
    const auto drag = readColumnDrag(event->mimeData());
    if (drag && drag->origin == DragOrigin::Header)
        event->acceptProposedAction();
}

void GroupByBox::dropEvent(QDropEvent* event) {
    const auto drag = readColumnDrag(event->mimeData());
    if (!drag || drag->origin != DragOrigin::Header)
        return;
    event->acceptProposedAction();
    emit groupRequested(drag->column);
}

} // namespace wc::grid

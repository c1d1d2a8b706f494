#include "grid/FilterBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QToolButton>

namespace wc::grid {

FilterBox::FilterBox(QWidget* parent)
    : QWidget(parent), clear_(new QToolButton(this)), text_(new QLabel(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    clear_->setText(QStringLiteral("\u2715"));
    clear_->setToolTip(QStringLiteral("Clear the filter"));
    clear_->setAutoRaise(true);
    clear_->setFocusPolicy(Qt::NoFocus);
    text_->setTextFormat(Qt::PlainText);
    layout->addWidget(clear_);
    layout->addWidget(text_, 1);
    connect(clear_, &QToolButton::clicked, this, &FilterBox::clearRequested);
    applyStyle();
    hide();
}

void FilterBox::setStyles(const TableViewStyleSheet* sheet) {
    sheet_ = sheet;
    applyStyle();
}

void FilterBox::applyStyle() {
    const ResolvedStyle style = sheetStyle(sheet_, &TableViewStyleSheet::filterBox,
                                           widgetDefaults(*this, QPalette::Window, QPalette::WindowText));
    QPalette palette = text_->palette();
    palette.setColor(QPalette::WindowText, style.textColor);
    text_->setPalette(palette);
    text_->setFont(style.font);
    update();
}

void FilterBox::showFilter(const QString& description) {
    text_->setText(description);
    setVisible(!description.isEmpty());
}

QString FilterBox::text() const {
    return text_->text();
}

void FilterBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), sheetStyle(sheet_, &TableViewStyleSheet::filterBox,
                                        widgetDefaults(*this, QPalette::Window, QPalette::WindowText))
                                 .background);
}

} // namespace wc::grid

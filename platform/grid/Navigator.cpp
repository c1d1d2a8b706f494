#include "grid/Navigator.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>

namespace wc::grid {

namespace {
QIcon funnelIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(60, 60, 60));
    const qreal s = size;
    painter.drawPolygon(QPolygonF{{s * 0.1, s * 0.15},
                                  {s * 0.9, s * 0.15},
                                  {s * 0.58, s * 0.5},
                                  {s * 0.58, s * 0.9},
                                  {s * 0.42, s * 0.78},
                                  {s * 0.42, s * 0.5}});
    return QIcon(pixmap);
}

struct ButtonFace {
    const char* glyph;
    const char* hint;
};

// Faces in the order of NavigatorButton.
constexpr std::array<ButtonFace, kNavigatorButtonCount> kFaces{{
    {"|\u25C0", "First"},
    {"\u25C0\u25C0", "Prior page"},
    {"\u25C0", "Prior"},
    {"\u25B6", "Next"},
    {"\u25B6\u25B6", "Next page"},
    {"\u25B6|", "Last"},
    {"+", "Insert"},
    {"\u2212", "Delete"},
    {"\u270E", "Edit"},
    {"\u2713", "Post edit"},
    {"\u2715", "Cancel edit"},
    {"\u21BB", "Refresh"},
    {"\u2606", "Save bookmark"},
    {"\u2605", "Go to bookmark"},
    {"", "Filter"}, // drawn: no common font has a funnel
}};
} // namespace

Navigator::Navigator(QWidget* parent) : QWidget(parent), info_(new QLabel(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(1);
    for (int i = 0; i < kNavigatorButtonCount; ++i) {
        auto* b = new QToolButton(this);
        b->setText(QString::fromUtf8(kFaces[i].glyph));
        b->setToolTip(QString::fromLatin1(kFaces[i].hint));
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        const auto which = NavigatorButton(i);
        connect(b, &QToolButton::clicked, this, [this, which] { emit clicked(which); });
        layout->addWidget(b);
        buttons_[i] = b;
    }
    // The order log is read-only: the editing buttons are shown but never enabled.
    for (auto which : {NavigatorButton::Insert, NavigatorButton::Delete, NavigatorButton::Edit,
                       NavigatorButton::Post, NavigatorButton::Cancel})
        button(which)->setEnabled(false);
    button(NavigatorButton::Filter)->setIcon(funnelIcon(QFontMetrics(font()).height()));
    info_->setContentsMargins(6, 0, 6, 0);
    layout->addWidget(info_);
    layout->addStretch(1);
    setInfo(0, 0);
}

void Navigator::setInfo(int recordIndex, int recordCount) {
    info_->setText(QStringLiteral("%1 of %2").arg(recordIndex).arg(recordCount));
}

QString Navigator::infoText() const {
    return info_->text();
}

} // namespace wc::grid

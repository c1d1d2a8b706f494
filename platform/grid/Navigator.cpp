#include "grid/Navigator.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace wc::grid {

namespace {
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
    {"\u2A52", "Filter"},
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

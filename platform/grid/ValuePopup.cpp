#include "grid/ValuePopup.h"

#include <QListView>
#include <QStringListModel>
#include <QVBoxLayout>

namespace wc::grid {

ValuePopup::ValuePopup(QWidget* parent)
    : QFrame(parent, Qt::Popup), list_(new QListView(this)), values_(new QStringListModel(this)) {
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(list_);
    list_->setModel(values_);
    list_->setUniformItemSizes(true);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(list_, &QListView::clicked, this, &ValuePopup::choose);
    connect(list_, &QListView::activated, this, &ValuePopup::choose);
}

void ValuePopup::popup(int column, const QStringList& values, const QPoint& globalPos, int minimumWidth) {
    column_ = column;
    values_->setStringList(QStringList{allText()} + values);
    list_->setCurrentIndex(values_->index(0));
    const int rows = std::min(12, int(values.size()) + 1);
    const int rowHeight = std::max(1, list_->sizeHintForRow(0));
    resize(std::max(minimumWidth, 160), rows * rowHeight + 8);
    move(globalPos);
    show();
    list_->setFocus();
}

void ValuePopup::choose(const QModelIndex& index) {
    if (!index.isValid())
        return;
    hide();
    if (index.row() == 0)
        emit valueChosen(column_, std::nullopt);
    else
        emit valueChosen(column_, index.data().toString());
}

} // namespace wc::grid

#include "grid/Grid.h"

#include "grid/TableView.h"

#include <QVBoxLayout>

namespace wc::grid {

Grid::Grid(QWidget* parent) : QWidget(parent), layout_(new QVBoxLayout(this)) {
    layout_->setContentsMargins(0, 0, 0, 0);
}

GridLevel* Grid::addLevel() {
    auto* level = new GridLevel(this);
    levels_ << level;
    return level;
}

void Grid::levelViewChanged(GridLevel* level) {
    if (levels_.value(0) != level || !level->view())
        return;
    while (QLayoutItem* item = layout_->takeAt(0)) {
        if (item->widget())
            item->widget()->hide();
        delete item;
    }
    layout_->addWidget(level->view());
    level->view()->show();
    setFocusProxy(level->view());
}

GridLevel::GridLevel(Grid* grid) : QObject(grid), grid_(grid) {}

void GridLevel::setView(TableView* view) {
    view_ = view;
    view->setParent(grid_);
    grid_->levelViewChanged(this);
}

} // namespace wc::grid

#pragma once

#include <QWidget>

class QVBoxLayout;

namespace wc::grid {

class GridLevel;
class TableView;

// The grid control: it shows the view of its first level.
class Grid : public QWidget {
    Q_OBJECT
public:
    explicit Grid(QWidget* parent = nullptr);

    GridLevel* addLevel();
    QList<GridLevel*> levels() const { return levels_; }

private:
    friend class GridLevel;
    void levelViewChanged(GridLevel* level);

    QVBoxLayout* layout_;
    QList<GridLevel*> levels_;
};

// One level of the grid, naming the view that presents it.
class GridLevel : public QObject {
    Q_OBJECT
public:
    explicit GridLevel(Grid* grid);

    // The grid takes `view` into its layout.
    void setView(TableView* view);
    TableView* view() const { return view_; }

private:
    Grid* grid_;
    TableView* view_ = nullptr;
};

} // namespace wc::grid

#pragma once

#include "grid/Style.h"

#include <QWidget>

class QHBoxLayout;

namespace wc::grid {

// The box above the headers: headers dropped here group the rows; each grouping shows as a
// chip that can be dragged back to the headers or closed.
class GroupByBox : public QWidget {
    Q_OBJECT
public:
    explicit GroupByBox(QWidget* parent = nullptr);

    static QString promptText() {
        return QStringLiteral("Drag a column header here to group by that column");
    }

    void setStyles(const TableViewStyleSheet* sheet);
    // The groupings in force, outermost first, each as (column, caption).
    void showGroups(const QList<QPair<int, QString>>& groups);
    bool isPromptShown() const { return chips_.isEmpty(); }
    QSize sizeHint() const override;

signals:
    void groupRequested(int column);
    void ungroupRequested(int column);

protected:
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    ResolvedStyle boxStyle() const;

    const TableViewStyleSheet* sheet_ = nullptr;
    QHBoxLayout* layout_;
    QList<QWidget*> chips_;
};

} // namespace wc::grid

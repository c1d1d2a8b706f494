#pragma once

#include "grid/Style.h"

#include <QWidget>

class QLabel;
class QToolButton;

namespace wc::grid {

// The panel at the bottom that shows the filter in force as text, with a button to clear it.
class FilterBox : public QWidget {
    Q_OBJECT
public:
    explicit FilterBox(QWidget* parent = nullptr);

    void setStyles(const TableViewStyleSheet* sheet);
    // Shows the panel with `description`, or hides it when the description is empty.
    void showFilter(const QString& description);
    QString text() const;
    QToolButton* clearButton() const { return clear_; }

signals:
    void clearRequested();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void applyStyle();

    const TableViewStyleSheet* sheet_ = nullptr;
    QToolButton* clear_;
    QLabel* text_;
};

} // namespace wc::grid

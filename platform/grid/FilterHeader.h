#pragma once

#include "grid/Style.h"

#include <QHeaderView>
#include <vector>

class QLabel;
class QLineEdit;
class QScrollBar;

namespace wc::grid {

// Column headers with a filter row under them: one editor per column, a child of the header,
// kept on its section through resizing, moving and horizontal scrolling. Headers are painted
// here so that the Header style's colours win over the platform style. A click on a header asks
// for sorting, its arrow at the right for the column's values; dragging a header moves the
// column or, dropped on the group-by box, groups by it.
class FilterHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit FilterHeader(QWidget* parent = nullptr);

    static QString promptText() { return QStringLiteral("Click here to define a filter"); }

    void setStyles(const TableViewStyleSheet* sheet);
    void setModel(QAbstractItemModel* model) override;
    // Keeps the editors on their sections while `bar` scrolls the headers.
    void followScrollBar(QScrollBar* bar);

    // Shows `text` in the column's filter cell without signalling an edit.
    void setFilterText(int column, const QString& text);
    QString filterText(int column) const;
    QLineEdit* editor(int column) const { return editors_.at(column); }
    bool isPromptShown() const;
    void focusEditor(int column);

    int captionHeight() const;
    QSize sizeHint() const override;
    // The header's arrow that opens the column's values.
    QRect dropDownRect(int column) const;

signals:
    void filterTextEdited(int column, const QString& text);
    void columnClicked(int column);
    void dropDownRequested(int column, const QPoint& globalPos);
    // A grouping dragged back from the group-by box.
    void columnReturned(int column);

protected:
    void updateGeometries() override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void syncEditors();
    void placeEditors();
    void updatePrompt();
    int editorHeight() const;
    bool onResizeHandle(const QPoint& pos) const;
    bool moveFocusAlong(int column, int step);

    const TableViewStyleSheet* sheet_ = nullptr;
    std::vector<QLineEdit*> editors_;
    QLabel* prompt_;
    int pressedColumn_ = -1;
    QPoint pressPos_;
};

} // namespace wc::grid

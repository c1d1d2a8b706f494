#include "grid/TableView.h"
#include "LogModel.h"
#include "grid/ColumnDrag.h"
#include "grid/FilterBox.h"
#include "grid/FilterHeader.h"
#include "grid/Grid.h"
#include "grid/GridModel.h"
#include "grid/GroupByBox.h"
#include "grid/IndicatorColumn.h"
#include "grid/RowView.h"
#include "grid/ValuePopup.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace wc::grid {
namespace {

// The order log's sheet as the system builds it.
TableViewStyleSheet logStyleSheet() {
    QFont sansBold(QStringLiteral("MS Sans Serif"));
    sansBold.setPixelSize(11);
    sansBold.setBold(true);
    TableViewStyleSheet s;
    s.caption = QStringLiteral("DevExpress");
    s.background = {QColor(255, 251, 240), {}, {}};
    s.content = {QColor(217, 234, 247), Qt::black, {}};
    s.contentEven = {QColor(217, 234, 247), Qt::black, {}};
    s.contentOdd = {QColor(234, 243, 251), Qt::black, {}};
    s.filterBox = {QColor(255, 255, 225), Qt::black, {}};
    s.footer = {QColor(255, 255, 225), QColor(0, 0, 128), sansBold};
    s.group = {QColor(241, 239, 226), {}, {}};
    s.groupByBox = {QColor(254, 213, 71), Qt::black, {}};
    s.header = {QColor(49, 106, 197), Qt::white, sansBold};
    s.inactive = {QColor(164, 196, 235), {}, {}};
    s.incSearch = {QColor(254, 213, 71), Qt::black, {}};
    s.indicator = {QColor(164, 196, 235), {}, {}};
    s.preview = {QColor(255, 255, 225), QColor(0, 0, 128), sansBold};
    s.selection = {QColor(49, 106, 197), Qt::white, {}};
    return s;
}

const QColor kEven(217, 234, 247), kOdd(234, 243, 251), kSelection(49, 106, 197), kInactive(164, 196, 235),
    kHeader(49, 106, 197);

// A window with the grid built the way the order import window builds it, and a memo beside it
// to take the focus away.
class GridWindow : public ::testing::Test {
protected:
    void SetUp() override {
        source = test::makeLogModel(120);
        window.resize(1300, 600);
        auto* layout = new QVBoxLayout(&window);
        grid = new Grid(&window);
        auto* level = grid->addLevel();
        view = new TableView(grid);
        level->setView(view);
        view->setStyles(&sheet);
        test::addLogColumns(*view);
        view->setSourceModel(source.get());
        memo = new QPlainTextEdit(&window);
        memo->setMaximumHeight(40);
        layout->addWidget(grid, 1);
        layout->addWidget(memo);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    GridModel& model() { return *view->gridModel(); }
    RowView& rows() { return *view->rows(); }
    FilterHeader& header() { return *view->filterHeader(); }

    void focusGrid() {
        rows().setFocus();
        QApplication::processEvents();
    }
    void focusPosition(int position) { rows().setCurrentIndex(model().indexAtPosition(position, 0)); }

    QColor cellColour(int position, int column = 0) {
        const QRect cell = rows().visualRect(model().indexAtPosition(position, column));
        const QPoint at = rows().viewport()->mapTo(view, QPoint(cell.left() + 2, cell.center().y()));
        return view->grab().toImage().pixelColor(at);
    }

    TableViewStyleSheet sheet = logStyleSheet();
    std::unique_ptr<QStandardItemModel> source;
    QWidget window;
    Grid* grid = nullptr;
    TableView* view = nullptr;
    QPlainTextEdit* memo = nullptr;
};

TEST_F(GridWindow, showsTheElevenColumnsByNameWithScaledWidths) {
    ASSERT_EQ(model().columnCount(), 11);
    const double scale = view->logicalDpiX() / 96.0;
    for (int c = 0; c < 11; ++c) {
        EXPECT_EQ(model().headerData(c, Qt::Horizontal).toString(), test::kLogFields[c].name);
        EXPECT_EQ(header().sectionSize(c), qRound(test::kLogFields[c].width * scale))
            << test::kLogFields[c].name;
    }
    EXPECT_EQ(model().indexAtPosition(3, 1).data().toString(), "1003");
    EXPECT_EQ(model().indexAtPosition(4, 6).data().toString(), "eroare la import\nlinia 4");
}

TEST_F(GridWindow, filterTypedInTheFilterRowAppliesAtOnce) {
    EXPECT_TRUE(header().isPromptShown());
    EXPECT_TRUE(view->filterBox()->isHidden());
    header().focusEditor(0);
    QTest::keyClicks(header().editor(0), "MAGAZIN%");
    EXPECT_EQ(model().shownRowCount(), 40);
    EXPECT_FALSE(header().isPromptShown());
    EXPECT_FALSE(view->filterBox()->isHidden());
    EXPECT_EQ(view->filterBox()->text(), "nume_site LIKE 'MAGAZIN%'");
    EXPECT_EQ(view->navigator()->infoText(), "1 of 40");

    header().focusEditor(9);
    QTest::keyClicks(header().editor(9), "4");
    EXPECT_EQ(model().shownRowCount(), 1);
    EXPECT_EQ(view->filterBox()->text(), "nume_site LIKE 'MAGAZIN%' AND zel_nr_doc = '4'");

    view->filterBox()->clearButton()->click();
    EXPECT_EQ(model().shownRowCount(), 120);
    EXPECT_TRUE(view->filterBox()->isHidden());
    EXPECT_EQ(header().filterText(0), "");
    focusGrid();
    EXPECT_TRUE(header().isPromptShown());
}

TEST_F(GridWindow, tabInTheFilterRowFollowsTheShownColumnOrder) {
    header().moveSection(header().visualIndex(5), 1); // nr_doc_site now second
    header().editor(0)->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(header().isPromptShown());
    QTest::keyClick(header().editor(0), Qt::Key_Tab);
    EXPECT_TRUE(header().editor(5)->hasFocus());
    QTest::keyClick(header().editor(5), Qt::Key_Tab);
    EXPECT_TRUE(header().editor(1)->hasFocus());
    QTest::keyClick(header().editor(1), Qt::Key_Backtab);
    EXPECT_TRUE(header().editor(5)->hasFocus());
}

TEST_F(GridWindow, filterEditorsFollowResizeMoveAndScroll) {
    auto editorsOnSections = [this] {
        for (int c = 0; c < header().count(); ++c) {
            const QRect g = header().editor(c)->geometry();
            if (g.x() != header().sectionViewportPosition(c) || g.width() != header().sectionSize(c) ||
                g.top() < header().captionHeight())
                return false;
        }
        return true;
    };
    EXPECT_TRUE(editorsOnSections());
    header().resizeSection(0, 200);
    EXPECT_TRUE(editorsOnSections());
    EXPECT_EQ(header().editor(1)->x(), header().sectionViewportPosition(0) + 200);
    header().moveSection(header().visualIndex(10), 0);
    EXPECT_TRUE(editorsOnSections());
    EXPECT_EQ(header().editor(10)->x(), 0);

    window.resize(500, 600);
    QApplication::processEvents();
    ASSERT_GT(rows().horizontalScrollBar()->maximum(), 0);
    rows().horizontalScrollBar()->setValue(150);
    EXPECT_EQ(header().offset(), 150);
    EXPECT_TRUE(editorsOnSections());
    EXPECT_EQ(header().editor(10)->x(), -150);
}

TEST_F(GridWindow, headerClickSortsThenReversesWithoutTouchingTheSource) {
    const QStringList before = test::snapshot(*source);
    const QPoint onCaption(header().sectionViewportPosition(1) + 10, header().captionHeight() / 2);
    QTest::mouseClick(header().viewport(), Qt::LeftButton, {}, onCaption);
    EXPECT_EQ(model().indexAtPosition(0, 1).data().toString(), "1000");
    QTest::mouseClick(header().viewport(), Qt::LeftButton, {}, onCaption);
    EXPECT_EQ(model().indexAtPosition(0, 1).data().toString(), "1119");
    EXPECT_EQ(header().sortIndicatorSection(), 1);
    EXPECT_EQ(header().sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(test::snapshot(*source), before);
}

TEST_F(GridWindow, focusFollowsTheSourceCurrentRowBothWays) {
    QSignalSpy moved(view, &TableView::focusedSourceRowChanged);
    focusPosition(3);
    ASSERT_EQ(moved.count(), 1);
    EXPECT_EQ(moved.takeFirst().at(0).toInt(), 3);

    // Sorting keeps the focused record and says nothing.
    view->sortByColumn(1, Qt::DescendingOrder);
    EXPECT_EQ(view->focusedSourceRow(), 3);
    EXPECT_EQ(view->navigator()->infoText(), "117 of 120");
    EXPECT_EQ(moved.count(), 0);
    focusPosition(0);
    ASSERT_EQ(moved.count(), 1);
    EXPECT_EQ(moved.takeFirst().at(0).toInt(), 119);

    // A filter that hides the focused record moves the focus to the first row shown.
    view->setColumnFilter(0, "emag-ro");
    ASSERT_EQ(moved.count(), 1);
    EXPECT_EQ(moved.takeFirst().at(0).toInt(), 117);

    // The source moving its current row moves the focus, without an echo.
    view->setFocusedSourceRow(3);
    EXPECT_EQ(view->focusedSourceRow(), 3);
    EXPECT_EQ(moved.count(), 0);
    // A row the filter hides leaves the grid without a focused row.
    view->setFocusedSourceRow(5);
    EXPECT_EQ(view->focusedSourceRow(), -1);
    EXPECT_EQ(view->navigator()->infoText(), "0 of 40");
    view->clearFilter();
    EXPECT_EQ(view->focusedSourceRow(), 5);
    EXPECT_EQ(moved.count(), 0);

    // A re-read of the source keeps the focus where it was and announces nothing.
    source->setData(source->index(5, 9), "changed");
    EXPECT_EQ(view->focusedSourceRow(), 5);
    EXPECT_EQ(moved.count(), 0);
}

TEST_F(GridWindow, navigatorMovesTheFocusAndShowsItsPosition) {
    ASSERT_EQ(view->navigator()->infoText(), "1 of 120");
    focusPosition(4);
    EXPECT_EQ(view->navigator()->infoText(), "5 of 120");
    view->navigator()->button(NavigatorButton::Next)->click();
    EXPECT_EQ(view->navigator()->infoText(), "6 of 120");
    view->navigator()->button(NavigatorButton::Last)->click();
    EXPECT_EQ(view->navigator()->infoText(), "120 of 120");
    view->navigator()->button(NavigatorButton::SaveBookmark)->click();
    view->navigator()->button(NavigatorButton::First)->click();
    EXPECT_EQ(view->navigator()->infoText(), "1 of 120");
    view->navigator()->button(NavigatorButton::GotoBookmark)->click();
    EXPECT_EQ(view->focusedSourceRow(), 119);

    QSignalSpy refresh(view, &TableView::refreshRequested);
    view->navigator()->button(NavigatorButton::Refresh)->click();
    EXPECT_EQ(refresh.count(), 1);
    for (auto which : {NavigatorButton::Insert, NavigatorButton::Delete, NavigatorButton::Edit,
                       NavigatorButton::Post, NavigatorButton::Cancel})
        EXPECT_FALSE(view->navigator()->button(which)->isEnabled());
}

TEST_F(GridWindow, enterMovesToTheNextCellInShownOrder) {
    focusGrid();
    header().moveSection(header().visualIndex(4), 1);
    rows().setCurrentIndex(model().indexAtPosition(0, 0));
    QTest::keyClick(rows().viewport(), Qt::Key_Return);
    EXPECT_EQ(rows().currentIndex().column(), 4);
    QTest::keyClick(rows().viewport(), Qt::Key_Enter);
    EXPECT_EQ(rows().currentIndex().column(), 1);
    rows().setCurrentIndex(model().indexAtPosition(0, header().logicalIndex(10)));
    QTest::keyClick(rows().viewport(), Qt::Key_Return);
    EXPECT_EQ(model().positionOf(rows().currentIndex()), 1);
    EXPECT_EQ(rows().currentIndex().column(), 0);
}

TEST_F(GridWindow, rowsAlternateFromTheTopAndRestartAfterAFilter) {
    focusPosition(10);
    EXPECT_EQ(cellColour(0), kEven);
    EXPECT_EQ(cellColour(1), kOdd);
    EXPECT_EQ(cellColour(2), kEven);
    EXPECT_EQ(cellColour(1, 6), kOdd); // a multi-line cell too

    view->setColumnFilter(0, "magazin bun"); // hides the first row
    view->setFocusedSourceRow(28);           // away from the rows looked at
    EXPECT_EQ(model().sourceRowAt(0), 1);
    EXPECT_EQ(cellColour(0), kEven);
    EXPECT_EQ(cellColour(1), kOdd);
}

TEST_F(GridWindow, focusedRowTakesSelectionWithFocusAndInactiveWithout) {
    focusGrid();
    focusPosition(2);
    EXPECT_EQ(cellColour(2), kSelection);
    EXPECT_EQ(cellColour(2, 5), kSelection);
    const QRect cell = rows().visualRect(model().indexAtPosition(2, 1));
    const QImage image = view->grab().toImage();
    bool whiteText = false;
    for (int x = cell.left(); x < cell.right(); ++x)
        for (int y = cell.top(); y < cell.bottom(); ++y)
            whiteText |= image.pixelColor(rows().viewport()->mapTo(view, QPoint(x, y))) == Qt::white;
    EXPECT_TRUE(whiteText);

    memo->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(cellColour(2), kInactive);
    EXPECT_EQ(cellColour(3), kOdd);

    // The indicator marks the focused row.
    const QRect band = view->indicator()->focusedRowRect();
    const QPoint rowTop =
        rows().viewport()->mapTo(view, rows().visualRect(model().indexAtPosition(2, 0)).topLeft());
    EXPECT_EQ(view->indicator()->mapTo(view, band.topLeft()).y(), rowTop.y());
}

TEST_F(GridWindow, headersArePaintedWhiteOnBlue) {
    const QImage image = view->grab().toImage();
    for (int c : {0, 6, 10}) {
        const QPoint left =
            header().viewport()->mapTo(view, QPoint(header().sectionViewportPosition(c) + 2, 4));
        EXPECT_EQ(image.pixelColor(left), kHeader) << c;
        bool white = false;
        for (int x = 0; x < header().sectionSize(c) / 2; ++x)
            for (int y = 0; y < header().captionHeight(); ++y)
                white |= image.pixelColor(left + QPoint(x, y - 4)) == Qt::white;
        EXPECT_TRUE(white) << c;
    }
}

TEST_F(GridWindow, showsNoDataTextAndBackgroundWhenNoRowIsShown) {
    view->setColumnFilter(0, "none such");
    QApplication::processEvents();
    EXPECT_EQ(model().rowCount(), 0);
    EXPECT_EQ(view->navigator()->infoText(), "0 of 0");
    const QImage image = rows().viewport()->grab().toImage();
    EXPECT_EQ(image.pixelColor(image.width() - 5, image.height() - 5), QColor(255, 251, 240));
    // The text is drawn: some pixel in the top band is dark.
    bool dark = false;
    for (int x = image.width() / 2 - 60; x < image.width() / 2 + 60; ++x)
        for (int y = 0; y < 40; ++y)
            dark |= image.pixelColor(x, y).lightness() < 100;
    EXPECT_TRUE(dark);
}

TEST_F(GridWindow, groupingShowsGroupRowsAndCanBeUndone) {
    const QStringList before = test::snapshot(*source);
    EXPECT_TRUE(view->groupByBox()->isPromptShown());
    view->groupByColumn(0);
    EXPECT_FALSE(view->groupByBox()->isPromptShown());
    ASSERT_EQ(model().rowCount(), 3);
    EXPECT_EQ(model().index(0, 0).data().toString(), "nume_site : emag-ro (40)");
    EXPECT_FALSE(rows().isExpanded(model().index(0, 0)));
    // Clicking a group row opens it; its first data row then shows.
    const QRect groupRow = rows().visualRect(model().index(1, 0));
    QTest::mouseClick(rows().viewport(), Qt::LeftButton, {}, groupRow.center());
    EXPECT_TRUE(rows().isExpanded(model().index(1, 0)));
    EXPECT_EQ(model().rowCount(model().index(1, 0)), 40);
    EXPECT_EQ(view->navigator()->infoText(), "0 of 120");

    // Opened groups stay open while the filter changes.
    view->setColumnFilter(9, "1%");
    EXPECT_TRUE(rows().isExpanded(model().index(1, 0)));

    view->ungroupColumn(0);
    EXPECT_TRUE(view->groupByBox()->isPromptShown());
    EXPECT_FALSE(model().isGroupRow(model().index(0, 0)));
    EXPECT_EQ(test::snapshot(*source), before);
}

// Drops a dragged column on `target` at `pos` (a real drag would run its own event loop).
bool dropColumn(QWidget* target, const QPoint& pos, ColumnDrag drag) {
    std::unique_ptr<QMimeData> mime(columnMimeData(drag));
    QDragEnterEvent enter(pos, Qt::MoveAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(pos, Qt::MoveAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

TEST_F(GridWindow, headersDraggedToTheGroupByBoxGroupAndBackUngroup) {
    const QPoint inBox = view->groupByBox()->rect().center();
    EXPECT_FALSE(dropColumn(view->groupByBox(), inBox, {DragOrigin::GroupByBox, 0}));
    ASSERT_TRUE(dropColumn(view->groupByBox(), inBox, {DragOrigin::Header, 0}));
    ASSERT_TRUE(dropColumn(view->groupByBox(), inBox, {DragOrigin::Header, 8}));
    EXPECT_EQ(model().groupColumns(), (QList<int>{0, 8}));
    EXPECT_EQ(model().index(0, 0).data().toString(), "nume_site : emag-ro (40)");

    const QPoint onHeaders(10, header().captionHeight() / 2);
    ASSERT_TRUE(dropColumn(header().viewport(), onHeaders, {DragOrigin::GroupByBox, 0}));
    EXPECT_EQ(model().groupColumns(), QList<int>{8});
    // Header order is untouched by grouping drops.
    EXPECT_EQ(header().logicalIndex(0), 0);
}

TEST_F(GridWindow, headerDroppedOnAnotherHeaderMovesItsColumn) {
    const int x = header().sectionViewportPosition(3) + 5;
    ASSERT_TRUE(dropColumn(header().viewport(), QPoint(x, 5), {DragOrigin::Header, 9}));
    EXPECT_EQ(header().visualIndex(9), 3);
    EXPECT_EQ(header().editor(9)->x(), header().sectionViewportPosition(9));
}

TEST_F(GridWindow, layoutChoicesLastAcrossHidingAndRereading) {
    header().resizeSection(2, 222);
    header().moveSection(header().visualIndex(7), 0);
    view->sortByColumn(1, Qt::DescendingOrder);
    view->setColumnFilter(0, "emag%");
    view->groupByColumn(8);
    window.hide();
    QApplication::processEvents();
    window.show();
    // A re-read resets the source model.
    source->setRowCount(90);
    QApplication::processEvents();
    EXPECT_EQ(header().sectionSize(2), 222);
    EXPECT_EQ(header().logicalIndex(0), 7);
    EXPECT_EQ(model().sortColumn(), 1);
    EXPECT_EQ(header().filterText(0), "emag%");
    EXPECT_EQ(model().shownRowCount(), 30);
    EXPECT_EQ(model().groupColumns(), QList<int>{8});
}

TEST_F(GridWindow, headerDropDownFiltersByAPickedValue) {
    const QRect arrow = header().dropDownRect(0);
    QTest::mouseClick(header().viewport(), Qt::LeftButton, {}, arrow.center());
    ASSERT_TRUE(view->valuePopup()->isVisible());
    // "(All)", then the three shops in order.
    QListView* list = view->valuePopup()->list();
    auto pick = [list](int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(row, 0)).center());
    };
    ASSERT_EQ(list->model()->rowCount(), 4);
    pick(2);
    EXPECT_FALSE(view->valuePopup()->isVisible());
    EXPECT_EQ(model().shownRowCount(), 40);
    EXPECT_EQ(header().filterText(0), "Magazin Bun");
    QTest::mouseClick(header().viewport(), Qt::LeftButton, {}, arrow.center());
    pick(0);
    EXPECT_EQ(model().shownRowCount(), 120);
}

} // namespace
} // namespace wc::grid

#include "ImportFixture.h"
#include "grid/GridModel.h"
#include "grid/FilterHeader.h"
#include "grid/RowView.h"

#include <QApplication>

using namespace wc::test;

namespace {

// The order log grid inside the import window, with the data module's style sheet.
class OrderLogGrid : public ImportFixture {
protected:
    void SetUp() override {
        ImportFixture::SetUp();
        seedOrders();
        window().show();
        QApplication::setActiveWindow(&window());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
        search();
    }
    wc::grid::TableView& view() { return *window().cxGrid1DBTableView1; }
    wc::grid::GridModel& shown() { return *view().gridModel(); }
    void focusShownRow(int position) { view().rows()->setCurrentIndex(shown().indexAtPosition(position, 0)); }
    QColor pixelAt(QWidget* widget, QPoint at) {
        return window().grab().toImage().pixelColor(widget->mapTo(&window(), at));
    }
    QColor rowColour(int position) {
        const QRect cell = view().rows()->visualRect(shown().indexAtPosition(position, 0));
        return pixelAt(view().rows()->viewport(), QPoint(cell.left() + 2, cell.center().y()));
    }
};

TEST_F(OrderLogGrid, sortedGridImportsTheFocusedOrderAndFocusesItAgain) {
    database.exec(kRefuses);
    view().sortByColumn(1, Qt::DescendingOrder); // id_doc_site: shop-b's order comes first
    focusShownRow(0);
    EXPECT_EQ(window().dsLogCartovianr_doc_site.asString(), "B-1");
    importCurrent();
    EXPECT_EQ(database.scalar("select nume_site || id_doc_site from log_cartovia where err_la_import is not null"),
              "shop-b9000000000");
    EXPECT_EQ(window().dsLogCartovianr_doc_site.asString(), "B-1");
    EXPECT_EQ(view().focusedSourceRow(), window().dsLogCartovia.recNo());
    EXPECT_EQ(shown().sourceRowAt(0), window().dsLogCartovia.recNo());
}

TEST_F(OrderLogGrid, filterAndSortLeaveTheQueryUntouched) {
    view().setColumnFilter(0, QStringLiteral("SHOP-A"));
    view().sortByColumn(5, Qt::DescendingOrder);
    EXPECT_EQ(shown().rowCount(), 2);
    EXPECT_EQ(window().dsLogCartovia.recordCount(), 3);
    window().dsLogCartovia.first();
    EXPECT_EQ(window().dsLogCartovianr_doc_site.asString(), "A-1");
}

TEST_F(OrderLogGrid, reReadThatMovesTheCurrentOrderMovesTheFocus) {
    focusShownRow(1);
    database.exec("delete from log_cartovia where id_doc_site = 2");
    search();
    EXPECT_EQ(window().dsLogCartovia.recNo(), 0);
    EXPECT_EQ(view().focusedSourceRow(), 0);
}

TEST_F(OrderLogGrid, paintsWithTheDataModuleStyleSheet) {
    view().rows()->setFocus();
    focusShownRow(2);
    QApplication::processEvents();
    EXPECT_EQ(rowColour(0), QColor(217, 234, 247));
    EXPECT_EQ(rowColour(1), QColor(234, 243, 251));
    EXPECT_EQ(rowColour(2), QColor(49, 106, 197));
    window().Memo1->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(rowColour(2), QColor(164, 196, 235));
    QHeaderView* header = view().filterHeader();
    EXPECT_EQ(pixelAt(header, QPoint(header->sectionViewportPosition(0) + 2, 2)), QColor(49, 106, 197));
}

} // namespace

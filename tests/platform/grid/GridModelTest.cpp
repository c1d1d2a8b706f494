#include "grid/GridModel.h"
#include "LogModel.h"

#include <QAbstractItemModelTester>
#include <QDateTime>
#include <QLocale>
#include <gtest/gtest.h>

namespace wc::grid {
namespace {

using test::makeTextModel;

// Counts what QAbstractItemModelTester reports (it reports through Qt's messages) while alive.
class ModelTesterReports {
public:
    ModelTesterReports() { previous_ = qInstallMessageHandler(&ModelTesterReports::handle); }
    ~ModelTesterReports() { qInstallMessageHandler(previous_); }
    int count() const { return count_; }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (QByteArrayView(context.category) == "qt.modeltest" && type != QtDebugMsg) {
            ++count_;
            ADD_FAILURE() << message.toStdString();
        }
    }
    static inline int count_ = 0;
    static inline QtMessageHandler previous_ = nullptr;
};

QStringList shownColumn(const GridModel& model, int column) {
    QStringList values;
    for (int p = 0; p < model.shownRowCount(); ++p)
        values << model.indexAtPosition(p, column).data().toString();
    return values;
}

class GridModelText : public ::testing::Test {
protected:
    void SetUp() override {
        source = makeTextModel({"nume_site", "nr_doc_site", "err_la_import"}, {{"emag", "AB12", "x"},
                                                                               {"shop", "ab-7", ""},
                                                                               {"emag", "ab", "X"},
                                                                               {"Emag", "Ab", "x"},
                                                                               {"shop", "AB", "y"},
                                                                               {"emag", "xab", ""},
                                                                               {"emag", "a.b", "x"},
                                                                               {"shop", "a[b", "x"}});
        model.setSourceModel(source.get());
        model.addColumn({"nume_site", 73, ColumnKind::Text});
        model.addColumn({"nr_doc_site", 82, ColumnKind::MultiLineText});
        model.addColumn({"err_la_import", 142, ColumnKind::MultiLineText});
    }

    std::unique_ptr<QStandardItemModel> source;
    GridModel model;
};

TEST_F(GridModelText, filterRowConditionsKeepTheMatchingRows) {
    struct Case {
        const char* filter;
        QStringList kept;
    };
    const Case cases[] = {
        {"ab%", {"AB12", "ab-7", "ab", "Ab", "AB"}},
        {"ab", {"ab", "Ab", "AB"}},
        {"a_", {"ab", "Ab", "AB"}},
        {"_b%", {"AB12", "ab-7", "ab", "Ab", "AB"}},
        {"a.b", {"a.b"}},
        {"a[b", {"a[b"}},
        {"a_b", {"a.b", "a[b"}},
        {"nothing", {}},
        {"", {"AB12", "ab-7", "ab", "Ab", "AB", "xab", "a.b", "a[b"}},
    };
    for (const Case& c : cases) {
        model.setFilter(1, FilterCondition::fromText(c.filter));
        EXPECT_EQ(shownColumn(model, 1), c.kept) << "filter " << c.filter;
    }
}

TEST_F(GridModelText, conditionsOfAllColumnsHoldTogether) {
    model.setFilter(0, FilterCondition::fromText("EMAG"));
    model.setFilter(2, FilterCondition::fromText("x"));
    EXPECT_EQ(shownColumn(model, 1), (QStringList{"AB12", "ab", "Ab", "a.b"}));
    EXPECT_EQ(model.filterDescription(), "nume_site = 'EMAG' AND err_la_import = 'x'");
    model.clearFilters();
    EXPECT_EQ(model.shownRowCount(), 8);
    EXPECT_FALSE(model.hasFilter());
}

TEST_F(GridModelText, sortsByHeaderAndReturnsToSourceOrder) {
    model.sort(0, Qt::AscendingOrder);
    // Case is ignored and equal values keep the source's order.
    EXPECT_EQ(shownColumn(model, 1), (QStringList{"AB12", "ab", "Ab", "xab", "a.b", "ab-7", "AB", "a[b"}));
    model.sort(0, Qt::DescendingOrder);
    EXPECT_EQ(shownColumn(model, 1), (QStringList{"ab-7", "AB", "a[b", "AB12", "ab", "Ab", "xab", "a.b"}));
    model.sort(-1);
    EXPECT_EQ(shownColumn(model, 1), (QStringList{"AB12", "ab-7", "ab", "Ab", "AB", "xab", "a.b", "a[b"}));
}

TEST_F(GridModelText, filteringSortingAndGroupingLeaveTheSourceUntouched) {
    const QStringList before = test::snapshot(*source);
    ModelTesterReports reports;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
    model.setFilter(1, FilterCondition::fromText("a%"));
    model.sort(1, Qt::DescendingOrder);
    model.setGroupColumns({0, 2});
    model.setGroupColumns({2});
    model.setFilter(1, {});
    model.setGroupColumns({});
    model.sort(-1);
    EXPECT_EQ(test::snapshot(*source), before);
    EXPECT_EQ(source->rowCount(), 8);
}

TEST_F(GridModelText, rebuildsFromTheSourceWhenItChanges) {
    ModelTesterReports reports;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
    model.setFilter(1, FilterCondition::fromText("zz%"));
    EXPECT_EQ(model.shownRowCount(), 0);
    source->setData(source->index(5, 1), "ZZ top");
    EXPECT_EQ(shownColumn(model, 1), QStringList{"ZZ top"});
    source->insertRow(0);
    source->setData(source->index(0, 1), "zz0");
    EXPECT_EQ(shownColumn(model, 1), (QStringList{"zz0", "ZZ top"}));
    EXPECT_EQ(model.sourceRowAt(1), 6);
    source->removeRows(0, 3);
    EXPECT_EQ(shownColumn(model, 1), QStringList{"ZZ top"});
}

TEST_F(GridModelText, groupsRowsUnderExpandableGroupRows) {
    model.sort(1, Qt::AscendingOrder);
    model.setGroupColumns({0});
    ASSERT_EQ(model.rowCount(), 2);
    const QModelIndex emag = model.index(0, 0);
    const QModelIndex shop = model.index(1, 0);
    EXPECT_TRUE(model.isGroupRow(emag));
    EXPECT_EQ(emag.data().toString(), "nume_site : emag (5)");
    EXPECT_EQ(shop.data().toString(), "nume_site : shop (3)");
    ASSERT_EQ(model.rowCount(emag), 5);
    // Inside a group the sort holds; positions count the data rows from the top.
    QStringList emagRows;
    for (int r = 0; r < 5; ++r)
        emagRows << model.index(r, 1, emag).data().toString();
    EXPECT_EQ(emagRows, (QStringList{"a.b", "ab", "Ab", "AB12", "xab"}));
    const QModelIndex firstShop = model.index(0, 1, shop);
    EXPECT_EQ(firstShop.data(GridModel::PositionRole).toInt(), 5);
    EXPECT_EQ(model.indexAtPosition(5, 1), firstShop);
    EXPECT_EQ(model.positionOf(firstShop), 5);
    EXPECT_EQ(model.positionOfSourceRow(firstShop.data(GridModel::SourceRowRole).toInt()), 5);
}

TEST_F(GridModelText, groupsOnTwoLevels) {
    ModelTesterReports reports;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
    model.setGroupColumns({0, 2});
    const QModelIndex emag = model.index(0, 0);
    ASSERT_EQ(model.rowCount(emag), 2); // "" and "x"
    const QModelIndex emagX = model.index(1, 0, emag);
    EXPECT_EQ(emagX.data().toString(), "err_la_import : x (4)");
    EXPECT_EQ(model.rowCount(emagX), 4);
    EXPECT_FALSE(model.isGroupRow(model.index(0, 0, emagX)));
}

TEST_F(GridModelText, offersDistinctValuesInSortOrder) {
    EXPECT_EQ(model.distinctValues(0), (QStringList{"emag", "shop"}));
    EXPECT_EQ(model.distinctValues(2), (QStringList{"x", "y"}));
}

TEST(GridModelTyped, sortsNumbersAndDatesByValueAndFiltersByShownText) {
    auto source = std::make_unique<QStandardItemModel>(4, 2);
    source->setHorizontalHeaderLabels({"id_doc_site", "zel_data_doc"});
    const QList<qlonglong> ids{10, 9, 100, 2};
    const QList<QVariant> dates{QDate(2024, 1, 2), QDate(2023, 12, 31), QVariant(), QDate(2024, 11, 5)};
    for (int r = 0; r < 4; ++r) {
        source->setData(source->index(r, 0), ids[r]);
        source->setData(source->index(r, 1), dates[r]);
    }
    GridModel model;
    model.setSourceModel(source.get());
    model.addColumn({"id_doc_site", 86, ColumnKind::Number});
    model.addColumn({"zel_data_doc", 90, ColumnKind::Date});

    model.sort(0);
    EXPECT_EQ(shownColumn(model, 0), (QStringList{"2", "9", "10", "100"}));
    model.sort(1);
    const QLocale locale;
    EXPECT_EQ(shownColumn(model, 1),
              (QStringList{"", locale.toString(QDate(2023, 12, 31), QLocale::ShortFormat),
                           locale.toString(QDate(2024, 1, 2), QLocale::ShortFormat),
                           locale.toString(QDate(2024, 11, 5), QLocale::ShortFormat)}));

    model.setFilter(0, FilterCondition::fromText("10"));
    EXPECT_EQ(shownColumn(model, 0), QStringList{"10"});
    model.setFilter(0, FilterCondition::fromText("1%"));
    EXPECT_EQ(shownColumn(model, 0), (QStringList{"100", "10"})); // still sorted by date, NULL first
    model.setFilter(0, {});
    model.setFilter(1, FilterCondition::fromText(locale.toString(QDate(2024, 11, 5), QLocale::ShortFormat)));
    EXPECT_EQ(shownColumn(model, 0), QStringList{"2"});
}

TEST(GridModelBinding, bindsColumnsByFieldNameAndShowsMissingOnesEmpty) {
    auto source = makeTextModel({"b", "a"}, {{"b0", "a0"}});
    GridModel model;
    model.addColumn({"a", 10, ColumnKind::Text});
    model.addColumn({"missing", 10, ColumnKind::Text});
    model.addColumn({"b", 10, ColumnKind::Text});
    model.setSourceModel(source.get());
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "a");
    EXPECT_EQ(shownColumn(model, 0), QStringList{"a0"});
    EXPECT_EQ(shownColumn(model, 1), QStringList{""});
    EXPECT_EQ(shownColumn(model, 2), QStringList{"b0"});
}

TEST(GridModelBinding, formatsValuesByKind) {
    const QLocale locale;
    const QDateTime at(QDate(2024, 3, 1), QTime(8, 30));
    EXPECT_EQ(cellText(QVariant(qlonglong(1234567890123)), ColumnKind::Number), "1234567890123");
    EXPECT_EQ(cellText(at, ColumnKind::DateTime), locale.toString(at, QLocale::ShortFormat));
    EXPECT_EQ(cellText(at.date(), ColumnKind::Date), locale.toString(at.date(), QLocale::ShortFormat));
    EXPECT_EQ(cellText(QVariant(), ColumnKind::Date), "");
    EXPECT_EQ(cellText(QString("two\nlines"), ColumnKind::MultiLineText), "two\nlines");
}

} // namespace
} // namespace wc::grid

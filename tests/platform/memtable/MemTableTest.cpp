#include "LoginTable.h"

#include "core/Failure.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace wc::mem {
namespace {

using test::loginTable;
using test::loginTableWithRow;

TEST(MemTable, opensEmptyWithNoCurrentRow) {
    auto table = loginTable();
    EXPECT_FALSE(table->isOpen());
    table->open();
    EXPECT_TRUE(table->isOpen());
    EXPECT_EQ(table->state(), TableState::Browse);
    EXPECT_EQ(table->rowCount(), 0);
    EXPECT_EQ(table->currentRow(), -1);
    EXPECT_EQ(table->value(QStringLiteral("company")), std::nullopt);
}

TEST(MemTable, editOnEmptyTableStartsInsertingItsFirstRow) {
    auto table = loginTable();
    table->open();
    table->edit();
    EXPECT_EQ(table->state(), TableState::Insert);
    table->setValue(QStringLiteral("company"), QStringLiteral("Alfa"));
    EXPECT_EQ(table->rowCount(), 0) << "an insert is stored only when posted";
    table->post();
    EXPECT_EQ(table->state(), TableState::Browse);
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_EQ(table->currentRow(), 0);
    EXPECT_EQ(table->storedValue(0, 0), QStringLiteral("Alfa"));
    EXPECT_EQ(table->storedValue(0, 1), std::nullopt) << "an untouched field stays null";
}

TEST(MemTable, editChangesTheRowOnlyWhenPosted) {
    auto table = loginTableWithRow(QStringLiteral("Alfa"), QStringLiteral("ion"));
    table->edit();
    EXPECT_EQ(table->state(), TableState::Edit);
    table->setValue(QStringLiteral("COMPANY"), QStringLiteral("Beta"));
    EXPECT_EQ(table->value(0), QStringLiteral("Beta"));
    EXPECT_EQ(table->storedValue(0, 0), QStringLiteral("Alfa"));
    table->finishPendingEdit();
    EXPECT_EQ(table->state(), TableState::Browse);
    EXPECT_EQ(table->rowCount(), 1);
    EXPECT_EQ(table->storedValue(0, 0), QStringLiteral("Beta"));
}

TEST(MemTable, cancelRestoresTheStoredRecord) {
    auto table = loginTableWithRow(QStringLiteral("Alfa"), QStringLiteral("ion"));
    QSignalSpy rowSpy(table.get(), &MemTable::currentRowChanged);
    table->edit();
    table->setValue(0, QStringLiteral("Beta"));
    table->cancel();
    EXPECT_EQ(table->state(), TableState::Browse);
    EXPECT_EQ(table->value(0), QStringLiteral("Alfa"));
    EXPECT_EQ(rowSpy.count(), 1) << "bound boxes must re-read the restored values";

    table->append();
    EXPECT_EQ(table->currentRow(), 1);
    table->cancel();
    EXPECT_EQ(table->rowCount(), 1);
    EXPECT_EQ(table->currentRow(), 0) << "cancelling an insert goes back to the row shown before";
}

TEST(MemTable, appendPostsAPendingEditFirst) {
    auto table = loginTableWithRow(QStringLiteral("Alfa"), std::nullopt);
    table->edit();
    table->setValue(0, QStringLiteral("Beta"));
    table->append();
    EXPECT_EQ(table->storedValue(0, 0), QStringLiteral("Beta"));
    EXPECT_EQ(table->state(), TableState::Insert);
    EXPECT_EQ(table->value(0), std::nullopt) << "a new row starts with nulls";
}

TEST(MemTable, closeDiscardsRowsAndPendingEdit) {
    auto table = loginTableWithRow(QStringLiteral("Alfa"), QStringLiteral("ion"));
    table->edit();
    table->close();
    EXPECT_EQ(table->state(), TableState::Inactive);
    EXPECT_EQ(table->rowCount(), 0);
    EXPECT_EQ(table->currentRow(), -1);
    table->open();
    EXPECT_EQ(table->rowCount(), 0);
}

TEST(MemTable, refusesChangesOutsideTheirState) {
    auto closed = loginTable();
    EXPECT_THROW(closed->edit(), Failure);
    EXPECT_THROW(closed->append(), Failure);

    auto browsing = loginTableWithRow(QStringLiteral("Alfa"), std::nullopt);
    EXPECT_THROW(browsing->setValue(0, QStringLiteral("x")), Failure);
    EXPECT_THROW(browsing->post(), Failure);
    EXPECT_THROW(browsing->fieldIndex(QStringLiteral("password")), Failure);
    EXPECT_EQ(browsing->storedValue(0, 0), QStringLiteral("Alfa"));
}

TEST(MemTable, signalsOpenMoveAndFieldChanges) {
    auto table = loginTable();
    QSignalSpy rowSpy(table.get(), &MemTable::currentRowChanged);
    QSignalSpy dataSpy(table.get(), &MemTable::dataChanged);
    QSignalSpy stateSpy(table.get(), &MemTable::stateChanged);

    table->open();
    EXPECT_EQ(rowSpy.count(), 1) << "opening, even an empty table, refreshes bound boxes";
    table->append();
    EXPECT_EQ(rowSpy.count(), 2);
    table->setValue(1, QStringLiteral("ion"));
    table->setValue(1, QStringLiteral("ion"));
    ASSERT_EQ(dataSpy.count(), 1) << "storing the same value again changes nothing";
    EXPECT_EQ(dataSpy.at(0).at(0).toInt(), 1);
    table->post();
    table->close();
    EXPECT_EQ(rowSpy.count(), 3);

    QList<TableState> states;
    for (const QList<QVariant>& args : stateSpy)
        states.append(args.at(0).value<TableState>());
    EXPECT_EQ(states, (QList<TableState>{TableState::Browse, TableState::Insert, TableState::Browse,
                                         TableState::Inactive}));
}

struct CutCase {
    const char* name;
    QString typed;
    QString stored;
};

class CutsToFieldSize : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutsToFieldSize, keepsTheFirstCharacters) {
    auto table = loginTable();
    table->open();
    table->append();
    table->setValue(0, GetParam().typed);
    table->post();
    EXPECT_EQ(table->storedValue(0, 0), GetParam().stored);
}

const QString k199 = QString(199, QLatin1Char('a'));
const QString kEmoji = QStringLiteral("\U0001F600");

INSTANTIATE_TEST_SUITE_P(
    MemTable, CutsToFieldSize,
    ::testing::Values(CutCase{"exactlyTheSize", k199 + QLatin1Char('b'), k199 + QLatin1Char('b')},
                      CutCase{"longerThanTheSize", k199 + QStringLiteral("bcd"), k199 + QLatin1Char('b')},
                      CutCase{"romanianLetters", QString(250, QChar(0x0219)), QString(200, QChar(0x0219))},
                      // A character outside the BMP whose second half would be the 201st unit is
                      // dropped whole rather than stored as a broken half.
                      CutCase{"surrogatePairAcrossTheLimit", k199 + kEmoji, k199},
                      CutCase{"surrogatePairInside",
                              QString(198, QLatin1Char('a')) + kEmoji + QLatin1Char('z'),
                              QString(198, QLatin1Char('a')) + kEmoji}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace wc::mem

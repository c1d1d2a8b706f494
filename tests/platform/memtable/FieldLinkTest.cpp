#include "LoginTable.h"

#include "memtable/FieldLink.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace wc::mem {
namespace {

using test::loginTable;
using test::loginTableWithRow;

QStringList shownTexts(const QSignalSpy& spy) {
    QStringList texts;
    for (const QList<QVariant>& args : spy)
        texts.append(args.at(0).toString());
    return texts;
}

TEST(FieldLink, showsTheFirstRowWhenTheTableOpensAndEmptyWhenItCloses) {
    auto table = loginTable();
    FieldLink company(*table, QStringLiteral("company"));
    FieldLink username(*table, QStringLiteral("username"));
    QSignalSpy companySpy(&company, &FieldLink::textChanged);
    QSignalSpy usernameSpy(&username, &FieldLink::textChanged);

    table->open();
    table->append();
    table->setValue(0, QStringLiteral("Alfa"));
    table->post();
    table->close();
    EXPECT_EQ(shownTexts(companySpy), (QStringList{"", "", "Alfa", ""}));
    EXPECT_EQ(shownTexts(usernameSpy), (QStringList{"", "", ""})) << "a null value shows as empty";
}

TEST(FieldLink, typingIntoAnEmptyTableStartsItsRow) {
    auto table = loginTable();
    table->open();
    FieldLink company(*table, QStringLiteral("company"));
    QSignalSpy spy(&company, &FieldLink::textChanged);

    EXPECT_TRUE(company.writeText(QStringLiteral("A")));
    EXPECT_TRUE(company.writeText(QStringLiteral("Al")));
    EXPECT_EQ(table->state(), TableState::Insert);
    EXPECT_EQ(spy.count(), 0) << "the box that is typed into is never reset";
    table->finishPendingEdit();
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_EQ(table->storedValue(0, 0), QStringLiteral("Al"));
    EXPECT_EQ(table->storedValue(0, 1), std::nullopt);
}

TEST(FieldLink, typingIntoATableWithARowEditsThatRow) {
    auto table = loginTableWithRow(QStringLiteral("Alfa"), QStringLiteral("ion"));
    FieldLink username(*table, QStringLiteral("username"));
    EXPECT_EQ(username.text(), QStringLiteral("ion"));
    EXPECT_TRUE(username.writeText(QString()));
    EXPECT_EQ(table->state(), TableState::Edit);
    table->finishPendingEdit();
    EXPECT_EQ(table->rowCount(), 1);
    EXPECT_EQ(table->storedValue(0, 1), QString()) << "a cleared box stores an empty text, not a null";
    EXPECT_EQ(table->storedValue(0, 0), QStringLiteral("Alfa"));
}

TEST(FieldLink, refusesTypingIntoAClosedTableAndRestoresTheBox) {
    auto table = loginTable();
    FieldLink company(*table, QStringLiteral("company"));
    QSignalSpy spy(&company, &FieldLink::textChanged);
    EXPECT_FALSE(company.writeText(QStringLiteral("A")));
    EXPECT_EQ(shownTexts(spy), QStringList{""});
    EXPECT_FALSE(table->isOpen());
}

TEST(FieldLink, keepsTheFullTypedTextInTheBoxWhileTheFieldIsCut) {
    auto table = loginTable();
    table->open();
    FieldLink company(*table, QStringLiteral("company"));
    QSignalSpy spy(&company, &FieldLink::textChanged);
    EXPECT_TRUE(company.writeText(QString(250, QLatin1Char('x'))));
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(company.text().size(), 200);
}

TEST(FieldLink, showsChangesMadeOtherThanThroughIt) {
    auto table = loginTableWithRow(QStringLiteral("Alfa"), std::nullopt);
    FieldLink company(*table, QStringLiteral("company"));
    QSignalSpy spy(&company, &FieldLink::textChanged);
    table->edit();
    table->setValue(1, QStringLiteral("ion")); // another field: nothing to show here
    table->setValue(0, QStringLiteral("Beta"));
    table->cancel();
    EXPECT_EQ(shownTexts(spy), (QStringList{"Beta", "Alfa"}));
}

} // namespace
} // namespace wc::mem

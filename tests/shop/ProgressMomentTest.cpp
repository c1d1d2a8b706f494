// The moment in the progress lines: regional short date and long time, the date alone at
// exactly midnight.
#include "shop/ProgressMoment.h"
#include "ShopFixture.h"

using namespace wc::test;

namespace {

// Sets a regional format for one test and restores the previous one.
class RegionalFormat {
public:
    explicit RegionalFormat(const QLocale& locale) { QLocale::setDefault(locale); }
    ~RegionalFormat() { QLocale::setDefault(previous_); }
    RegionalFormat(const RegionalFormat&) = delete;
    RegionalFormat& operator=(const RegionalFormat&) = delete;

private:
    QLocale previous_;
};

const QDate kDay(2026, 3, 5);

TEST(ProgressMoment, showsShortDateThenLongTimeWithoutTimeZone) {
    const RegionalFormat american(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(progressMoment(QDateTime(kDay, QTime(14, 7, 9))), "3/5/26 2:07:09 PM");
}

TEST(ProgressMoment, showsShortDateThenLongTime) {
    const RegionalFormat romanian(QLocale(QLocale::Romanian, QLocale::Romania));
    EXPECT_EQ(progressMoment(QDateTime(kDay, QTime(14, 7, 9))), "05.03.2026 14:07:09");
    const RegionalFormat german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(progressMoment(QDateTime(kDay, QTime(14, 7, 9))), "05.03.26 14:07:09");
}

TEST(ProgressMoment, leavesOutTheTimeOnlyAtExactlyMidnight) {
    const RegionalFormat romanian(QLocale(QLocale::Romanian, QLocale::Romania));
    EXPECT_EQ(progressMoment(QDateTime(kDay, QTime(0, 0))), "05.03.2026");
    EXPECT_EQ(progressMoment(QDateTime(kDay, QTime(0, 0, 0, 1))), "05.03.2026 00:00:00");
    EXPECT_EQ(progressMoment(QDateTime(kDay, QTime(0, 0, 1))), "05.03.2026 00:00:01");
}

class ProgressLines : public ShopFixture {};

TEST_F(ProgressLines, carryTheMomentTheyWereWritten) {
    const RegionalFormat romanian(QLocale(QLocale::Romanian, QLocale::Romania));
    shop.enqueue(Reply::json(lastPage()));

    const QDateTime before = QDateTime::currentDateTime();
    EXPECT_EQ(fetch(), "<none>");
    const QDateTime after = QDateTime::currentDateTime();

    QStringList possible;
    for (QDateTime t = before.addMSecs(-before.time().msec()); t <= after; t = t.addSecs(1))
        possible << progressMoment(t.addMSecs(1));
    const QStringList lines = memo();
    ASSERT_EQ(lines.size(), 2);
    const QString start = QStringLiteral("Incepe preluarea comenzilor ( ");
    const QString end = QStringLiteral("Sfarsit ( ");
    ASSERT_TRUE(lines[0].startsWith(start) && lines[0].endsWith(" )")) << lines[0].toStdString();
    ASSERT_TRUE(lines[1].startsWith(end) && lines[1].endsWith(" )")) << lines[1].toStdString();
    EXPECT_TRUE(possible.contains(lines[0].mid(start.size()).chopped(2))) << lines[0].toStdString();
    EXPECT_TRUE(possible.contains(lines[1].mid(end.size()).chopped(2))) << lines[1].toStdString();
}

} // namespace

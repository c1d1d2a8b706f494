#include "shop/ProgressMoment.h"

#include <QLocale>
#include <QRegularExpression>

QString progressMoment(const QDateTime& moment) {
    const QLocale locale;
    const QString date = locale.toString(moment.date(), QLocale::ShortFormat);
    if (moment.time() == QTime(0, 0))
        return date;
    // The regional long time without a time zone, as the operator's clock shows it.
    QString longTime = locale.timeFormat(QLocale::LongFormat);
    longTime.remove(QRegularExpression(QStringLiteral("\\s*t+")));
    return date + QLatin1Char(' ') + locale.toString(moment.time(), longTime.trimmed());
}

#include "shop/ProgressMoment.h"

#include <QLocale>

QString progressMoment(const QDateTime& moment) {
    const QLocale locale;
    const QString date = locale.toString(moment.date(), QLocale::ShortFormat);
    if (moment.time() == QTime(0, 0))
        return date;
    return date + QLatin1Char(' ') + locale.toString(moment.time(), QLocale::LongFormat);
}

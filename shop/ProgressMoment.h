#pragma once

#include <QDateTime>
#include <QString>

// A moment as the progress lines show it: the regional short date, a blank and the long
// time; at exactly midnight the date alone. The caller passes the moment, so a test can
// fix it.
QString progressMoment(const QDateTime& moment);

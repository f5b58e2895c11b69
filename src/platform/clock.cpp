#include "platform/clock.h"

#include <QLocale>

QString SystemClock::formatShortDate(const QDate& date) {
    return QLocale::system().toString(date, QLocale::ShortFormat);
}

QString SystemClock::shortDate() const {
    return formatShortDate(QDate::currentDate());
}

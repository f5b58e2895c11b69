#pragma once

#include <QDate>
#include <QString>

// The date stamp written into the header lines of CONFIG.SYS and AUTOEXEC.BAT.
class Clock {
public:
    virtual ~Clock() = default;
    // Today's date in the user's short date format.
    virtual QString shortDate() const = 0;
};

// Today, in the short date format of the locale the user runs with.
class SystemClock : public Clock {
public:
    QString shortDate() const override;
    static QString formatShortDate(const QDate& date);
};

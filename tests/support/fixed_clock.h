#pragma once

#include "platform/clock.h"

// A clock that always gives the same date stamp, so file contents can be compared byte for byte.
class FixedClock : public Clock {
public:
    explicit FixedClock(QString stamp = QStringLiteral("12/7/2026")) : m_stamp(std::move(stamp)) {}
    QString shortDate() const override { return m_stamp; }

private:
    QString m_stamp;
};

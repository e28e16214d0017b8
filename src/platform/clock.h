#pragma once

#include <QDateTime>

// The one source of "now" for date-time texts, the log file name and the scheduler,
// so tests can set the time instead of waiting for it.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime localNow() const = 0;
    virtual QDateTime utcNow() const = 0;

    static const Clock &current();
    // Installs a clock for the whole program; nullptr restores the system clock.
    // The caller keeps ownership.
    static void setCurrent(const Clock *clock);
};

class SystemClock final : public Clock
{
public:
    QDateTime localNow() const override { return QDateTime::currentDateTime(); }
    QDateTime utcNow() const override { return QDateTime::currentDateTimeUtc(); }
};

#include "mockclock.h"

MockClock::MockClock(const QDateTime &local, const QDateTime &utc)
{
    set(local, utc);
    Clock::setCurrent(this);
}

MockClock::~MockClock()
{
    Clock::setCurrent(nullptr);
}

void MockClock::set(const QDateTime &local, const QDateTime &utc)
{
    m_local = local;
    m_utc = utc.isValid() ? utc : QDateTime(local.date(), local.time(), Qt::UTC);
}

void MockClock::advanceSeconds(qint64 seconds)
{
    m_local = m_local.addSecs(seconds);
    m_utc = m_utc.addSecs(seconds);
}

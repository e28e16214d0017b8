#pragma once

#include "platform/clock.h"

// A clock the test sets; installs itself for its lifetime.
class MockClock final : public Clock
{
public:
    explicit MockClock(const QDateTime &local, const QDateTime &utc = {});
    ~MockClock() override;

    QDateTime localNow() const override { return m_local; }
    QDateTime utcNow() const override { return m_utc; }
    void set(const QDateTime &local, const QDateTime &utc = {});
    void advanceSeconds(qint64 seconds);

private:
    QDateTime m_local;
    QDateTime m_utc;
};

#include "retrypolicy.h"

#include "hostport.h"
#include "platform/clock.h"
#include "search/session.h"
#include "search/settings.h"

#include <QRandomGenerator>

using namespace Qt::Literals::StringLiterals;

namespace {

// Requests to one host are spaced however its name is written.
QString hostkey(const QString &host)
{
    return hostpart(host).toLower();
}

} // namespace

qint64 RetryPolicy::now()
{
    return Clock::current().utcNow().toMSecsSinceEpoch();
}

bool RetryPolicy::exhausted(const FetchJob &job) const
{
    return m_settings.maxretries > 0 && job.retries > m_settings.maxretries;
}

QString RetryPolicy::giveuptext(const FetchJob &job) const
{
    const QString why = job.retry.failure.isEmpty() ? job.status.trimmed() : job.retry.failure;
    return u"gave up after "_s + QString::number(int(m_settings.maxretries)) + u" retries ("_s + why + u')';
}

bool RetryPolicy::mayconnect(const FetchJob &job, const QString &host) const
{
    // Asked for every waiting job on every tick: without waits it costs nothing.
    if (job.retry.notbefore == 0 && m_nexthost.isEmpty())
        return true;
    const qint64 at = now();
    return at >= job.retry.notbefore && at >= m_nexthost.value(hostkey(host), 0);
}

void RetryPolicy::connecting(const QString &host)
{
    const qint64 delay = m_settings.requestdelay;
    if (delay <= 0)
        return;
    // The jitter keeps a run of requests from ticking like a machine.
    m_nexthost[hostkey(host)] = now() + delay + QRandomGenerator::global()->bounded(delay / 2 + 1);
}

qint64 RetryPolicy::backoff(FetchJob &job)
{
    if (job.retry.backoffs >= MaxBackoffs)
        return -1;
    const qint64 wait = qMax<qint64>(FirstBackoff, m_settings.requestdelay) << job.retry.backoffs;
    job.retry.backoffs += 1;
    job.retry.notbefore = now() + wait;
    return wait;
}

QString RetryPolicy::retryable(int httpstatus)
{
    if (httpstatus == 403 || httpstatus == 429 || httpstatus == 503)
        return u"blocked"_s;
    if (httpstatus >= 500 && httpstatus <= 599)
        return u"service error"_s;
    return {};
}

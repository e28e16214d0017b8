#pragma once

#include <QHash>
#include <QString>

struct FetchJob;
struct Settings;

// What the fetcher keeps of one page's failures beside the job's retries counter.
struct PageRetry
{
    QString failure;      // why the page failed last ("timeout error", "reply cut short", ...)
    int backoffs = 0;     // waits taken after blocked or failing replies of this page
    qint64 notbefore = 0; // no connect before this time (milliseconds since the epoch)
};

// When a job may connect, when it gives up, and how long it waits after a blocked or failing
// reply. Time comes from the program's clock, so tests set it instead of waiting.
class RetryPolicy final
{
public:
    // Waits after blocked or failing replies before a page is given up.
    static constexpr int MaxBackoffs = 3;
    // The first wait; each further one doubles it.
    static constexpr qint64 FirstBackoff = 5000;

    explicit RetryPolicy(const Settings &settings) : m_settings(settings) {}

    // The job's page failed more often than "maxretries" allows.
    bool exhausted(const FetchJob &job) const;
    QString giveuptext(const FetchJob &job) const;
    // False while the job's back-off or the delay between two requests to `host` runs.
    bool mayconnect(const FetchJob &job, const QString &host) const;
    // A connection to `host` is being opened now.
    void connecting(const QString &host);
    // A reply that is worth asking for again later: schedules the job's next attempt and returns
    // the wait in milliseconds, or -1 when the page has had its waits.
    qint64 backoff(FetchJob &job);

    // "blocked" or "service error" for a status that is worth a wait, "" for any other.
    static QString retryable(int httpstatus);

private:
    static qint64 now();

    const Settings &m_settings;
    QHash<QString, qint64> m_nexthost;
};

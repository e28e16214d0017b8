#pragma once

#include "searchstate.h"

#include <QObject>
#include <QString>

#include <memory>

class Connection;
class SearchRun;

// One search of a well-known keyword through a search service, to tell a person setting one up
// at once whether it answers: with how many results, or what is wrong (its address, TLS, the
// key, the allowance, a refusal, a page it cannot read) in the service's own words. It runs as
// a search does, on the run's timer, over a state of its own: the domain list and a running
// search are left alone, and a window waiting for it stays responsive.
class ServiceCheck final : public QObject
{
    Q_OBJECT
public:
    static inline const QString Keyword = QStringLiteral("wikipedia");

    // settings are copied: the check asks the service they name. connection says whether the
    // computer is online (a service on this machine needs no connection).
    ServiceCheck(const Settings &settings, const Connection &connection, QObject *parent = nullptr);
    ~ServiceCheck() override;

    // Starts the check; finished() follows once, also when it could not start.
    void start();
    bool running() const { return m_running; }

signals:
    // answered: the service sent a result page. verdict: one line for a person.
    void finished(bool answered, const QString &verdict);

private:
    class QuietWindow;
    class QuietPrompts;

    void end();
    void report(bool answered, const QString &what);

    SearchState m_state;
    std::unique_ptr<QuietWindow> m_window;
    std::unique_ptr<QuietPrompts> m_prompts;
    std::unique_ptr<Connection> m_connection;
    std::unique_ptr<SearchRun> m_run;
    bool m_running = false;
};

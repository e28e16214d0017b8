#pragma once

#include "retrypolicy.h"
#include "settings.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

struct SearchState;
class SearchWindow;
class SocketControl;
class SocketPool;
struct FetchJob;
struct RequestTarget;
struct ServicePage;

// Moves one result page at a time for every fetch job over the socket pool: connects, sends
// the request once connected, collects the reply and, when the server closes, decodes and
// parses it and updates the keyword results. Time-outs are counted in timer ticks.
class Fetcher final : public QObject
{
    Q_OBJECT
public:
    // The most characters kept of one reply unless the "maxreply" setting says otherwise. A
    // server that sends more is cut off there: the connection is closed and the page counts as
    // received with what was read, the cut named in the keyword's status. Treating the cut page
    // as received (rather than as a failure to retry) stops an endless reply from being fetched
    // again and again.
    static constexpr qsizetype ReplyLimit = Settings::defaultMaxReply;

    using WarningFn = std::function<void(const QString &text)>;

    Fetcher(SearchState &state, SearchWindow &window, SocketPool &pool, WarningFn timedwarning,
            QObject *parent = nullptr);

    // The per-job step of one tick, towards the job's target.
    void stepjob(int jobindex, const RequestTarget &target);
    void socket_DataArrival(int index, qint64 bytes);
    void socket_Close(int index);

private:
    void connectjob(int jobindex, const RequestTarget &target);
    void socketerror(int jobindex, SocketControl &socket);
    // Reads the complete reply of a job whose connection closed; false when a SOAP fault ends the
    // processing of this close event.
    bool takereply(int jobindex, int index);
    // The jobs holding socket `index`, in job order: found without a walk over every job.
    QList<int> ownersof(int index);
    // False when the reply ends its page before a service reads it: cut short in transit.
    bool checkwhole(int jobindex);
    // False when the reply, as the service read it, is to be asked for again after a wait.
    bool checkstatus(int jobindex, int status, const ServicePage &page);
    // The keyword ends here with `status`, whatever pages are left, its socket released.
    void endjob(int jobindex, const QString &status);
    void sendrequest(int jobindex, const RequestTarget &target);
    // What the keyword's status says of a reply cut at "maxreply" ("" when it was not), told in
    // the message box too.
    QString cutnote(FetchJob &job);
    // Returns false when a SOAP fault ends the processing of this close event.
    bool receivepage(int jobindex, int index, const ServicePage &page);
    // Ends a keyword the service refused or answered with something unreadable: no positions.
    void endunanswered(int jobindex, const QString &status);

    SearchState &m_state;
    SearchWindow &m_window;
    SocketPool &m_pool;
    WarningFn m_timedwarning;
    RetryPolicy m_retry;
    QList<QList<int>> m_owners; // per socket, the jobs it was given to (see ownersof)
};

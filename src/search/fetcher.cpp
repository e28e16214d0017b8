#include "fetcher.h"

#include "chunked.h"
#include "diagnostics/guard.h"
#include "platform/codepage.h"
#include "positions.h"
#include "replycheck.h"
#include "replyhead.h"
#include "requesttarget.h"
#include "search/searchstate.h"
#include "search/searchwindow.h"
#include "searchservice.h"
#include "secureconnect.h"
#include "socketpool.h"

#include <cstdint>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace {

QString pagetext(const FetchJob &job)
{
    return QString::number(job.page + 1);
}

} // namespace

Fetcher::Fetcher(SearchState &state, SearchWindow &window, SocketPool &pool, WarningFn timedwarning, QObject *parent)
    : QObject(parent), m_state(state), m_window(window), m_pool(pool), m_timedwarning(std::move(timedwarning)),
      m_retry(state.settings)
{
    connect(&m_pool, &SocketPool::dataArrival, this, &Fetcher::socket_DataArrival);
    connect(&m_pool, &SocketPool::closeEvent, this, &Fetcher::socket_Close);
}

void Fetcher::stepjob(int jobindex, const RequestTarget &target)
{
    guard("Fetcher", "Sub stepjob", [&] {
        FetchJob &job = m_state.jobs[jobindex];
        if (job.socket == 0) {
            connectjob(jobindex, target);
            return;
        }
        SocketControl &socket = m_pool.socket(job.socket);
        const int s = socket.state();
        const QString n = pagetext(job);
        if (s == SocketControl::Connected && job.state != SocketControl::Connected) {
            sendrequest(jobindex, target);
        } else if (s == SocketControl::Error && job.state != SocketControl::Error) {
            socketerror(jobindex, socket);
        } else if (job.state != SocketControl::Closed && s == SocketControl::Closed) {
            job.socket = 0;
            job.status = u"socket closed "_s;
            m_window.writemessagebox(u"Socket closed "_s + job.key + u" page "_s + n);
        } else {
            job.ticks += 1;
            if (job.ticks > m_state.settings.inettimeout) {
                socket.close();
                job.status = u"timeout error "_s;
                job.retry.failure = u"timeout error"_s;
                job.retries += 1;
                m_window.writemessagebox(u"Timeout error on "_s + job.key + u" page "_s + n);
            }
        }
        job.state = s;
    });
}

void Fetcher::socketerror(int jobindex, SocketControl &socket)
{
    FetchJob &job = m_state.jobs[jobindex];
    const QString why = socket.errortext();
    const bool fatal = socket.fatal();
    socket.close();
    job.socket = 0;
    if (fatal) {
        endjob(jobindex, why);
        return;
    }
    job.status = u"socket error "_s;
    job.retry.failure = why.isEmpty() ? u"socket error"_s : why;
    job.retries += 1;
    m_window.writemessagebox(u"Socket error on "_s + job.key + u" page "_s + pagetext(job) +
                             (why.isEmpty() ? QString() : u": "_s + why));
}

void Fetcher::endjob(int jobindex, const QString &status)
{
    FetchJob &job = m_state.jobs[jobindex];
    job.socket = 0;
    job.state = SocketControl::Closed;
    endunanswered(jobindex, status);
}

void Fetcher::connectjob(int jobindex, const RequestTarget &target)
{
    FetchJob &job = m_state.jobs[jobindex];
    if (m_state.pages.serve(m_state, jobindex, m_window))
        return;
    if (m_retry.exhausted(job)) {
        endjob(jobindex, m_retry.giveuptext(job));
        return;
    }
    if (!m_retry.mayconnect(job, target.name))
        return;
    const int index = m_pool.getsocket(m_state.settings.maxconnections);
    if (index == 0)
        return;
    QString problem;
    const Endpoint endpoint = endpointfor(m_state.settings, target, problem);
    if (!problem.isEmpty()) {
        endjob(jobindex, problem);
        return;
    }
    const QString n = pagetext(job);
    job.buffer.clear();
    job.socket = index;
    // The state the last connection ended in is not this one's: a pooled socket refused again
    // would otherwise wait for the time-out.
    job.state = SocketControl::Closed;
    if (job.retries == 0)
        job.status = u"connecting to page "_s + n;
    else
        job.status = u"re-connect ("_s + QString::number(job.retries) + u") to page "_s + n;
    m_retry.connecting(target.name);
    m_pool.socket(index).connectTo(endpoint);
    // What the last connection ended in (an error, say) must not hide the same end of this one.
    job.state = SocketControl::Connecting;
    job.ticks = 0;
    m_window.writemessagebox(u"Connecting page "_s + n + u" search term "_s + job.key);
}

void Fetcher::sendrequest(int jobindex, const RequestTarget &target)
{
    FetchJob &job = m_state.jobs[jobindex];
    // The locale of the domain the keyword belongs to.
    const int d = job.urlindex;
    const SearchLocale locale = d >= 1 && d <= m_state.urldata.ubound() ? m_state.urldata[d].locale : SearchLocale();
    const QString request = makeservice(m_state.settings, job.useapi)
                                ->request(target.requestserver(), target.host, job.key, job.page, locale);
    const QString n = pagetext(job);
    job.status = u"waiting for page "_s + n;
    m_window.writemessagebox(u"Sending for page "_s + n + u" search term "_s + job.key);
    m_pool.socket(job.socket).send(codepage::toBytes(request));
}

void Fetcher::socket_DataArrival(int index, qint64 bytes)
{
    guard("Fetcher", "Sub socket_DataArrival", [&] {
        Q_UNUSED(bytes) // everything available is taken at once
        const QString data = codepage::toText(m_pool.socket(index).read());
        for (FetchJob &job : m_state.jobs) {
            if (job.socket != index)
                continue;
            const qsizetype room = ReplyLimit - job.buffer.size();
            job.buffer += QStringView(data).first(qMin(room, data.size()));
            if (data.size() >= room)
                socket_Close(index);
            return;
        }
    });
}

void Fetcher::socket_Close(int index)
{
    guard("Fetcher", "Sub socket_Close", [&] {
        SocketControl &socket = m_pool.socket(index);
        socket.close();
        for (int j = 1; j <= m_state.jobs.ubound(); ++j) {
            FetchJob &job = m_state.jobs[j];
            if (job.socket != index || !checkreply(j))
                continue;
            const int page = job.page;
            if (!receivepage(j, index))
                return;
            if (job.page != page)
                job.retry = {}; // the next page starts without waits
        }
    });
}

bool Fetcher::checkreply(int jobindex)
{
    FetchJob &job = m_state.jobs[jobindex];
    const QString n = pagetext(job);
    // A reply we cut at the limit ourselves counts as whole.
    if (job.buffer.size() < ReplyLimit && cutshort(job.buffer, ReplyLimit)) {
        job.socket = 0;
        job.state = SocketControl::Closed;
        job.status = u"reply cut short "_s;
        job.retry.failure = u"reply cut short"_s;
        job.retries += 1;
        m_window.writemessagebox(u"Reply cut short on "_s + job.key + u" page "_s + n);
        return false;
    }
    const int status = statuscode(job.buffer);
    const QString kind = RetryPolicy::retryable(status);
    // The SOAP service sends its faults with status 500; they have their own handling. A key the
    // service refuses stays refused however long one waits.
    if (kind.isEmpty() || (job.useapi && status == 500) || keyrefused(jobindex))
        return true;
    const QString why = kind + u" (HTTP "_s + QString::number(status) + u')';
    const qint64 wait = m_retry.backoff(job);
    if (wait < 0) {
        // Out of waits: a refusal is the service's to name; another failure ends the keyword.
        if (kind == u"blocked")
            return true;
        endjob(jobindex, why);
        return false;
    }
    job.socket = 0;
    job.state = SocketControl::Closed;
    job.status = why + u", retry "_s + QString::number(job.retry.backoffs) + u" of "_s +
                 QString::number(RetryPolicy::MaxBackoffs) + u" in "_s + QString::number(wait / 1000) + u" s"_s;
    m_window.writemessagebox(job.status + u" on "_s + job.key + u" page "_s + n);
    return false;
}

bool Fetcher::keyrefused(int jobindex) const
{
    const FetchJob &job = m_state.jobs[jobindex];
    const auto service = makeservice(m_state.settings, job.useapi);
    const ServiceReply reply = splitreply(job.buffer, service->readstext());
    return service->read(reply, job.page, job.hits.ubound()).verdict == ServicePage::Verdict::KeyRejected;
}

bool Fetcher::receivepage(int jobindex, int index)
{
    FetchJob &job = m_state.jobs[jobindex];
    const QString n = pagetext(job);
    m_window.setRestxt(addlf(job.buffer));
    const auto service = makeservice(m_state.settings, job.useapi);
    const ServiceReply reply = splitreply(job.buffer, service->readstext());
    job.buffer = reply.text;
    const ServicePage page = service->read(reply, job.page, job.hits.ubound());
    if (page.verdict == ServicePage::Verdict::Fault) {
        const QString fault = page.status;
        m_timedwarning(fault);
        m_pool.socket(index).close();
        job.socket = 0;
        job.status = fault;
        job.retries += 1;
        job.useapi = false;
        job.state = SocketControl::Error;
        m_window.writemessagebox(u"Problem on page "_s + n + u" search term "_s + job.key + u" fault "_s + fault);
        return false;
    }
    job.socket = 0;
    job.retries = 0;
    job.state = 0;
    if (page.unanswered()) {
        endunanswered(jobindex, page.status);
        return true;
    }
    // A keyword holds at most 32767 hits; a page with more keeps those that fit and still counts.
    const qsizetype room = std::numeric_limits<std::int16_t>::max() - job.hits.ubound();
    if (page.hits.size() > room)
        m_window.writemessagebox(u"Kept "_s + QString::number(room) + u" of "_s + QString::number(page.hits.size()) +
                                 u" hits of page "_s + n + u" search term "_s + job.key);
    for (const ServiceHit &found : page.hits.first(qMin(page.hits.size(), room))) {
        SearchHit hit{found.url, found.title, found.abstract, Int16(found.position), {}};
        job.hits.append(std::move(hit));
    }
    m_state.pages.remember(m_state, job, page.hits, page.note);
    addnote(job.notes, page.note);
    m_window.writemessagebox(u"Received page "_s + n + u" search term "_s + job.key);
    job.status = u"received page "_s + n;
    job.page += 1;
    getpositions(m_state, jobindex, m_window.chkstopafterhit());
    m_window.disres();
    return true;
}

void Fetcher::endunanswered(int jobindex, const QString &status)
{
    // What earlier pages found is dropped too: a ranking cut short is not a ranking, and the
    // history keeps the last complete one.
    FetchJob &job = m_state.jobs[jobindex];
    job.hits.clear();
    getpositions(m_state, jobindex, false);
    job.status = status;
    job.done = true;
    m_window.writemessagebox(u"Stopped "_s + job.key + u" on page "_s + pagetext(job) + u": "_s + status);
    m_window.disres();
}

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

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

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
    job.replycut = false;
    job.socket = index;
    if (m_owners.size() <= index)
        m_owners.resize(index + 1);
    m_owners[index].append(jobindex);
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
        const QByteArray data = m_pool.socket(index).read();
        for (const int j : ownersof(index)) {
            FetchJob &job = m_state.jobs[j];
            const qsizetype room = qMax<qsizetype>(0, m_state.settings.maxreply - job.buffer.size());
            codepage::appendText(job.buffer, QByteArrayView(data).first(qMin(room, data.size())));
            if (data.size() >= room) {
                job.replycut = true;
                socket_Close(index);
            }
            return;
        }
    });
}

void Fetcher::socket_Close(int index)
{
    guard("Fetcher", "Sub socket_Close", [&] {
        SocketControl &socket = m_pool.socket(index);
        socket.close();
        for (const int j : ownersof(index)) {
            if (m_state.jobs[j].socket == index && !takereply(j, index))
                return;
        }
    });
}

QList<int> Fetcher::ownersof(int index)
{
    if (index < 0 || index >= m_owners.size())
        return {};
    QList<int> &owners = m_owners[index];
    // Jobs that have let the socket go since are dropped; several may share it in between.
    owners.removeIf([&](int j) { return j < 1 || j > m_state.jobs.ubound() || m_state.jobs[j].socket != index; });
    std::sort(owners.begin(), owners.end());
    owners.erase(std::unique(owners.begin(), owners.end()), owners.end());
    return owners;
}

bool Fetcher::takereply(int jobindex, int index)
{
    FetchJob &job = m_state.jobs[jobindex];
    if (!checkwhole(jobindex)) {
        job.buffer = QString();
        return true;
    }
    // The reply is read once, whatever is decided about it afterwards.
    const auto service = makeservice(m_state.settings, job.useapi);
    const int status = statuscode(job.buffer);
    const ServicePage page = service->read(splitreply(job.buffer, service->readstext()), job.page, job.hits.ubound());
    if (!checkstatus(jobindex, status, page)) {
        job.buffer = QString();
        return true;
    }
    // A keyword's last reply is of no use once read; a long run would hold one per keyword.
    m_window.setRestxt(std::exchange(job.buffer, QString()));
    const int before = job.page;
    if (!receivepage(jobindex, index, page))
        return false;
    if (job.page != before)
        job.retry = {}; // the next page starts without waits
    return true;
}

bool Fetcher::checkwhole(int jobindex)
{
    FetchJob &job = m_state.jobs[jobindex];
    // A reply we cut at the limit ourselves counts as whole.
    if (job.replycut || !cutshort(job.buffer, m_state.settings.maxreply))
        return true;
    job.socket = 0;
    job.state = SocketControl::Closed;
    job.status = u"reply cut short "_s;
    job.retry.failure = u"reply cut short"_s;
    job.retries += 1;
    m_window.writemessagebox(u"Reply cut short on "_s + job.key + u" page "_s + pagetext(job));
    return false;
}

bool Fetcher::checkstatus(int jobindex, int status, const ServicePage &page)
{
    FetchJob &job = m_state.jobs[jobindex];
    const QString kind = RetryPolicy::retryable(status);
    // The SOAP service sends its faults with status 500; they have their own handling. A key the
    // service refuses stays refused however long one waits.
    if (kind.isEmpty() || (job.useapi && status == 500) || page.verdict == ServicePage::Verdict::KeyRejected)
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
    m_window.writemessagebox(job.status + u" on "_s + job.key + u" page "_s + pagetext(job));
    return false;
}

QString Fetcher::cutnote(FetchJob &job)
{
    if (!job.replycut)
        return {};
    const QString note =
        u"reply of page "_s + pagetext(job) + u" cut at "_s + QString::number(m_state.settings.maxreply) + u" bytes"_s;
    m_window.writemessagebox(u"Reply of page "_s + pagetext(job) + u" search term "_s + job.key + u" cut at "_s +
                             QString::number(m_state.settings.maxreply) + u" bytes (maxreply)"_s);
    return note;
}

bool Fetcher::receivepage(int jobindex, int index, const ServicePage &page)
{
    FetchJob &job = m_state.jobs[jobindex];
    const QString n = pagetext(job);
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
    const QString cut = cutnote(job);
    if (page.unanswered()) {
        endunanswered(jobindex, cut.isEmpty() ? page.status : page.status + u"; "_s + cut);
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
    addnote(job.notes, page.note);
    addnote(job.notes, cut);
    m_state.pages.remember(m_state, job, page.hits, page.note + u", "_s + cut);
    m_window.writemessagebox(u"Received page "_s + n + u" search term "_s + job.key);
    job.status = u"received page "_s + n;
    job.page += 1;
    // The results list is shown afresh once a tick, not once a page: showing it walks every keyword.
    getpositions(m_state, jobindex, m_window.chkstopafterhit());
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
}

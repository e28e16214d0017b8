#include "fetcher.h"

#include "chunked.h"
#include "diagnostics/guard.h"
#include "hostport.h"
#include "platform/codepage.h"
#include "positions.h"
#include "search/searchstate.h"
#include "search/searchwindow.h"
#include "searchservice.h"
#include "socketpool.h"

using namespace Qt::Literals::StringLiterals;

namespace {

QString pagetext(const FetchJob &job)
{
    return QString::number(job.page + 1);
}

} // namespace

Fetcher::Fetcher(SearchState &state, SearchWindow &window, SocketPool &pool, WarningFn timedwarning, QObject *parent)
    : QObject(parent), m_state(state), m_window(window), m_pool(pool), m_timedwarning(std::move(timedwarning))
{
    connect(&m_pool, &SocketPool::dataArrival, this, &Fetcher::socket_DataArrival);
    connect(&m_pool, &SocketPool::closeEvent, this, &Fetcher::socket_Close);
}

void Fetcher::stepjob(int jobindex, const QString &server, const QString &port, const QString &host)
{
    guard("Fetcher", "Sub stepjob", [&] {
        FetchJob &job = m_state.jobs[jobindex];
        if (job.socket == 0) {
            connectjob(jobindex, server, port);
            return;
        }
        SocketControl &socket = m_pool.socket(job.socket);
        const int s = socket.state();
        const QString n = pagetext(job);
        if (s == SocketControl::Connected && job.state != SocketControl::Connected) {
            sendrequest(jobindex, server, host);
        } else if (s == SocketControl::Error && job.state != SocketControl::Error) {
            socket.close();
            job.socket = 0;
            job.status = u"socket error "_s;
            job.retries += 1;
            m_window.writemessagebox(u"Socket error on "_s + job.key + u" page "_s + n);
        } else if (job.state != SocketControl::Closed && s == SocketControl::Closed) {
            job.socket = 0;
            job.status = u"socket closed "_s;
            m_window.writemessagebox(u"Socket closed "_s + job.key + u" page "_s + n);
        } else {
            job.ticks += 1;
            if (job.ticks > m_state.settings.inettimeout) {
                socket.close();
                job.status = u"timeout error "_s;
                job.retries += 1;
                m_window.writemessagebox(u"Timeout error on "_s + job.key + u" page "_s + n);
            }
        }
        job.state = s;
    });
}

void Fetcher::connectjob(int jobindex, const QString &server, const QString &port)
{
    FetchJob &job = m_state.jobs[jobindex];
    const int index = m_pool.getsocket(m_state.settings.maxconnections);
    if (index == 0)
        return;
    const QString n = pagetext(job);
    job.buffer.clear();
    job.socket = index;
    if (job.retries == 0)
        job.status = u"connecting to page "_s + n;
    else
        job.status = u"re-connect ("_s + QString::number(job.retries) + u") to page "_s + n;
    m_pool.socket(index).connectTo(hostpart(server), port.trimmed().toUShort());
    job.ticks = 0;
    m_window.writemessagebox(u"Connecting page "_s + n + u" search term "_s + job.key);
}

void Fetcher::sendrequest(int jobindex, const QString &server, const QString &host)
{
    FetchJob &job = m_state.jobs[jobindex];
    const QString request = makeservice(m_state.settings, job.useapi)->request(server, host, job.key, job.page);
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
            if (m_state.jobs[j].socket == index && !receivepage(j, index))
                return;
        }
    });
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
    for (const ServiceHit &found : page.hits) {
        SearchHit hit{found.url, found.title, found.abstract, Int16(found.position), {}};
        job.hits.append(std::move(hit));
    }
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

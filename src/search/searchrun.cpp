#include "searchrun.h"

#include "boxnumbers.h"
#include "competitors.h"
#include "diagnostics/datetext.h"
#include "diagnostics/guard.h"
#include "diagnostics/numtext.h"
#include "platform/connection.h"
#include "platform/prompts.h"
#include "requesttarget.h"
#include "search/searchlocale.h"
#include "search/searchstate.h"
#include "search/searchwindow.h"
#include "searchservice.h"

#include <QCoreApplication>
#include <QHash>
#include <QRandomGenerator>

#include <algorithm>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int RunningInterval = 1000;
constexpr int IdleInterval = 5000;

// A search host sees the keywords in an order that differs from run to run.
void shufflejobs(List1<FetchJob> &jobs)
{
    for (int j = jobs.ubound(); j > 1; --j)
        std::swap(jobs[j], jobs[1 + QRandomGenerator::global()->bounded(j)]);
}

} // namespace

SearchRun::SearchRun(SearchState &state, SearchWindow &window, Prompts &prompts, const Connection &connection,
                     QObject *parent)
    : QObject(parent), m_state(state), m_window(window), m_prompts(prompts), m_connection(connection),
      m_fetcher(state, window, m_pool, [this](const QString &text) { timedwarning(text); }),
      m_domains(state, window, prompts)
{
    connect(&m_timer, &QTimer::timeout, this, &SearchRun::Timer1_Timer);
    settimer(IdleInterval);
}

void SearchRun::setTickLength(int milliseconds)
{
    m_ticklength = qMax(1, milliseconds);
    m_timer.setInterval(scaledinterval());
}

int SearchRun::scaledinterval() const
{
    // In 64 bits: a test may stretch a tick far beyond what int milliseconds can hold.
    const qint64 scaled = qint64(m_interval) * m_ticklength / RunningInterval;
    return int(qMin<qint64>(scaled, std::numeric_limits<int>::max()));
}

void SearchRun::startidle()
{
    settimer(IdleInterval);
}

void SearchRun::settimer(int interval)
{
    m_timer.stop();
    m_interval = interval;
    m_timer.setInterval(scaledinterval());
    m_timer.start();
}

void SearchRun::mnusearch_Click()
{
    guard("Searchrun", "Sub mnusearch_Click", [&] {
        m_domains.sanitizeurl();
        if (m_state.searching) {
            m_prompts.message(u"A search is already running, please wait.."_s);
            return;
        }
        m_window.displaybits(0);
        m_window.setSearchstatus({});
        if (m_state.txturl.isEmpty()) {
            m_prompts.message(u"You must select or enter a domain before you can search"_s);
            return;
        }
        if (!m_domains.keysfit())
            return;
        if (findsession(m_state) == 0) {
            if (!m_state.urldata.isEmpty()) {
                const QString question =
                    u"Do you want to add "_s + m_state.txturl + u" to the list of selected domains ?"_s;
                if (m_prompts.question(question) != Prompts::Answer::Yes)
                    return;
            }
            m_domains.cmdadddomain_Click();
            if (findsession(m_state) == 0)
                return;
        }
        if (QString(m_window.txtkeysText()).remove(u' ').isEmpty()) {
            m_prompts.message(u"You must enter kewords or keyphrases before searching"_s);
            return;
        }
        // A depth of 0 or a word would finish every keyword at once, unsearched.
        const std::optional<int> depth = readbox(boxnumbers::pagedepth, m_window.pagedepthText());
        if (!depth) {
            m_prompts.message(boxrefusal(boxnumbers::pagedepth));
            return;
        }
        if (const auto service = makeservice(m_state.settings, usesoap(m_state.settings));
            *depth > service->deepestpage()) {
            m_prompts.message(u"The search service gives at most "_s + QString::number(service->deepestpage()) +
                              u" result pages for a keyword: set the search depth to "_s +
                              QString::number(service->deepestpage()) + u" or less."_s);
            return;
        }
        if (const QString problem = searchlocale::problem(m_window.searchlocale()); !problem.isEmpty()) {
            m_prompts.message(u"This domain's Where... settings cannot be searched: the "_s + problem + u'.');
            return;
        }
        if (!internetconnect()) {
            m_prompts.message(u"You must connect ot the internet before searching."_s);
            return;
        }
        m_window.writemessagebox(u"Starting Search "_s + m_state.txturl);
        emit searchStarting();
        m_window.clearresults();
        // Pages are shared within a run, or across the runs of a scheduled cycle.
        if (!m_state.schedulesearching)
            m_state.pages.clear();
        m_state.pages.beginrun();
        getdata();
        m_state.pagedepth = int16value(m_window.pagedepthText());
        m_state.resulttime = GetDateFormat();
        m_state.urldata[findsession(m_state)].resulttime = m_state.resulttime;
        m_window.setResultslab1(u"Results at "_s + m_state.resulttime);
        m_state.searching = true;
        settimer(RunningInterval);
    });
}

void SearchRun::getdata()
{
    guard("Searchrun", "Sub getdata", [&] {
        m_domains.sanitizeurl();
        const int d = findsession(m_state);
        m_domains.getdat(d);
        m_state.jobs.clear();
        resetwalk();
        SearchSession &session = m_state.urldata[d];
        // One job per distinct keyword; a repeated keyword is answered by the first one's job.
        QHash<QString, int> jobof;
        jobof.reserve(session.keys.ubound());
        for (int k = 1; k <= session.keys.ubound(); ++k) {
            KeywordResult &keyword = session.keys[k];
            if (const auto found = jobof.constFind(keyword.key); found != jobof.cend()) {
                m_state.jobs[*found].keywords.append(k);
            } else {
                FetchJob job;
                job.url = session.url;
                job.key = keyword.key;
                job.urlindex = d;
                job.useapi = usesoap(m_state.settings);
                job.keywords = {k};
                m_state.jobs.append(std::move(job));
                jobof.insert(keyword.key, m_state.jobs.ubound());
            }
            keyword.positions.clear();
            keyword.urls.clear();
        }
        if (m_state.settings.shuffle)
            shufflejobs(m_state.jobs);
        m_window.disres();
    });
}

int SearchRun::unanswered() const
{
    int count = 0;
    guard("Searchrun", "Function unanswered", [&] {
        for (const FetchJob &job : m_state.jobs) {
            if (job.page < m_state.pagedepth && !job.status.startsWith(u"Complete after "_s))
                ++count;
        }
    });
    return count;
}

bool SearchRun::internetconnect() const
{
    return m_connection.connected();
}

void SearchRun::Timer1_Timer()
{
    // STOP or SEARCH pressed while a tick yields re-arm the timer; a tick that fires inside
    // another one is dropped so ticks never overlap.
    if (m_intick)
        return;
    m_intick = true;
    m_timer.stop();
    bool idle = false;
    guard("Searchrun", "Sub Timer1_Timer", [&] {
        idlechores();
        if (!m_state.searching) {
            idle = true;
            m_scheduler->checkschedule();
            return;
        }
        // Socket events and user commands run here, once a tick; a STOP or a new search may
        // change the jobs.
        QCoreApplication::processEvents();
        if (!m_state.searching)
            return; // stopped meanwhile: the stop has said everything
        Int16 inprogress, completed, total;
        int progress = 0, complete = 0, count = 0;
        const bool active = walkjobs(progress, complete, count);
        inprogress = progress;
        completed = complete;
        total = count;
        m_window.setSearchstatus(QString::number(total) + u" Total searches , "_s + QString::number(inprogress) +
                                 u" Searches in progress , "_s + QString::number(completed) + u" Searches Completed"_s);
        m_window.disres();
        if (!active)
            endrun();
    });
    // A failed tick still re-arms the timer, so a run can always be finished or stopped.
    m_intick = false;
    if (idle)
        settimer(m_state.searching ? RunningInterval : IdleInterval); // the scheduler may have started a run
    else
        m_timer.start();
}

void SearchRun::idlechores()
{
    if (m_warningVisible) {
        m_warncount += m_interval == IdleInterval ? 2 : 1;
        if (m_warncount >= 10) {
            m_warningVisible = false;
            m_window.hideWarning();
            m_warncount = 0;
        }
    }
    m_window.setFlasher(m_window.flasher() == 255 ? 65280 : 255);
    m_window.checkstatus();
}

void SearchRun::resetwalk()
{
    m_next = 1;
    m_running.clear();
    m_completed = 0;
    m_walked = m_state.jobs.ubound();
}

bool SearchRun::walkjobs(int &inprogress, int &completed, int &total)
{
    if (m_walked != m_state.jobs.ubound())
        resetwalk(); // a job list this run did not build: walked afresh, from its first job
    bool active = false;
    // The jobs under way, in the order they started, then as many waiting ones as may start:
    // the same order as one walk over all jobs, without touching the finished or the waiting.
    qsizetype kept = 0;
    for (const int j : std::as_const(m_running)) {
        if (finishjob(j)) {
            ++m_completed;
            continue;
        }
        active = true;
        advancejob(j);
        m_running[kept++] = j;
    }
    m_running.resize(kept);
    while (m_next <= m_state.jobs.ubound()) {
        active = true;
        if (finishjob(m_next)) {
            ++m_completed;
            ++m_next;
            continue;
        }
        advancejob(m_next);
        const FetchJob &job = m_state.jobs[m_next];
        if (job.socket == 0 && !job.done)
            break; // no connection free now, so none for the later jobs either
        if (job.done)
            ++m_completed;
        else
            m_running.append(m_next);
        ++m_next;
    }
    for (const int j : std::as_const(m_running)) {
        // A keyword waiting out its retry wait is still being searched.
        const FetchJob &job = m_state.jobs[j];
        inprogress += job.socket != 0 || job.retry.notbefore != 0 ? 1 : 0;
    }
    completed = m_completed;
    total = m_state.jobs.ubound();
    return active;
}

bool SearchRun::finishjob(int jobindex)
{
    return finishatdepth(m_state.jobs[jobindex], m_state.pagedepth, m_window);
}

void SearchRun::advancejob(int jobindex)
{
    const RequestTarget target = searchtarget(m_state.settings, m_state.jobs[jobindex].useapi);
    if (!target.problem.isEmpty()) {
        // Nothing to connect to: every page would fail the same way.
        FetchJob &job = m_state.jobs[jobindex];
        job.status = u"service error ("_s + target.problem + u')';
        job.done = true;
        m_window.writemessagebox(u"Stopped "_s + job.key + u": "_s + target.problem);
        return;
    }
    if (!internetconnect() && !m_warningVisible)
        timedwarning(u"Please re-establish your Internet Connection to continue with the Search"_s);
    if (internetconnect())
        m_fetcher.stepjob(jobindex, target);
}

void SearchRun::endrun()
{
    m_window.writemessagebox(u"Searches complete"_s);
    competitors::runended(m_state, m_window);
    int blocked = 0, unrecognised = 0;
    for (const FetchJob &job : m_state.jobs) {
        const Verdict verdict = statusofverdict(job.status);
        unrecognised += verdict == Verdict::Unrecognised ? 1 : 0;
        blocked += isblockedstatus(job.status) ? 1 : 0;
    }
    const QString engine = enginename(m_state.settings);
    const QString summary =
        unansweredsummary(blocked, unrecognised, engine == engines::html || engine == engines::soap);
    if (!summary.isEmpty())
        m_window.writemessagebox(summary);
    m_state.searching = false;
    if (m_state.schedulesearching && m_state.schedulelast) {
        if (m_state.settings.isautodisconnect && m_state.autodialled) {
            m_scheduler->autodialhangup();
            m_state.autodialled = false;
        }
        m_state.schedulesearching = false;
        m_state.schedulelast = false;
        m_window.writemessagebox(u"Saving schedule search to "_s + m_state.settings.schedulefile);
        if (m_scheduler->saveall())
            m_window.writemessagebox(u"Schedule data Saved"_s);
    }
    emit searchEnded();
}

void SearchRun::Dostop_Click()
{
    guard("Searchrun", "Sub Dostop_Click", [&] {
        settimer(IdleInterval);
        if (!m_state.searching) {
            m_prompts.message(u"No search in progress"_s);
            return;
        }
        for (FetchJob &job : m_state.jobs) {
            if (job.done)
                continue;
            if (job.socket != 0)
                m_pool.socket(job.socket).close();
            job.status = u"stopped"_s;
            job.done = true;
            job.socket = 0;
        }
        m_state.pages.clear();
        m_window.setSearchstatus(u"Searching Manually Stopped"_s);
        m_window.writemessagebox(u"Searching Manually Stopped"_s);
        m_state.searching = false;
        m_state.schedulesearching = false;
        m_state.schedulelast = false;
        m_window.checkstatus();
        m_window.disres();
        emit searchEnded();
    });
}

void SearchRun::timedwarning(const QString &text)
{
    guard("Searchrun", "Sub timedwarning", [&] {
        QString display;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] == u':') {
                display += u":\r\n\r\n"_s;
            } else if (QStringView(text).sliced(i).startsWith(u"key ")) {
                display += u"key: \r\n\r\n"_s;
                i += 3;
            } else {
                display += text[i];
            }
        }
        m_warncount = 0;
        m_window.showWarning(display);
        m_warningVisible = true;
    });
}

void SearchRun::cmdwarnok_Click()
{
    guard("Searchrun", "Sub cmdwarnok_Click", [&] {
        m_warningVisible = false;
        m_window.hideWarning();
    });
}

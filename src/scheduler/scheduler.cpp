#include "scheduler.h"

#include "diagnostics/datetext.h"
#include "diagnostics/guard.h"
#include "platform/dialup.h"
#include "platform/prompts.h"
#include "search/competitors.h"
#include "search/searchrun.h"
#include "search/searchstate.h"
#include "search/searchwindow.h"

#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int Hour = 3600;
constexpr int Day = 86400;
constexpr int Week = 604800;
// Dial without asking anybody: nobody may be at the computer.
constexpr int Unattended = 2;

} // namespace

Scheduler::Scheduler(SearchState &state, SearchWindow &window, SearchRun &run, Dialup &dialup)
    : m_state(state), m_window(window), m_run(run), m_dialup(dialup)
{
    m_run.setscheduler(this);
}

Scheduler::~Scheduler()
{
    m_run.setscheduler(nullptr);
}

int Scheduler::interval(const Settings &settings)
{
    if (settings.searchhour)
        return Hour;
    if (settings.searchday)
        return Day;
    if (settings.searchweek)
        return Week;
    // No box ticked (only a hand-edited file can say so): daily, as a fresh start has it.
    return Day;
}

void Scheduler::checkschedule()
{
    guard("Scheduler", "Sub checkschedule", [&] {
        if (m_state.searching)
            return;
        if (!m_state.settings.schedulerunning) {
            setlabel(u"Scheduler OFF"_s);
            return;
        }
        const int due = firstdue();
        if (due != 0)
            startdomain(due);
    });
}

// The first domain in list order whose interval has passed, 0 for none. Only the first searched
// domain's count-down is shown, however many follow it.
int Scheduler::firstdue()
{
    const Array1<SearchSession> &domains = m_state.urldata;
    const int every = interval(m_state.settings);
    const std::int64_t now = calctime(GetDateFormat());
    const QSet<QString> named = competitors::named(m_state);
    bool first = true;
    for (int i = 1; i <= domains.ubound(); ++i) {
        // A competitor's results come with its domain's search.
        if (competitors::derived(domains[i], named))
            continue;
        const QString &last = domains[i].lastscheduletime;
        if (last.isEmpty())
            return i;
        const std::int64_t remaining = std::int64_t(calctime(last)) + every - now;
        if (remaining < 1)
            return i;
        if (std::exchange(first, false))
            setlabel(displaytime(remaining));
    }
    return 0;
}

// Selects the domain as a user picking it would, so the search runs with its own keywords,
// page depth and check boxes.
void Scheduler::startdomain(int index)
{
    setlabel(u"Scheduled searches running"_s);
    if (!m_run.internetconnect() && m_state.settings.isautoconnect) {
        // A failed dial is not reported: the search waits for the connection as any search does.
        m_dialup.InternetAutodial(Unattended);
        m_state.autodialled = true;
    }
    SearchSession &session = m_state.urldata[index];
    session.lastscheduletime = GetDateFormat();
    m_state.txturl = session.url;
    m_window.setTxturlsText(session.url);
    m_window.disall();
    m_state.schedulesearching = true;
    m_state.schedulelast = true;
    const QSet<QString> named = competitors::named(m_state);
    for (int later = index + 1; later <= m_state.urldata.ubound(); ++later)
        m_state.schedulelast = m_state.schedulelast && competitors::derived(m_state.urldata[later], named);
    m_run.mnusearch_Click();
    if (m_state.searching)
        return;
    // Refused (no keywords, offline): no run of the scheduler's is going on, so a search the
    // user starts next must not be taken for the end of the cycle.
    const bool last = m_state.schedulelast;
    m_state.schedulesearching = false;
    m_state.schedulelast = false;
    if (last)
        m_state.pages.clear();
    if (last && m_cycleend)
        m_cycleend(false);
}

void Scheduler::autodialhangup()
{
    guard("Scheduler", "Sub autodialhangup", [&] { m_dialup.InternetAutodialHangup(); });
}

bool Scheduler::saveall()
{
    bool saved = false;
    guard("Scheduler", "Sub saveall", [&] {
        // The options panel lets the file name be emptied while the scheduler runs.
        if (m_state.settings.schedulefile.isEmpty())
            throw Failure::cannotWrite(u"the scheduled searches"_s,
                                       u"no results file is set in the schedule options"_s);
        saved = m_save && m_save();
    });
    if (m_cycleend)
        m_cycleend(true);
    return saved;
}

bool Scheduler::mnustartschedule_Click(Prompts &prompts)
{
    bool started = false;
    guard("Scheduler", "Sub mnustartschedule_Click", [&] {
        if (m_state.settings.schedulefile.isEmpty()) {
            prompts.message(u"You must enter a filename for results before starting scheduled operation"_s);
            return;
        }
        m_state.settings.schedulerunning = true;
        started = true;
    });
    return started;
}

void Scheduler::mnustopschedule_Click()
{
    guard("Scheduler", "Sub mnustopschedule_Click", [&] { m_state.settings.schedulerunning = false; });
}

void Scheduler::setlabel(const QString &text)
{
    if (text == m_label)
        return;
    m_label = text;
    if (m_labelsink)
        m_labelsink(text);
}

#pragma once

#include "diagnostics/int16.h"
#include "domainlist.h"
#include "fetcher.h"
#include "schedulerhooks.h"
#include "socketpool.h"

#include <QObject>
#include <QTimer>

#include <optional>

struct SearchState;
class Connection;
class Prompts;
class SearchWindow;

// A page depth as typed: a whole number of pages from 1 to 32767; nothing for any other text.
std::optional<int> readpagedepth(const QString &text);

// Starts, drives and stops a search. Its timer is the program's main loop: every second
// during a search each tick yields to the event loop once, then lets the fetcher advance the
// jobs under way and start waiting ones while connections are free; every five seconds
// otherwise it runs the idle chores.
class SearchRun final : public QObject
{
    Q_OBJECT
public:
    SearchRun(SearchState &state, SearchWindow &window, Prompts &prompts, const Connection &connection,
              QObject *parent = nullptr);

    void mnusearch_Click();
    void doit_Click() { mnusearch_Click(); }
    void Dostop_Click();
    void Timer1_Timer();
    void getdata();
    // Keywords of the last run that ended without their ranking: refused, given up, blocked,
    // unreadable or stopped. A keyword answered has every page of its depth, or stopped at the
    // domain's first hit.
    int unanswered() const;
    bool internetconnect() const;
    void timedwarning(const QString &text);
    // The warning panel's OK button.
    void cmdwarnok_Click();

    bool warningVisible() const { return m_warningVisible; }
    int warncount() const { return m_warncount; }
    // The timer's nominal interval (1000 during a search, 5000 idle) and whether it is enabled.
    int interval() const { return m_interval; }
    bool timerActive() const { return m_timer.isActive(); }
    // How long one nominal second of the timer really lasts; tests shorten it. Time-outs are
    // counted in ticks and are not affected.
    void setTickLength(int milliseconds);
    // Shut-down: no tick may run once the state is being stored.
    void stoptimer() { m_timer.stop(); }
    // The end of start-up: the timer afresh at its idle interval.
    void startidle();

    DomainList &domains() { return m_domains; }
    SocketPool &pool() { return m_pool; }
    Fetcher &fetcher() { return m_fetcher; }

    // The scheduler the run reports to; nullptr for none.
    void setscheduler(SchedulerHooks *scheduler) { m_scheduler = scheduler != nullptr ? scheduler : &m_noscheduler; }

signals:
    // A run passed its checks and is about to replace the domain's results.
    void searchStarting();
    // The run ended: every job is done, or it was stopped.
    void searchEnded();

private:
    void settimer(int interval);
    int scaledinterval() const;
    void idlechores();
    bool walkjobs(int &inprogress, int &completed, int &total);
    // A job at its depth is finished here; whether the job is done.
    bool finishjob(int jobindex);
    // The walk starts over at the first job of the list.
    void resetwalk();
    void advancejob(int jobindex);
    void endrun();

    SearchState &m_state;
    SearchWindow &m_window;
    Prompts &m_prompts;
    const Connection &m_connection;
    SocketPool m_pool;
    Fetcher m_fetcher;
    DomainList m_domains;
    QTimer m_timer;
    int m_interval = 5000;
    int m_ticklength = 1000;
    bool m_intick = false;
    // The walk: jobs before m_next have been started; m_running are those of them not yet done,
    // in order; m_walked is the size of the job list the walk belongs to.
    int m_next = 1;
    QList<int> m_running;
    int m_completed = 0;
    int m_walked = 0;
    Int16 m_warncount;
    bool m_warningVisible = false;
    SchedulerHooks m_noscheduler;
    SchedulerHooks *m_scheduler = &m_noscheduler;
};

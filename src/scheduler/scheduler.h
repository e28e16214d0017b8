#pragma once

#include "search/schedulerhooks.h"

#include <QString>

#include <functional>

class Dialup;
class Prompts;
class SearchRun;
class SearchWindow;
struct SearchState;
struct Settings;

// Repeats the search of every domain at the chosen interval. On each idle tick of the run's
// timer it either shows the first domain's count-down or starts the first due domain; the run
// reports back when the last domain of a cycle ends, and the cycle is saved then.
class Scheduler final : public SchedulerHooks
{
public:
    // Reports to `run` from now until it is destroyed.
    Scheduler(SearchState &state, SearchWindow &window, SearchRun &run, Dialup &dialup);
    ~Scheduler() override;
    Scheduler(const Scheduler &) = delete;
    Scheduler &operator=(const Scheduler &) = delete;

    void checkschedule() override;
    void autodialhangup() override;
    bool saveall() override;

    // Switches the scheduler on; without a results file it says why and stays off, and the
    // caller opens the options panel (false).
    bool mnustartschedule_Click(Prompts &prompts);
    void mnustopschedule_Click();

    // Appends the whole state to the results file, true when it was saved; set by the front end,
    // which knows the window.
    void setsave(std::function<bool()> save) { m_save = std::move(save); }
    // Told when a cycle is over: after its last search (searched), or without it, as the last
    // domain's search did not start.
    void setcycleend(std::function<void(bool searched)> cycleend) { m_cycleend = std::move(cycleend); }
    // Receives the status label's text whenever it changes.
    void setlabelsink(std::function<void(const QString &)> sink) { m_labelsink = std::move(sink); }
    const QString &labscheduler() const { return m_label; }

    // Seconds between two searches of a domain.
    static int interval(const Settings &settings);

private:
    int firstdue();
    void startdomain(int index);
    void setlabel(const QString &text);

    SearchState &m_state;
    SearchWindow &m_window;
    SearchRun &m_run;
    Dialup &m_dialup;
    std::function<bool()> m_save;
    std::function<void(bool)> m_cycleend;
    std::function<void(const QString &)> m_labelsink;
    QString m_label;
};

#pragma once

#include <QObject>

#include <memory>

class Dialup;
class MainWindow;
struct MainMenus;
class Prompts;
class ScheduleOptionsPanel;
class Scheduler;
class SearchController;

// The scheduler in the window: its menu commands, its options panel (which it creates and
// owns), the count-down in the status line, and saving each finished cycle to the results file.
class SchedulerController final : public QObject
{
    Q_OBJECT
public:
    SchedulerController(MainWindow &window, const MainMenus &menus, SearchController &search, Prompts &prompts,
                        Dialup &dialup, QObject *parent = nullptr);
    ~SchedulerController() override;

    void mnustartschedule_Click();
    void mnustopschedule_Click();
    void mnuscheduleoptions_Click();
    void cmdscheduleopt_Click();
    void cmdscheduleoptcancel_Click();
    void cmdschedulebrowse_Click();

    // The interval boxes as a fresh start has them: unticked, ticked, unticked.
    void startvalues();

    Scheduler &scheduler() const { return *m_scheduler; }
    ScheduleOptionsPanel &frascheduleopt() const { return *m_frascheduleopt; }

private:
    void connectpanel();
    bool savecycle();

    MainWindow &m_window;
    Prompts &m_prompts;
    std::unique_ptr<Scheduler> m_scheduler;
    std::unique_ptr<ScheduleOptionsPanel> m_frascheduleopt;
};

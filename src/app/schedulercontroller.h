#pragma once

#include <QObject>

#include <memory>

struct AppState;
class Dialup;
class FileDialogs;
struct MainControls;
struct MainMenus;
class Prompts;
class ScheduleOptionsPanel;
class Scheduler;
class SearchController;
class WindowLayout;

// The scheduler in the window: its menu commands, its options panel (which it creates and
// owns), the count-down in the status line, and saving each finished cycle to the results file.
class SchedulerController final : public QObject
{
    Q_OBJECT
public:
    SchedulerController(AppState &state, const MainControls &controls, const MainMenus &menus, QWidget &client,
                        WindowLayout &layout, SearchController &search, Prompts &prompts, FileDialogs &dialogs,
                        Dialup &dialup);
    ~SchedulerController() override;

    void mnustartschedule_Click();
    void mnustopschedule_Click();
    void mnuscheduleoptions_Click();
    void cmdscheduleopt_Click();
    void cmdscheduleoptcancel_Click();
    void cmdschedulebrowse_Click();

    Scheduler &scheduler() const { return *m_scheduler; }
    ScheduleOptionsPanel &frascheduleopt() const { return *m_frascheduleopt; }

private:
    void connectpanel();
    // The interval boxes as a fresh start has them: unticked, ticked, unticked.
    void startvalues();
    bool savecycle();

    AppState &m_state;
    WindowLayout &m_layout;
    Prompts &m_prompts;
    FileDialogs &m_dialogs;
    std::unique_ptr<Scheduler> m_scheduler;
    std::unique_ptr<ScheduleOptionsPanel> m_frascheduleopt;
};

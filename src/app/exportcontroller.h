#pragma once

#include <QObject>

struct AppState;
class FileDialogs;
struct MainMenus;
class Prompts;
class ResultsView;
class StatusPanels;

// The File menu's CSV export: the current results, or in the history view the history lines
// under its filters, to the file the user picks (remembered in the "csvfile" setting).
class ExportController final : public QObject
{
    Q_OBJECT
public:
    ExportController(AppState &state, const MainMenus &menus, ResultsView &results, StatusPanels &panels,
                     Prompts &prompts, FileDialogs &dialogs);

    void mnucsv_Click();

private:
    AppState &m_state;
    ResultsView &m_results;
    StatusPanels &m_panels;
    Prompts &m_prompts;
    FileDialogs &m_dialogs;
};

#pragma once

#include <QObject>

class MainWindow;
struct MainMenus;
class Prompts;
class StatusPanels;

// The File menu's CSV export: the current results, or in the history view the history lines
// under its filters, to the file the user picks (remembered in the "csvfile" setting).
class ExportController final : public QObject
{
    Q_OBJECT
public:
    ExportController(MainWindow &window, const MainMenus &menus, StatusPanels &panels, Prompts &prompts,
                     QObject *parent = nullptr);

    void mnucsv_Click();

private:
    MainWindow &m_window;
    StatusPanels &m_panels;
    Prompts &m_prompts;
};

#pragma once

#include <QObject>

struct AppState;
class FileDialogs;
struct MainControls;
struct MainMenus;
class Prompts;
class StatusPanels;
class WebBrowser;

// The HTML report (File > HTML report): of the view shown, written to the file the user picks
// (remembered in the "htmlfile" setting) and opened in the browser.
class ReportController final : public QObject
{
    Q_OBJECT
public:
    ReportController(AppState &state, const MainControls &controls, const MainMenus &menus, StatusPanels &panels,
                     Prompts &prompts, FileDialogs &dialogs, WebBrowser &browser);

    // The report command (`mnuhtml_Click`).
    void mnuhtml_Click();

private:
    AppState &m_state;
    const MainControls &m_controls;
    StatusPanels &m_panels;
    Prompts &m_prompts;
    FileDialogs &m_dialogs;
    WebBrowser &m_browser;
};

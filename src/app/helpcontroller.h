#pragma once

#include "help/help.h"
#include "update/checkforupdates.h"

#include <QObject>

#include <memory>

struct AppState;
struct MainControls;
struct MainMenus;
class AboutPanel;
class Shell;
class StatusPanels;

// Help, the about panel and the update check: the help icons, the help button and the Help
// menu open help; the about panel, which it creates over the window and owns, shows the
// version; a newer version announced by the update host is offered in the message panel.
class HelpController final : public QObject
{
    Q_OBJECT
public:
    HelpController(AppState &state, const MainControls &controls, const MainMenus &menus, QWidget &client,
                   StatusPanels &panels, Shell &shell);
    ~HelpController() override;

    void mnuabout_Click();
    void aboutok_Click();
    // The update host announced a newer version.
    void newversion(const QString &message);
    // Starts the updater and closes the program, or says what to do instead where this copy
    // has no updater.
    void Autodownload_Click();

    AboutPanel &aboutframe() const { return *m_aboutframe; }
    Checkforupdates &updates() { return m_updates; }

private:
    QWidget &m_client;
    StatusPanels &m_panels;
    Shell &m_shell;
    ShellHelpOpener m_opener;
    Help m_help;
    Checkforupdates m_updates;
    std::unique_ptr<AboutPanel> m_aboutframe;
};

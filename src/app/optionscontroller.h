#pragma once

#include <QObject>

#include <memory>

class Autostart;
class MainWindow;
struct MainMenus;
class OptionsPanel;
class Shell;

// The options panel over the main window, which it creates and owns: the menu entry opens and
// closes it, Continue takes the edited values over at once (the settings file is written when
// the program ends), Cancel takes nothing over.
class OptionsController final : public QObject
{
    Q_OBJECT
public:
    OptionsController(MainWindow &window, const MainMenus &menus, Shell &shell, Autostart &autostart,
                      QObject *parent = nullptr);
    ~OptionsController() override;

    void mnuOptions_Click();
    void btnoptionscont_Click();
    void btnoptcancel_Click();
    void cmdgetapi_Click();

    OptionsPanel &fraoptions() const { return *m_fraoptions; }

    // Where a key for the search engine's programming interface is obtained.
    static QString apikeyaddress();

private:
    MainWindow &m_window;
    Shell &m_shell;
    Autostart &m_autostart;
    std::unique_ptr<OptionsPanel> m_fraoptions;
};

#pragma once

#include <QObject>

#include <memory>

struct AppState;
class Autostart;
class Connection;
struct MainMenus;
class OptionsPanel;
class ServiceCheck;
struct Settings;
class WebBrowser;
class WindowLayout;

// The options panel over the main window, which it creates and owns: the menu entry opens and
// closes it, Continue takes the edited values over at once (the settings file is written when
// the program ends), Cancel takes nothing over.
class OptionsController final : public QObject
{
    Q_OBJECT
public:
    OptionsController(AppState &state, const MainMenus &menus, QWidget &client, WindowLayout &layout,
                      WebBrowser &browser, Autostart &autostart, const Connection &connection);
    ~OptionsController() override;

    void mnuOptions_Click();
    void btnoptionscont_Click();
    void btnoptcancel_Click();
    void cmdgetapi_Click();
    // Test: one search through the service the boxes name, without taking them over; the window
    // stays responsive, and the verdict shows under the service's boxes.
    void cmdtestservice_Click();

    OptionsPanel &fraoptions() const { return *m_fraoptions; }

    // Where a key for the search engine's programming interface is obtained.
    static QString apikeyaddress();

private:
    // The panel's boxes over the settings s (the colour scheme and the start-up entry aside).
    void takeover(Settings &s) const;

    AppState &m_state;
    WindowLayout &m_layout;
    WebBrowser &m_browser;
    Autostart &m_autostart;
    const Connection &m_connection;
    std::unique_ptr<OptionsPanel> m_fraoptions;
    std::unique_ptr<ServiceCheck> m_check;
};

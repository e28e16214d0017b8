#pragma once

#include <QMetaObject>

#include <memory>

struct AppState;
class InstanceLock;
struct MainControls;
class QWidget;
class SplashWindow;
class SearchController;
class StatusPanels;
class TrayIcon;
class WebBrowser;
class WindowLayout;

// Start-up and shut-down of the main window: the splash window while the program starts, the
// start values, the settings file read into the window and, at the close, written back with
// the window's place and column widths, the log's end line and the tray icon removed. The
// settings file is also written at the end of every search run, so a crash loses at most the
// run in progress.
class Startup final
{
public:
    Startup(AppState &state, const MainControls &controls, QWidget &client, WindowLayout &layout, StatusPanels &panels,
            SearchController &search, TrayIcon &tray, WebBrowser &browser);
    ~Startup();

    void Form_Load();
    void Form_Unload();
    // Writes everything into the settings file.
    void storeall();

    SplashWindow *frmSplash() const { return m_splash.get(); }

private:
    void loadsettings();

    AppState &m_state;
    const MainControls &m_controls;
    QWidget &m_client;
    WindowLayout &m_layout;
    StatusPanels &m_panels;
    SearchController &m_search;
    TrayIcon &m_tray;
    WebBrowser &m_browser;
    std::unique_ptr<InstanceLock> m_lock;
    std::unique_ptr<SplashWindow> m_splash;
    QMetaObject::Connection m_runended;
    bool m_unloaded = false;
};

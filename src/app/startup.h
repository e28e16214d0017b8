#pragma once

#include <QMetaObject>

#include <memory>

class InstanceLock;
class SplashWindow;
class MainWindow;
class SearchController;
class StatusPanels;
class WebBrowser;

// Start-up and shut-down of the main window: the splash window while the program starts, the
// start values, the settings file read into the window and, at the close, written back with
// the window's place and column widths, the log's end line and the tray icon removed. The
// settings file is also written at the end of every search run, so a crash loses at most the
// run in progress.
class Startup final
{
public:
    Startup(MainWindow &window, StatusPanels &panels, SearchController &search, WebBrowser &browser);
    ~Startup();

    void Form_Load();
    void Form_Unload();
    // Writes everything into the settings file.
    void storeall();

    SplashWindow *frmSplash() const { return m_splash.get(); }

private:
    void loadsettings();

    MainWindow &m_window;
    StatusPanels &m_panels;
    SearchController &m_search;
    WebBrowser &m_browser;
    std::unique_ptr<InstanceLock> m_lock;
    std::unique_ptr<SplashWindow> m_splash;
    QMetaObject::Connection m_runended;
    bool m_unloaded = false;
};

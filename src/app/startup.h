#pragma once

#include "storage/windowplacement.h"

#include <memory>

class InstanceLock;
class MainWindow;
class SearchController;
class StatusPanels;

// Start-up and shut-down of the main window: the settings file read into the window at the
// start and written back, with the window's place and column widths, at the close.
class Startup final
{
public:
    Startup(MainWindow &window, StatusPanels &panels, SearchController &search);
    ~Startup();

    void Form_Load();
    void Form_Unload();

    // The window's place on the screen in twips, and moving it there.
    WindowPlacement placement() const;
    void applyplacement(const WindowPlacement &placement);

private:
    MainWindow &m_window;
    StatusPanels &m_panels;
    SearchController &m_search;
    std::unique_ptr<InstanceLock> m_lock;
    bool m_unloaded = false;
};

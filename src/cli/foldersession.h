#pragma once

#include "storage/instancelock.h"
#include "storage/windowplacement.h"

#include <QList>

#include <optional>
#include <utility>

struct SearchState;
class HeadlessWindow;

// The search state in the program's folder, loaded and stored as the desktop program's start-up
// and shut-down do, for a command line that has no window: the stored window placement and
// column widths go back unchanged.
class FolderSession final
{
public:
    // Takes the instance lock: while another instance runs, its file is left alone.
    explicit FolderSession(SearchState &state);

    // Reads the settings file; a failure's report goes to standard error and what was read
    // before it stays. Fills the domain box as start-up does.
    void load(HeadlessWindow &window);
    // Writes everything back. A file that was not fully read is left as it is, so a damaged
    // entry cannot take the entries after it with it. False when nothing could be written.
    bool store();
    bool damaged() const { return m_damaged; }
    // What the file keeps of the window besides its placement (read by load).
    WindowSettings &windowsettings() { return m_window; }
    // Makes store() write this placement and these column widths instead of the stored ones.
    void setwindow(const WindowPlacement &placement, const QList<int> &columnwidths);
    QString inipath() const;

private:
    QList<int> storedcolumnwidths() const;

    SearchState &m_state;
    // What the file holds of the window goes back as it was read.
    WindowSettings m_window;
    InstanceLock m_lock;
    bool m_damaged = false;
    std::optional<std::pair<WindowPlacement, QList<int>>> m_placed;
};

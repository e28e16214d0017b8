#pragma once

#include "search/settings.h"
#include "storage/instancelock.h"
#include "storage/windowplacement.h"

#include <QList>

#include <optional>
#include <utility>

struct RecordWindow;
struct SearchState;
class HeadlessWindow;

// What a record saved without a window keeps of it: the placement stored in the settings file
// inifile, the results columns of windowsettings and the domain box's text.
RecordWindow storedrecordwindow(const QString &inifile, const WindowSettings &windowsettings, const QString &txturls);

// The search state in the program's folder, loaded and stored as the desktop program's start-up
// and shut-down do, for a command line that has no window: the stored window placement and
// column widths go back unchanged.
class FolderSession final
{
public:
    // Takes the instance lock: while another instance runs, its file is left alone. Removes
    // what an instance killed while replacing the file left behind.
    explicit FolderSession(SearchState &state);

    // Why the settings file cannot serve a run, in plain words ("" when it can): it must be a
    // file that can be read, if it exists, and replaced.
    QString problem() const;
    bool anotherinstance() const { return m_lock.anotherinstance(); }

    // Reads the settings file; a failure's report goes to standard error and what was read
    // before it stays. Fills the domain box as start-up does.
    void load(HeadlessWindow &window);
    // The command line's one-off options are applied: from here on, a setting that changes is
    // the command's own doing and is stored; every other setting is stored as it was read, so
    // an option given for one run (a password, a host) does not end up in the file.
    void beginrun();
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
    Settings storedsettings() const;

    SearchState &m_state;
    // What the file holds of the window goes back as it was read.
    WindowSettings m_window;
    // The settings as read, and as they were when the run began.
    Settings m_loaded;
    Settings m_begun;
    InstanceLock m_lock;
    bool m_damaged = false;
    std::optional<std::pair<WindowPlacement, QList<int>>> m_placed;
};

#pragma once

#include "cli/headlesswindow.h"
#include "foldersession.h"
#include "search/searchstate.h"
#include "storage/historydata.h"

#include <QCommandLineParser>
#include <QStringList>

// What the analysis, detail and report commands start from: the program folder's state as
// start-up reads it and, with --history, the records of that history file.
class ViewInput final
{
public:
    ViewInput();

    // Opens the history file as the history view does (view mode 3 afterwards); a missing file
    // or one without records is reported on standard error and gives false.
    bool openhistory(const QString &path);

    SearchState &state() { return m_state; }
    const SearchState &state() const { return m_state; }
    FolderSession &folder() { return m_folder; }
    const HistoryData &historydata() const { return m_historydata; }
    // 2 for the analysis of the current results, 3 after openhistory.
    int viewmode() const { return m_viewmode; }

private:
    SearchState m_state;
    HeadlessWindow m_window;
    FolderSession m_folder;
    HistoryIndex m_index;
    Array1<HistoryEntry> m_current;
    HistoryData m_historydata;
    int m_viewmode = 2;
};

// Parses args for command against the given options and the number of positional arguments;
// false after printing the problem and usage on standard error.
bool parseview(QCommandLineParser &parser, const QString &command, const QStringList &args,
               const QList<QCommandLineOption> &options, int positionals, const QString &usage);

// Prints the accumulated error text on standard error; true when there was any.
bool reportfailures();

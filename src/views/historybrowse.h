#pragma once

#include "historyrows.h"

class FileDialogs;
class Prompts;
struct SearchState;

// What the History command needs of the main window besides its message boxes and file dialogs.
class HistoryViewWindow
{
public:
    virtual ~HistoryViewWindow() = default;
    virtual int viewmode() const = 0;
    virtual void displaybits(int mode) = 0;
    // Shows the selected domain's stored keywords, settings and results.
    virtual void disall() = 0;
    virtual void setwait(const QString &text) = 0;
    virtual void clearwait() = 0;
    virtual void writemessagebox(const QString &text) = 0;
    // The history list and its filters again from the lists: the layout of the current view
    // mode, the filter boxes, and the listed lines.
    virtual void showhistory() = 0;
};

// The History command (`mnuhistory_Click`, also the HISTORY button) and the history view's
// events in view mode 1. The file is read through its index (brought up to date first), never
// whole into memory; the search mode's data is not touched, so it is the same afterwards.
class HistoryBrowse final
{
public:
    // index holds the opened file; historydata is what the views read (the index after an open,
    // the current results in the analysis of them). Both and recorddates are the main window's,
    // shared with the analysis, the reports and the history commands.
    HistoryBrowse(SearchState &state, HistoryIndex &index, HistoryData &historydata, Array1<QString> &recorddates,
                  HistoryLists &lists, HistoryViewWindow &window, Prompts &prompts, FileDialogs &dialogs);

    void mnuhistory_Click();
    // Opens filename as the dialog's answer would (for the command line).
    void openhistory(const QString &filename);

    void historydates_Click();
    void historyurls_Click();
    void historykeys_Click();
    void chkhistoryfirst_Click();
    void historyview_ColumnClick(const QString &header);

private:
    void listdates();

    SearchState &m_state;
    HistoryIndex &m_index;
    HistoryData &m_historydata;
    Array1<QString> &m_recorddates;
    HistoryLists &m_lists;
    HistoryViewWindow &m_window;
    Prompts &m_prompts;
    FileDialogs &m_dialogs;
};

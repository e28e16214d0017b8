#pragma once

#include "historyfile.h"

#include <QStringList>

class FileDialogs;
class Prompts;

// What the history commands need of the main window besides its message boxes and file dialogs.
class HistoryWindow : public RecordControls
{
public:
    // Switches the view mode (0 current results).
    virtual void displaybits(int mode) = 0;
    // Empties the results list `resultsview` and the detail box `txtdisplay`.
    virtual void clearresults() = 0;
    // The wait panel and the running message box.
    virtual void setwait(const QString &text) = 0;
    virtual void clearwait() = 0;
    virtual void writemessagebox(const QString &text) = 0;
    // Hands the day log what the message box holds that the log does not, then closing.
    virtual void endlog(const QString &closing) = 0;
    // The window's place and the screen's size, in twips.
    virtual WindowPlacement placement() const = 0;
    // What a saved record keeps of the window now.
    virtual RecordWindow recordwindow() const = 0;
    // After a load: the colour scheme and the button captions again, the record's column widths
    // and window placement when it carried them (placed is null otherwise), and the loaded results.
    virtual void showloaded(const WindowPlacement *placed) = 0;
};

// The date-choice panel `fraselectread`: its box `seldate` and whether it is shown.
struct SelectReadPanel
{
    bool visible = false;
    QStringList seldate;
    QString seldatetext;
};

// The manage-history panel `frahistory`.
struct ManagePanel
{
    bool visible = false;
    QString txtmhfile;
    QStringList mhdates;
    QString mhdatestext;
    // `mhlab2`, `mhdates` and `cmdmhdelete` shown, listing the dates of `readfile`.
    bool datesvisible = false;
    QString readfile;
    QString mhlab3;
    // The panel's context-help icon shown and enabled.
    bool helpicon = false;
};

// Load, save and manage history files. The window keeps the panels' texts in selectread() and
// manage() as the user edits them, runs a command, and shows the panels again from there.
class HistoryCommands final
{
public:
    // recorddates: the date-time texts of the records of the file last counted, shared with the
    // History command.
    HistoryCommands(SearchState &state, WindowSettings &windowsettings, Array1<QString> &recorddates,
                    HistoryWindow &window, Prompts &prompts, FileDialogs &dialogs);

    // LOAD DATA and the date-choice panel.
    void mnuload_Click();
    void cmdloadcontinue_Click();
    void cmdloadcancel_Click();
    // Continue with the record of that number (1-based), whatever its date-time text.
    void continuewith(int recordnumber);
    // SAVE DATA.
    void mnusave_Click();
    // The manage-history panel.
    void mnumanhis_Click();
    void cmdmhbrowse_Click();
    void cmdmhread_Click();
    // The file name was edited: unless it is the file read again, the dates listed are not its.
    void txtmhfile_Change();
    // Deletes the records of the chosen date of the file read, once the user confirmed how many.
    void cmdmhdelete_Click();
    void cmdmhclose_Click();

    SelectReadPanel &selectread() { return m_selectread; }
    ManagePanel &manage() { return m_manage; }

    // The file dialogs' filter, and the name they propose when no file was used yet.
    static QString filter();
    static QString defaultname();
    // Where Delete Selected leaves its copy of the new file.
    static QString tempfile();
    // What Delete Selected asks before `count` records of `date` go.
    static QString deletequestion(int count, const QString &date, const QString &filename);

private:
    // Reads the file's save dates into the record dates, asking first when the file is missing;
    // the number of saves, or 0 when there are none to show (the user was told why, or stopped).
    Int16 readdates(const QString &filename);
    void loadrecord(const QString &filename, int recordnumber, bool waitfirst);

    SearchState &m_state;
    WindowSettings &m_windowsettings;
    Array1<QString> &m_recorddates;
    HistoryWindow &m_window;
    Prompts &m_prompts;
    FileDialogs &m_dialogs;
    SelectReadPanel m_selectread;
    ManagePanel m_manage;
};

#include "historycommands.h"

#include "diagnostics/datetext.h"
#include "diagnostics/errorreports.h"
#include "diagnostics/guard.h"
#include "platform/filedialogs.h"
#include "platform/programfolder.h"
#include "platform/prompts.h"
#include "search/searchstate.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString FileMissing = u"File doesn't exist! "_s;
const QString NoData = u"No suitable data in file"_s;

QString startname(const QString &stored)
{
    return stored.isEmpty() ? HistoryCommands::defaultname() : stored;
}

QStringList texts(const Array1<QString> &dates)
{
    return QStringList(dates.begin(), dates.end());
}

} // namespace

HistoryCommands::HistoryCommands(SearchState &state, WindowSettings &windowsettings, Array1<QString> &recorddates,
                                 HistoryWindow &window, Prompts &prompts, FileDialogs &dialogs)
    : m_state(state), m_windowsettings(windowsettings), m_recorddates(recorddates), m_window(window),
      m_prompts(prompts), m_dialogs(dialogs)
{}

QString HistoryCommands::filter()
{
    return u"sav files (*.sav)|*sav|Text files (*.txt)|*txt|All files (*.*)|*"_s;
}

QString HistoryCommands::defaultname()
{
    return Failure::productName().toLower() + u".sav"_s;
}

QString HistoryCommands::tempfile()
{
    return QDir(programfolder::path()).filePath(u"tempxxx.sav"_s);
}

// A failing step of load and save is skipped and the command goes on: every step below traps
// its own failures, so these bodies run to their end.
void HistoryCommands::mnuload_Click()
{
    guard("Historycommands", "Sub mnuload_Click", [&] {
        m_window.displaybits(0);
        const auto chosen =
            m_dialogs.openfile({u"Select input file"_s, filter(), startname(m_state.settings.readfile)});
        if (!chosen)
            return;
        const QString filename = *chosen;
        const Int16 count = readdates(filename);
        if (count == 0)
            return;
        if (count == 1) {
            m_window.clearresults();
            m_state.settings.readfile = filename;
            loadrecord(filename, 1, true);
            return;
        }
        m_selectread.seldate = texts(m_recorddates);
        m_selectread.seldatetext = m_recorddates[m_recorddates.ubound()];
        m_state.settings.readfile = filename;
        m_selectread.visible = true;
    });
}

void HistoryCommands::cmdloadcontinue_Click()
{
    guard("Historycommands", "Sub cmdloadcontinue_Click", [&] {
        int found = 0;
        for (int n = 1; n <= m_recorddates.ubound() && found == 0; ++n) {
            if (m_recorddates[n] == m_selectread.seldatetext)
                found = n;
        }
        if (found == 0) {
            m_prompts.message(u"enter date does not match any entry in the file, please try again"_s);
            return;
        }
        continuewith(found);
    });
}

void HistoryCommands::continuewith(int recordnumber)
{
    m_selectread.visible = false;
    m_window.clearresults();
    loadrecord(m_state.settings.readfile, recordnumber, false);
}

void HistoryCommands::cmdloadcancel_Click()
{
    m_selectread.visible = false;
}

void HistoryCommands::loadrecord(const QString &filename, int recordnumber, bool waitfirst)
{
    if (waitfirst)
        m_window.setwait(u"loading data"_s);
    m_window.writemessagebox(u"Loading data from "_s + filename);
    if (!waitfirst)
        m_window.setwait(u"loading data"_s);
    const bool uselog = m_state.settings.uselog;
    WindowPlacement placement = m_window.placement();
    const bool placed =
        readall(filename, recordnumber, true, {m_state, m_windowsettings, placement, m_window}, m_prompts);
    // The record switched logging off: the log gets what the message box holds, and its end.
    if (uselog && !m_state.settings.uselog) {
        m_window.endlog(u"\r\n---End log "_s + Failure::productName() + u" --- at "_s + GetDateFormat() + u"\r\n"_s);
    }
    m_window.showloaded(placed ? &placement : nullptr);
    m_window.writemessagebox(u"data loaded"_s);
    m_window.clearwait();
}

void HistoryCommands::mnusave_Click()
{
    guard("Historycommands", "Sub mnusave_Click", [&] {
        const auto chosen =
            m_dialogs.savefile({u"Enter filename or Select file"_s, filter(), startname(m_state.settings.writefile)});
        if (!chosen)
            return;
        const QString filename = *chosen;
        bool overwrite = false;
        if (QFileInfo::exists(filename)) {
            const Prompts::Answer answer = m_prompts.question(u"File exists, Yes=Overwrite No=Add ? "_s);
            if (answer == Prompts::Answer::Cancel)
                return;
            // The old file goes only once the new one is complete.
            overwrite = answer == Prompts::Answer::Yes;
        }
        m_state.settings.writefile = filename;
        m_window.setwait(u"saving data"_s);
        m_window.writemessagebox(u"Saving data to "_s + filename);
        if (saveall(filename, m_state, m_windowsettings, m_window.recordwindow(), overwrite))
            m_window.writemessagebox(u"data Saved"_s);
        m_window.clearwait();
    });
}

void HistoryCommands::mnumanhis_Click()
{
    m_manage.datesvisible = false;
    m_manage.readfile.clear();
    m_manage.mhlab3.clear();
    m_manage.helpicon = false;
    m_manage.visible = true;
}

void HistoryCommands::cmdmhbrowse_Click()
{
    guard("Historycommands", "Sub cmdmhbrowse_Click", [&] {
        m_window.displaybits(0);
        const auto chosen =
            m_dialogs.openfile({u"Select input file"_s, filter(), startname(m_state.settings.readfile)});
        if (chosen) {
            m_manage.txtmhfile = *chosen;
            txtmhfile_Change();
        }
    });
}

Int16 HistoryCommands::readdates(const QString &filename)
{
    Int16 count;
    guard("Historycommands", "Function readdates", [&] {
        if (!QFileInfo::exists(filename) && !m_prompts.confirm(FileMissing))
            return;
        const errorreports::FileProblemWatch problems;
        const Int16 read = checkreadall(filename, m_prompts, m_recorddates);
        if (problems.said())
            return;
        if (read == 0)
            m_prompts.message(NoData);
        count = read;
    });
    return count;
}

void HistoryCommands::cmdmhread_Click()
{
    guard("Historycommands", "Sub cmdmhread_Click", [&] {
        const QString filename = m_manage.txtmhfile;
        m_manage.mhdates.clear();
        m_manage.mhdatestext.clear();
        // Until this file proves to be a history file, nothing of it may be deleted.
        m_manage.datesvisible = false;
        m_manage.readfile.clear();
        const Int16 count = readdates(filename);
        if (count == 0)
            return;
        m_manage.mhdatestext = m_recorddates[m_recorddates.ubound()];
        m_manage.mhdates = texts(m_recorddates);
        m_manage.datesvisible = true;
        m_manage.readfile = filename;
        m_manage.helpicon = m_state.settings.contexthelp;
    });
}

void HistoryCommands::txtmhfile_Change()
{
    if (m_manage.txtmhfile != m_manage.readfile)
        m_manage.datesvisible = false;
}

void HistoryCommands::cmdmhdelete_Click()
{
    guard("Historycommands", "Sub cmdmhdelete_Click", [&] {
        const QString filename = m_manage.txtmhfile;
        // Only a date listed from the file read: anything else would rewrite a file that is not
        // a history file, or one the dates are not from.
        if (!m_manage.datesvisible || filename != m_manage.readfile)
            return;
        if (!QFileInfo::exists(filename)) {
            m_prompts.message(FileMissing);
            return;
        }
        // Counted afresh: the file may have changed since it was read.
        checkreadall(filename, m_prompts, m_recorddates);
        const auto count = std::count(m_recorddates.begin(), m_recorddates.end(), m_manage.mhdatestext);
        if (count == 0) {
            m_prompts.message(u"enter date does not match any entry in the file, please try again"_s);
            return;
        }
        if (!m_prompts.confirm(deletequestion(int(count), m_manage.mhdatestext, filename)))
            return;
        m_recorddates.clear();
        historyfile::deleterecords(filename, m_manage.mhdatestext, tempfile());
        cmdmhread_Click();
    });
}

QString HistoryCommands::deletequestion(int count, const QString &date, const QString &filename)
{
    return u"Do you want to delete "_s + QString::number(count) + (count == 1 ? u" record"_s : u" records"_s) +
           u" of "_s + date + u" from "_s + QFileInfo(filename).fileName() + u" ?"_s;
}

void HistoryCommands::cmdmhclose_Click()
{
    m_manage.visible = false;
}

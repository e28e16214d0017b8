#include "historybrowse.h"

#include "diagnostics/guard.h"
#include "platform/filedialogs.h"
#include "platform/prompts.h"
#include "search/searchstate.h"
#include "storage/historycommands.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

HistoryBrowse::HistoryBrowse(SearchState &state, HistoryIndex &index, HistoryData &historydata,
                             Array1<QString> &recorddates, HistoryLists &lists, HistoryViewWindow &window,
                             Prompts &prompts, FileDialogs &dialogs)
    : m_state(state), m_index(index), m_historydata(historydata), m_recorddates(recorddates), m_lists(lists),
      m_window(window), m_prompts(prompts), m_dialogs(dialogs)
{}

void HistoryBrowse::mnuhistory_Click()
{
    guard("Historybrowse", "Sub mnuhistory_Click", [&] {
        if (m_state.searching) {
            m_prompts.message(
                u"Cannot display history data while a search is in progress, \r\n"
                "You must wait for the search to end or hit the 'STOP' button before selecting this option"_s);
            return;
        }
        if (m_window.viewmode() == 1 || m_window.viewmode() == 3) {
            m_window.displaybits(0);
            m_window.disall();
            return;
        }
        const QString &stored = m_state.settings.historyfile;
        const auto chosen = m_dialogs.openfile({u"Select input history file"_s, HistoryCommands::filter(),
                                                stored.isEmpty() ? HistoryCommands::defaultname() : stored});
        if (chosen)
            openhistory(*chosen);
    });
}

void HistoryBrowse::openhistory(const QString &filename)
{
    guard("Historybrowse", "Sub openhistory", [&] {
        const bool exists = QFileInfo::exists(filename);
        if (!exists && !m_prompts.confirm(u"File doesn't exist! "_s))
            return;
        m_index = HistoryIndex();
        m_historydata = HistoryData(m_index);
        const errorreports::FileProblemWatch problems;
        if (exists) {
            m_index = HistoryIndex::open(filename, [&] {
                m_state.settings.historyfile = filename;
                m_window.setwait(u"Loading history"_s);
                m_window.writemessagebox(u"Loading history from "_s + filename);
            });
            listdates();
        } else {
            m_prompts.message(u"File doesn't exist! "_s);
        }
        if (m_index.count() == 0) {
            if (!problems.said())
                m_prompts.message(u"No suitable data in file"_s);
            return;
        }
        m_window.writemessagebox(u"history loaded"_s);
        m_window.displaybits(1);
        historyrows::setuphistory(m_historydata, m_state.txturl, m_lists);
        m_window.showhistory();
        m_window.clearwait();
    });
}

// The records just counted, as the other history commands see them; their list counts to 32767.
void HistoryBrowse::listdates()
{
    guard("Historybrowse", "Sub checkreadall", [&] {
        m_recorddates.clear();
        for (int n = 1; n <= m_index.count(); ++n)
            m_recorddates.append(m_index.when(n));
    });
}

void HistoryBrowse::historydates_Click()
{
    historyrows::dishisurl(m_historydata, m_lists);
    m_window.showhistory();
}

void HistoryBrowse::historyurls_Click()
{
    historyrows::dishisurl(m_historydata, m_lists);
    m_window.showhistory();
}

void HistoryBrowse::historykeys_Click()
{
    historyrows::dishis(m_historydata, m_lists);
    m_window.showhistory();
}

void HistoryBrowse::chkhistoryfirst_Click()
{
    historyrows::dishis(m_historydata, m_lists);
    m_window.showhistory();
}

void HistoryBrowse::historyview_ColumnClick(const QString &header)
{
    historyrows::columnclick(m_lists, header);
    m_window.showhistory();
}

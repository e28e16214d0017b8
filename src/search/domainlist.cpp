#include "domainlist.h"

#include "diagnostics/guard.h"
#include "keysplit.h"
#include "platform/prompts.h"
#include "positions.h"
#include "search/searchstate.h"
#include "search/searchwindow.h"

#include <cstdint>
#include <limits>

using namespace Qt::Literals::StringLiterals;

DomainList::DomainList(SearchState &state, SearchWindow &window, Prompts &prompts)
    : m_state(state), m_window(window), m_prompts(prompts)
{}

void DomainList::sanitizeurl()
{
    guard("Domainlist", "Function sanitizeurl", [&] {
        const QString url = bareurl(QString(m_window.txturlsText()).remove(u' '));
        m_state.txturl = url;
        m_window.setTxturlsText(url);
    });
}

void DomainList::cmdadddomain_Click()
{
    guard("Domainlist", "Sub cmdadddomain_Click", [&] {
        sanitizeurl();
        if (m_state.txturl.isEmpty())
            return;
        if (findsession(m_state) != 0) {
            m_prompts.message(u"Domain already in list"_s);
            return;
        }
        SearchSession session;
        session.url = m_state.txturl;
        m_state.urldata.append(std::move(session));
        getdat(m_state.urldata.ubound());
        m_window.addTxturlsItem(m_state.txturl);
        m_window.disall();
    });
}

void DomainList::cmddeletedomain_Click()
{
    guard("Domainlist", "Sub cmddeletedomain_Click", [&] {
        sanitizeurl();
        if (m_state.txturl.isEmpty())
            return;
        const int d = findsession(m_state);
        if (d == 0) {
            m_window.setTxturlsText({});
            if (!m_state.urldata.isEmpty())
                m_window.setTxturlsText(m_state.urldata[1].url);
            m_window.disall();
            return;
        }
        const QString question = u"Do you want to remove "_s + m_state.txturl + u" and any associated data ?"_s;
        if (m_prompts.question(question) != Prompts::Answer::Yes)
            return;
        m_state.urldata.remove(d);
        m_window.clearTxturls();
        for (const SearchSession &session : m_state.urldata)
            m_window.addTxturlsItem(session.url);
        if (!m_state.urldata.isEmpty())
            m_window.setTxturlsText(m_state.urldata[1].url);
        m_window.disall();
    });
}

void DomainList::cmdsavechanges_Click()
{
    guard("Domainlist", "Sub cmdsavechanges_Click", [&] {
        sanitizeurl();
        const int d = findsession(m_state);
        if (d != 0) {
            getdat(d);
            return;
        }
        if (!m_state.urldata.isEmpty()) {
            const QString question =
                u"Do you want to add "_s + m_state.txturl + u" to the list of selected domains ?"_s;
            if (m_prompts.question(question) != Prompts::Answer::Yes)
                return;
        }
        cmdadddomain_Click();
    });
}

void DomainList::txturls_Click()
{
    guard("Domainlist", "Sub txturls_Click", [&] {
        sanitizeurl();
        m_window.disall();
    });
}

bool DomainList::keysfit()
{
    bool fits = true;
    guard("Domainlist", "Function keysfit", [&] {
        // The settings file counts a domain's keywords in 16 bits.
        constexpr qsizetype most = std::numeric_limits<std::int16_t>::max();
        const QString text = m_window.txtkeysText();
        // Each keyword ends at a carriage return: below the limit in those, nothing needs splitting.
        if (QStringView(text).count(u'\r') < most)
            return;
        const QStringList keys = splitkeys(text, m_window.txtkeysSelStart(), m_window.txtkeysSelLength()).keys;
        if (keys.size() <= most)
            return;
        fits = false;
        const qsizetype over = keys.size() - most;
        const QString which = over == 1 ? QString(u"the keyword \""_s + keys.last() + u"\" does"_s)
                                        : u"the "_s + QString::number(over) + u" keywords from \""_s + keys[most] +
                                              u"\" to \""_s + keys.last() + u"\" do"_s;
        m_prompts.message(u"A domain holds at most 32767 keywords; "_s + which +
                          u" not fit. Nothing was searched or changed."_s);
    });
    return fits;
}

void DomainList::getdat(int index)
{
    guard("Searchrun", "Sub getdat", [&] {
        if (!keysfit())
            return;
        SearchSession &session = m_state.urldata[index];
        session.pagedepth = m_window.pagedepthText();
        session.checkstop = m_window.chkstopafterhit() ? u"1"_s : u"0"_s;
        session.checkfirst = m_window.chkdispfirst() ? u"1"_s : u"0"_s;
        session.locale = searchlocale::normalised(m_window.searchlocale());
        const int selstart = m_window.txtkeysSelStart();
        const int sellength = m_window.txtkeysSelLength();
        const KeySplit split = splitkeys(m_window.txtkeysText(), selstart, sellength);
        if (split.sellength != sellength)
            m_window.setTxtkeysSelection(split.selstart, split.sellength);
        session.keys.clear();
        // New keywords show the statuses of this run's jobs afresh.
        for (FetchJob &job : m_state.jobs)
            job.shown = false;
        session.keys.reserve(int(split.keys.size()));
        for (const QString &key : split.keys) {
            KeywordResult keyword;
            keyword.key = key;
            session.keys.append(std::move(keyword));
        }
        m_window.writemessagebox(u"Searching on keys "_s + split.keys.join(u','));
    });
}

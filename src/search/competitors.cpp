#include "competitors.h"

#include "diagnostics/guard.h"
#include "pagecache.h"
#include "positions.h"
#include "search/searchstate.h"
#include "search/searchwindow.h"

#include <QHash>
#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace competitors {

namespace {

// Whether a domain of the list searches a keyword its namer does not: then it is the user's
// own domain, searched on its own, and taking it as a competitor would replace its keywords.
bool ownkeywords(const SearchSession &competitor, const SearchSession &owner)
{
    QSet<QString> searched;
    for (const KeywordResult &keyword : owner.keys)
        searched.insert(keyword.key);
    for (const KeywordResult &keyword : competitor.keys) {
        if (!searched.contains(keyword.key))
            return true;
    }
    return false;
}

int find(const SearchState &state, const QString &url)
{
    for (int d = 1; d <= state.urldata.ubound(); ++d) {
        if (state.urldata[d].url == url)
            return d;
    }
    return 0;
}

// The session of competitor `url`, added to the list when it is not there yet; 0 when the
// list is full.
int sessionof(SearchState &state, SearchWindow &window, const QString &url)
{
    if (const int d = find(state, url); d != 0)
        return d;
    if (state.urldata.ubound() >= 32767) {
        window.writemessagebox(u"The domain list is full: competitor "_s + url + u" is not kept"_s);
        return 0;
    }
    SearchSession session;
    session.url = url;
    state.urldata.append(std::move(session));
    window.addTxturlsItem(url);
    return state.urldata.ubound();
}

// The owner's keywords with the competitor's positions in the same hits.
void fill(SearchSession &session, const SearchSession &owner, const QHash<QString, const FetchJob *> &jobof)
{
    session.keys = owner.keys;
    session.resulttime = owner.resulttime;
    session.pagedepth = owner.pagedepth;
    session.checkstop = owner.checkstop;
    session.checkfirst = owner.checkfirst;
    session.lastscheduletime = owner.lastscheduletime;
    session.locale = owner.locale;
    session.competitors.clear();
    for (KeywordResult &keyword : session.keys) {
        const FetchJob *job = jobof.value(keyword.key);
        keyword.positions.clear();
        if (job == nullptr)
            continue;
        rankkeyword(keyword, job->hits, session);
        keyword.action = job->status;
    }
}

} // namespace

QStringList read(const QString &text, const QString &domain)
{
    QStringList result;
    guard("Competitors", "Function read", [&] {
        static const QRegularExpression separators(u"[,;\\s]+"_s);
        for (const QString &part : text.split(separators, Qt::SkipEmptyParts)) {
            const QString url = bareurl(part);
            if (!url.isEmpty() && url != domain && !result.contains(url))
                result << url;
        }
    });
    return result;
}

QString text(const QStringList &competitors)
{
    return competitors.join(u", "_s);
}

void derive(SearchState &state, SearchWindow &window, int owner)
{
    guard("Competitors", "Sub derive", [&] {
        if (owner < 1 || owner > state.urldata.ubound() || state.urldata[owner].competitors.isEmpty())
            return;
        QHash<QString, const FetchJob *> jobof;
        for (const FetchJob &job : state.jobs) {
            if (job.urlindex == owner)
                jobof.insert(job.key, &job);
        }
        int pages = 0;
        for (const FetchJob *job : std::as_const(jobof))
            pages += job->page;
        const QStringList names = state.urldata[owner].competitors;
        for (const QString &url : names) {
            const int d = sessionof(state, window, url);
            if (d == 0 || d == owner)
                continue;
            if (ownkeywords(state.urldata[d], state.urldata[owner])) {
                window.writemessagebox(url + u" searches keywords "_s + state.urldata[owner].url +
                                       u" does not: it keeps them and is searched on its own, not as a competitor"_s);
                continue;
            }
            fill(state.urldata[d], state.urldata[owner], jobof);
            state.pages.countsaved(pages);
            window.writemessagebox(u"Competitor "_s + url + u" read from the pages of "_s + state.urldata[owner].url);
        }
    });
}

void runended(SearchState &state, SearchWindow &window)
{
    guard("Competitors", "Sub runended", [&] {
        if (!state.jobs.isEmpty())
            derive(state, window, state.jobs[1].urlindex);
        if (const QString saved = savedtext(state.pages.savedrun(), u"in this run"_s); !saved.isEmpty())
            window.writemessagebox(saved);
        if (!state.schedulesearching || !state.schedulelast)
            return;
        if (const QString saved = savedtext(state.pages.savedtotal(), u"in this cycle"_s); !saved.isEmpty())
            window.writemessagebox(saved);
        state.pages.clear();
    });
}

QSet<QString> named(const SearchState &state)
{
    QSet<QString> result;
    guard("Competitors", "Function named", [&] {
        for (const SearchSession &session : state.urldata) {
            for (const QString &url : session.competitors) {
                const int d = find(state, url);
                if (d == 0 || !ownkeywords(state.urldata[d], session))
                    result.insert(url);
            }
        }
    });
    return result;
}

bool derived(const SearchSession &session, const QSet<QString> &named)
{
    bool result = false;
    // One that names competitors of its own is searched, so that two domains naming each other
    // are both searched; a domain never names itself (read leaves it out).
    guard("Competitors", "Function derived",
          [&] { result = session.competitors.isEmpty() && named.contains(session.url); });
    return result;
}

} // namespace competitors

#include "pagecache.h"

#include "diagnostics/guard.h"
#include "positions.h"
#include "requesttarget.h"
#include "search/searchstate.h"
#include "search/searchwindow.h"
#include "verdict.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// Everything that makes the service answer with another page: the service and where it lives,
// the locale of the job's domain, the keyword and the page.
QString pagekey(const SearchState &state, const FetchJob &job)
{
    const Settings &settings = state.settings;
    const RequestTarget target = searchtarget(settings, job.useapi);
    const int d = job.urlindex;
    const SearchLocale locale = d >= 1 && d <= state.urldata.ubound() ? state.urldata[d].locale : SearchLocale();
    QStringList parts = {enginename(settings), job.useapi ? u"api"_s : u"page"_s,  target.host,
                         target.prefix,        target.tls ? u"tls"_s : u"plain"_s, settings.searxngengines};
    for (const LocaleField &field : searchlocale::fields())
        parts << locale.*field.member;
    parts << QString::number(int(job.page)) << job.key;
    // A unit separator cannot be typed into any of the parts.
    return parts.join(QChar(0x1f));
}

} // namespace

void PageCache::clear()
{
    m_pages.clear();
    m_savedrun = 0;
    m_savedtotal = 0;
}

void PageCache::remember(const SearchState &state, const FetchJob &job, const QList<ServiceHit> &hits,
                         const QString &notes)
{
    guard("Pagecache", "Sub remember", [&] {
        if (sharing)
            m_pages.insert(pagekey(state, job), Page{hits, notes});
    });
}

bool PageCache::serve(SearchState &state, int jobindex, SearchWindow &window)
{
    bool served = false;
    guard("Pagecache", "Function serve", [&] {
        FetchJob &job = state.jobs[jobindex];
        while (sharing && !job.done && job.page < state.pagedepth) {
            const auto found = m_pages.constFind(pagekey(state, job));
            if (found == m_pages.cend())
                return;
            for (const ServiceHit &hit : found->hits)
                job.hits.append(SearchHit{hit.url, hit.title, hit.abstract, Int16(hit.position), {}});
            addnote(job.notes, found->note);
            const QString n = QString::number(job.page + 1);
            window.writemessagebox(u"Page "_s + n + u" search term "_s + job.key + u" read before, not asked again"_s);
            job.status = u"received page "_s + n;
            job.page += 1;
            ++m_savedrun;
            ++m_savedtotal;
            getpositions(state, jobindex, window.chkstopafterhit());
        }
        // Finished here, as the run's walk would finish it, so that the walk goes on to the next
        // job in the same tick instead of waiting on one that needs no connection.
        served = finishatdepth(job, state.pagedepth, window);
    });
    return served;
}

QString savedtext(int saved, const QString &what)
{
    if (saved == 0)
        return {};
    return QString::number(saved) + (saved == 1 ? u" request"_s : u" requests"_s) + u" saved "_s + what +
           u": result pages shared between domains"_s;
}

#include "positions.h"

#include "diagnostics/guard.h"
#include "search/searchstate.h"
#include "verdict.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int TopCount = 10;

// The first index of urldata equal to the job's urlindex; 0 (whose keys are empty) if none.
int findsession(const SearchState &state, int urlindex)
{
    return urlindex >= 1 && urlindex <= state.urldata.ubound() ? urlindex : 0;
}

// Rebuilt from all hits every time, so the result never depends on earlier calls.
void rebuild(KeywordResult &keyword, const Array1<SearchHit> &hits, const SearchSession &session)
{
    keyword.positions.clear();
    keyword.urls.clear();
    keyword.titles.clear();
    for (const SearchHit &hit : hits) {
        if (keyword.urls.ubound() < TopCount) {
            keyword.urls.append(hit.url);
            keyword.titles.append(hit.title);
        }
        if (match(hit, session))
            keyword.positions.append(hit);
    }
}

// The keywords the job answers: those it was made for while they still carry its key (a long
// run would otherwise look through every keyword for each page), else every keyword with its key.
QList<int> keywordsof(const FetchJob &job, const SearchSession &session)
{
    const auto listed = [&](int k) { return k >= 1 && k <= session.keys.ubound() && session.keys[k].key == job.key; };
    if (!job.keywords.isEmpty() && std::all_of(job.keywords.cbegin(), job.keywords.cend(), listed))
        return job.keywords;
    QList<int> found;
    for (int k = 1; k <= session.keys.ubound(); ++k) {
        if (session.keys[k].key == job.key)
            found.append(k);
    }
    return found;
}

} // namespace

QString bareurl(const QString &url)
{
    QString bare;
    guard("Positions", "Function bareurl", [&] {
        bare = url.toLower();
        // Results have been https for years; the two schemes name the same site.
        if (bare.size() >= 8 && bare.startsWith(u"http://"))
            bare.remove(0, 7);
        else if (bare.size() >= 9 && bare.startsWith(u"https://"))
            bare.remove(0, 8);
        if (bare.size() >= 5 && bare.startsWith(u"www."))
            bare.remove(0, 4);
    });
    return bare;
}

bool match(const SearchHit &hit, const SearchSession &session)
{
    bool result = false;
    guard("Positions", "Function match", [&] {
        const QString url = bareurl(hit.url);
        const QString domain = session.url.toLower();
        // Anything that merely begins with the domain counts, a path or a longer host name alike.
        result = url.startsWith(domain);
    });
    return result;
}

void getpositions(SearchState &state, int jobindex, bool stopafterhit)
{
    guard("Positions", "Sub getpositions", [&] {
        FetchJob &job = state.jobs[jobindex];
        SearchSession &session = state.urldata[findsession(state, job.urlindex)];
        for (const int k : keywordsof(job, session)) {
            KeywordResult &keyword = session.keys[k];
            rebuild(keyword, job.hits, session);
            if (!keyword.positions.isEmpty() && stopafterhit) {
                job.done = true;
                job.status = completestatus(job.page, job.notes);
            }
        }
    });
}

void rankkeyword(KeywordResult &keyword, const Array1<SearchHit> &hits, const SearchSession &session)
{
    guard("Positions", "Sub rankkeyword", [&] { rebuild(keyword, hits, session); });
}

#include "resultrows.h"

#include "diagnostics/guard.h"
#include "diagnostics/numtext.h"
#include "search/parsers.h"
#include "search/ranking.h"
#include "search/searchstate.h"

#include <QHash>

#include <algorithm>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace resultrows {

namespace {

ResultRow makerow(const SearchSession &session, const KeywordResult &keyword)
{
    ResultRow row;
    row.url = session.url;
    row.key = keyword.key;
    row.action = keyword.action;
    return row;
}

// Sort keys computed once per row, so the sort stays O(n log n) in comparisons of cheap values.
struct SortItem
{
    int index;
    QString text;
    double number;
};

} // namespace

std::optional<StoredInputs> storedinputs(const SearchState &state)
{
    const int d = findsession(state);
    if (d == 0 || state.urldata[d].url.isEmpty())
        return std::nullopt;
    const SearchSession &session = state.urldata[d];
    StoredInputs inputs;
    for (const KeywordResult &keyword : session.keys)
        inputs.txtkeys += keyword.key + u"\r\n"_s;
    inputs.chkstopafterhit = numvalue(session.checkstop) == 1;
    inputs.chkdispfirst = numvalue(session.checkfirst) == 1;
    inputs.pagedepth = session.pagedepth;
    inputs.locale = session.locale;
    return inputs;
}

namespace {

// Whether the job still answers the keywords it lists in this domain (the list was not edited).
bool listsitskeywords(const FetchJob &job, const Array1<KeywordResult> &keys, int index)
{
    if (job.keywords.isEmpty() || job.urlindex != index)
        return false;
    return std::all_of(job.keywords.cbegin(), job.keywords.cend(), [&](int k) {
        return k >= 1 && k <= keys.ubound() && (keys[k].key.isSharedWith(job.key) || keys[k].key == job.key);
    });
}

} // namespace

void copyactions(SearchState &state, int index)
{
    // Each keyword takes the status of the last job with its key. This runs on every tick of a
    // long run: a job goes straight to the keywords it lists, and a status already shown is not
    // copied again (a finished job's not even looked at); only jobs without such a list are
    // matched by key.
    Array1<KeywordResult> &keys = state.urldata[index].keys;
    QHash<QString, const QString *> statusOf;
    for (FetchJob &job : state.jobs) {
        if (job.shown && job.urlindex == index)
            continue;
        if (!listsitskeywords(job, keys, index)) {
            statusOf.insert(job.key, &job.status);
            continue;
        }
        for (const int k : job.keywords) {
            if (!keys[k].action.isSharedWith(job.status))
                keys[k].action = job.status;
        }
        job.shown = job.done;
    }
    if (statusOf.isEmpty())
        return;
    for (KeywordResult &keyword : keys) {
        if (const QString *status = statusOf.value(keyword.key))
            keyword.action = *status;
    }
}

List1<ResultRow> build(SearchState &state, int index, bool dispfirst)
{
    List1<ResultRow> rows;
    guard("Resultrows", "Sub disres", [&] {
        copyactions(state, index);
        const SearchSession &session = state.urldata[index];
        for (const KeywordResult &keyword : session.keys) {
            if (keyword.positions.isEmpty()) {
                ResultRow row = makerow(session, keyword);
                row.position = ranking(keyword).kind == Ranking::Kind::NotFound ? NotFound : Unanswered;
                rows.append(row);
                continue;
            }
            for (int h = 1; h <= keyword.positions.ubound(); ++h) {
                if (dispfirst && h > 1)
                    break;
                const SearchHit &hit = keyword.positions[h];
                ResultRow row = makerow(session, keyword);
                row.position = QString::number(int(hit.position));
                row.title = hit.title;
                row.abstract = hit.abstract;
                if (hit.position >= 1)
                    row.exacturl = hit.url;
                rows.append(row);
            }
        }
    });
    return rows;
}

void sort(List1<ResultRow> &rows, int mode)
{
    guard("Resultrows", "Sub sortresults", [&] {
        if (mode < 2 || mode > 7)
            return;
        const bool numeric = mode == 4 || mode == 5;
        const bool descending = mode % 2 == 1;
        std::vector<SortItem> items;
        items.reserve(rows.ubound());
        for (int i = 1; i <= rows.ubound(); ++i) {
            const ResultRow &row = rows[i];
            if (numeric)
                items.push_back({i, {}, numvalue(row.position)});
            else
                items.push_back({i, (mode <= 3 ? row.key : row.exacturl), 0.0});
        }
        const auto before = [&](const SortItem &a, const SortItem &b) {
            const int c = numeric ? (a.number < b.number ? -1 : (a.number > b.number ? 1 : 0))
                                  : QString::compare(a.text, b.text, Qt::CaseInsensitive);
            return descending ? c > 0 : c < 0;
        };
        std::stable_sort(items.begin(), items.end(), before);
        List1<ResultRow> sorted;
        sorted.reserve(rows.ubound());
        for (const SortItem &item : items)
            sorted.append(std::move(rows[item.index]));
        rows = std::move(sorted);
    });
}

QString shownposition(const QString &position)
{
    if (position == Unanswered)
        return u"Unknown"_s;
    return position == NotFound ? u"None"_s : position;
}

void write(List1<ResultRow> &rows, ResultList &list)
{
    guard("Resultrows", "Sub disres2", [&] {
        for (int i = 1; i <= rows.ubound(); ++i) {
            ResultRow &row = rows[i];
            const QString shown = shownposition(row.position);
            const QStringList subitems{row.key, shown, row.exacturl, row.action};
            const int n = list.count();
            if (i <= n) {
                row.listindex = i;
                if (list.text(i) == row.url && list.subitem(i, 1) == row.key) {
                    list.setsubitem(i, 2, shown);
                    list.setsubitem(i, 3, row.exacturl);
                    list.setsubitem(i, 4, row.action);
                } else {
                    list.insert(i, row.url, subitems);
                }
            } else {
                list.insert(n + 1, row.url, subitems);
                row.listindex = n + 1;
                if ((n + 1) % 2 == 0)
                    list.setforecolor(n + 1, Blue);
            }
        }
    });
}

bool detail(const List1<ResultRow> &rows, const ResultList &list, QString *text)
{
    bool found = false;
    guard("Resultrows", "Sub resultsview_Click", [&] {
        for (int i = 1; i <= list.count() && !found; ++i) {
            if (!list.selected(i))
                continue;
            for (const ResultRow &row : rows) {
                if (row.listindex == i) {
                    *text = remtags(row.title) + u"\r\n\r\n"_s + remtags(row.abstract);
                    found = true;
                    break;
                }
            }
        }
    });
    return found;
}

int nextsort(int current, const QString &header)
{
    if (header == u"URL")
        return 0;
    if (header == u"Search term")
        return current == 2 ? 3 : 2;
    if (header == u"Position")
        return current == 4 ? 5 : 4;
    if (header == u"Exact URL")
        return current == 6 ? 7 : 6;
    return current;
}

} // namespace resultrows

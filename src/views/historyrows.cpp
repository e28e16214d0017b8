#include "historyrows.h"

#include "diagnostics/datetext.h"
#include "diagnostics/guard.h"
#include "search/searchlocale.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace historyrows {

namespace {

bool passes(const QString &value, const FilterBox &filter)
{
    return filter.text == ShowAll || value == filter.text;
}

void sortbydate(List1<ResultRow> &rows, bool descending)
{
    // Each distinct date is converted once: the rows of one record share it.
    QHash<QString, std::int32_t> moments;
    std::vector<std::pair<std::int32_t, int>> items;
    items.reserve(rows.ubound());
    for (int i = 1; i <= rows.ubound(); ++i) {
        auto found = moments.constFind(rows[i].date);
        if (found == moments.cend())
            found = moments.insert(rows[i].date, calctime(rows[i].date));
        items.emplace_back(*found, i);
    }
    std::stable_sort(items.begin(), items.end(), [descending](const auto &a, const auto &b) {
        return descending ? a.first > b.first : a.first < b.first;
    });
    List1<ResultRow> sorted;
    sorted.reserve(rows.ubound());
    for (const auto &item : items)
        sorted.append(std::move(rows[item.second]));
    rows = std::move(sorted);
}

} // namespace

QList<Column> columns(bool places)
{
    QList<Column> list = {{u"DATE"_s, 1780}, {u"Search term"_s, 2340}, {u"Position"_s, 734}, {u"Exact URL"_s, 4935}};
    if (places)
        list.append({u"Searched from"_s, 2400});
    return list;
}

bool hasplaces(const List1<ResultRow> &rows)
{
    return std::any_of(rows.begin(), rows.end(), [](const ResultRow &row) { return !row.place.isEmpty(); });
}

void setuphistory(const HistoryData &historydata, const QString &txturl, HistoryLists &lists)
{
    guard("Historyrows", "Sub setuphistory", [&] {
        lists.listed.clear();
        lists.historydates = {{ShowAll}, ShowAll, lists.historydates.visible};
        lists.historyurls = {{}, {}, lists.historyurls.visible};
        lists.historykeys = {{}, {}, lists.historykeys.visible};
        QSet<QString> listed;
        // The domain of the search mode when the history holds it, else the first one met.
        QString first;
        bool found = false;
        for (int n = 1; n <= historydata.count(); ++n) {
            lists.historydates.items.append(historydata.when(n));
            for (int d = 1; d <= historydata.domaincount(n); ++d) {
                const QString &url = historydata.url(n, d);
                if (!url.isEmpty() && !listed.contains(url)) {
                    listed.insert(url);
                    lists.historyurls.items.append(url);
                }
                if (found)
                    continue;
                if (first.isEmpty())
                    first = url;
                if (url == txturl) {
                    lists.historyurls.text = url;
                    found = true;
                }
            }
        }
        if (lists.historyurls.text.isEmpty())
            lists.historyurls.text = first;
        lists.historykeys.items = {ShowAll};
        lists.historykeys.text = ShowAll;
        dishisurl(historydata, lists);
    });
}

void dishisurl(const HistoryData &historydata, HistoryLists &lists)
{
    guard("Historyrows", "Sub dishisurl", [&] {
        FilterBox &keys = lists.historykeys;
        keys.items.clear();
        keys.text.clear();
        QSet<QString> listed;
        for (int n = 1; n <= historydata.count(); ++n) {
            if (!passes(historydata.when(n), lists.historydates))
                continue;
            for (int d = 1; d <= historydata.domaincount(n); ++d) {
                if (historydata.url(n, d) != lists.historyurls.text)
                    continue;
                historydata.keywords(n, d, HistoryIndex::KeyOnly, [&](const KeywordResult &keyword) {
                    if (listed.contains(keyword.key))
                        return;
                    if (keys.items.isEmpty()) {
                        keys.items.append(ShowAll);
                        keys.text = ShowAll;
                        listed.insert(ShowAll);
                    }
                    keys.items.append(keyword.key);
                    listed.insert(keyword.key);
                });
            }
        }
        dishis(historydata, lists);
    });
}

void dishis(const HistoryData &historydata, HistoryLists &lists)
{
    guard("Historyrows", "Sub dishis", [&] {
        lists.historyrows.clear();
        lists.historykeys.visible = lists.historyurls.text != ShowAll;
        // Positions repeat: each text is made once and shared by the rows.
        QHash<int, QString> positions;
        for (int n = 1; n <= historydata.count(); ++n) {
            const QString &when = historydata.when(n);
            if (!passes(when, lists.historydates))
                continue;
            for (int d = 1; d <= historydata.domaincount(n); ++d) {
                const QString &url = historydata.url(n, d);
                if (!passes(url, lists.historyurls))
                    continue;
                const QString place = searchlocale::summary(historydata.locale(n, d));
                historydata.keywords(n, d, HistoryIndex::Hits, [&](const KeywordResult &keyword) {
                    if (!passes(keyword.key, lists.historykeys))
                        return;
                    for (int h = 1; h <= keyword.positions.ubound(); ++h) {
                        if (lists.chkhistoryfirst && h > 1)
                            break;
                        const SearchHit &hit = keyword.positions[h];
                        auto position = positions.constFind(hit.position);
                        if (position == positions.cend())
                            position = positions.insert(hit.position, QString::number(int(hit.position)));
                        ResultRow row;
                        row.date = when;
                        row.url = url;
                        row.key = keyword.key;
                        row.position = *position;
                        row.exacturl = hit.url;
                        row.title = hit.title;
                        row.place = place;
                        lists.historyrows.append(std::move(row));
                    }
                });
            }
        }
        dishis2(lists);
    });
}

void dishis2(HistoryLists &lists)
{
    guard("Historyrows", "Sub dishis2", [&] {
        lists.listed.clear();
        sort(lists.historyrows, lists.historysort);
        lists.listed = lists.historyrows;
    });
}

void columnclick(HistoryLists &lists, const QString &header)
{
    guard("Historyrows", "Sub historyview_ColumnClick", [&] {
        lists.historysort = nextsort(lists.historysort, header);
        lists.listed.clear();
        dishis2(lists);
    });
}

int nextsort(int current, const QString &header)
{
    if (header == u"DATE")
        return current == 8 ? 9 : 8;
    if (header == u"URL")
        return current;
    return resultrows::nextsort(current, header);
}

void sort(List1<ResultRow> &rows, int mode)
{
    if (mode == 8 || mode == 9)
        guard("Historyrows", "Sub sorthistory", [&] { sortbydate(rows, mode == 9); });
    else
        resultrows::sort(rows, mode);
}

} // namespace historyrows

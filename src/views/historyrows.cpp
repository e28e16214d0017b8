#include "historyrows.h"

#include "diagnostics/datetext.h"
#include "diagnostics/guard.h"

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

const QList<Column> &columns()
{
    static const QList<Column> list = {
        {u"DATE"_s, 1780}, {u"Search term"_s, 2340}, {u"Position"_s, 734}, {u"Exact URL"_s, 4935}};
    return list;
}

void setuphistory(const Array1<HistoryEntry> &historydata, const QString &txturl, HistoryLists &lists)
{
    guard("Historyrows", "Sub setuphistory", [&] {
        lists.listed.clear();
        lists.historydates = {{ShowAll}, ShowAll, lists.historydates.visible};
        lists.historyurls = {{}, {}, lists.historyurls.visible};
        lists.historykeys = {{}, {}, lists.historykeys.visible};
        QSet<QString> listed;
        for (const HistoryEntry &entry : historydata) {
            lists.historydates.items.append(entry.when);
            for (const SearchSession &domain : entry.urldata) {
                if (!domain.url.isEmpty() && !listed.contains(domain.url)) {
                    listed.insert(domain.url);
                    lists.historyurls.items.append(domain.url);
                }
            }
        }
        // The domain of the search mode when the history holds it, else the first one met.
        QString first;
        bool found = false;
        for (int n = 1; n <= historydata.ubound() && !found; ++n) {
            for (const SearchSession &domain : historydata[n].urldata) {
                if (first.isEmpty())
                    first = domain.url;
                if (domain.url == txturl) {
                    lists.historyurls.text = domain.url;
                    found = true;
                    break;
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

void dishisurl(const Array1<HistoryEntry> &historydata, HistoryLists &lists)
{
    guard("Historyrows", "Sub dishisurl", [&] {
        FilterBox &keys = lists.historykeys;
        keys.items.clear();
        keys.text.clear();
        QSet<QString> listed;
        for (const HistoryEntry &entry : historydata) {
            if (!passes(entry.when, lists.historydates))
                continue;
            for (const SearchSession &domain : entry.urldata) {
                if (domain.url != lists.historyurls.text)
                    continue;
                for (const KeywordResult &keyword : domain.keys) {
                    if (listed.contains(keyword.key))
                        continue;
                    if (keys.items.isEmpty()) {
                        keys.items.append(ShowAll);
                        keys.text = ShowAll;
                        listed.insert(ShowAll);
                    }
                    keys.items.append(keyword.key);
                    listed.insert(keyword.key);
                }
            }
        }
        dishis(historydata, lists);
    });
}

void dishis(const Array1<HistoryEntry> &historydata, HistoryLists &lists)
{
    guard("Historyrows", "Sub dishis", [&] {
        lists.historyrows.clear();
        lists.historykeys.visible = lists.historyurls.text != ShowAll;
        for (const HistoryEntry &entry : historydata) {
            if (!passes(entry.when, lists.historydates))
                continue;
            for (const SearchSession &domain : entry.urldata) {
                if (!passes(domain.url, lists.historyurls))
                    continue;
                for (const KeywordResult &keyword : domain.keys) {
                    if (!passes(keyword.key, lists.historykeys))
                        continue;
                    for (int h = 1; h <= keyword.positions.ubound(); ++h) {
                        if (lists.chkhistoryfirst && h > 1)
                            break;
                        ResultRow row;
                        row.date = entry.when;
                        row.url = domain.url;
                        row.key = keyword.key;
                        row.position = QString::number(int(keyword.positions[h].position));
                        row.exacturl = keyword.positions[h].url;
                        row.title = keyword.positions[h].title;
                        lists.historyrows.append(std::move(row));
                    }
                }
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

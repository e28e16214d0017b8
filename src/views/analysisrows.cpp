#include "analysisrows.h"

#include "diagnostics/guard.h"

#include <QSet>

using namespace Qt::Literals::StringLiterals;

namespace analysis {

QList<Column> columns()
{
    return {{u"Exact URL"_s, 3000}, {u"Count"_s, 615}, {u"Ave. Position"_s, 1125}, {u"Title"_s, 5200}};
}

QList<Column> detailcolumns(int viewmode)
{
    QList<Column> list{{u"Exact URL"_s, 4535}, {u"Search term"_s, 2340}, {u"Position"_s, 734}};
    if (viewmode == 3)
        list.prepend({u"DATE"_s, 1780});
    return list;
}

bool passesdate(const QString &when, const QString &filter, int viewmode)
{
    return viewmode == 2 || passes(when, filter);
}

bool passes(const QString &value, const QString &filter)
{
    return filter == historyrows::ShowAll || value == filter;
}

QString busymessage()
{
    return u"Cannot analyze data while a search is in progress, \r\n"
           u"You must wait for the search to end or hit the 'STOP' button before selecting this option"_s;
}

Array1<HistoryEntry> currententry(const Array1<SearchSession> &urldata)
{
    Array1<HistoryEntry> historydata;
    historydata.append(HistoryEntry{QString(), urldata});
    return historydata;
}

void setup(const HistoryData &historydata, int viewmode, const QString &txturl, HistoryLists &lists)
{
    guard("Analysisrows", "Sub mnuanalyze_Click", [&] {
        lists.historyurls.items.clear();
        lists.historyurls.text.clear();
        lists.historykeys.items.clear();
        lists.historykeys.text.clear();
        if (viewmode == 3) {
            lists.historydates.items = {historyrows::ShowAll};
            lists.historydates.text = historyrows::ShowAll;
        }
        QSet<QString> listed;
        QString first;
        bool holdstxturl = false;
        for (int n = 1; n <= historydata.count(); ++n) {
            if (viewmode == 3)
                lists.historydates.items << historydata.when(n);
            for (int d = 1; d <= historydata.domaincount(n); ++d) {
                const QString &url = historydata.url(n, d);
                if (url.isEmpty())
                    continue;
                if (first.isEmpty())
                    first = url;
                holdstxturl = holdstxturl || url == txturl;
                if (!listed.contains(url)) {
                    listed.insert(url);
                    lists.historyurls.items << url;
                }
            }
        }
        lists.historyurls.text = holdstxturl ? txturl : first;
    });
}

namespace {

// Every keyword, in order, of the records and domains that pass the date and domain filters.
template <typename Visit>
void eachkeyword(const HistoryData &historydata, int viewmode, const HistoryLists &lists, int parts, Visit visit)
{
    for (int n = 1; n <= historydata.count(); ++n) {
        if (!passesdate(historydata.when(n), lists.historydates.text, viewmode))
            continue;
        for (int d = 1; d <= historydata.domaincount(n); ++d) {
            if (passes(historydata.url(n, d), lists.historyurls.text))
                historydata.keywords(n, d, parts, visit);
        }
    }
}

} // namespace

void disanaurl(const HistoryData &historydata, int viewmode, HistoryLists &lists)
{
    guard("Analysisrows", "Sub disanaurl", [&] {
        FilterBox &keys = lists.historykeys;
        keys.items.clear();
        keys.text.clear();
        QSet<QString> listed;
        eachkeyword(historydata, viewmode, lists, HistoryIndex::KeyOnly, [&](const KeywordResult &keyword) {
            if (keyword.key.isEmpty() || listed.contains(keyword.key))
                return;
            if (listed.isEmpty()) {
                keys.items << historyrows::ShowAll;
                keys.text = historyrows::ShowAll;
            }
            listed.insert(keyword.key);
            keys.items << keyword.key;
        });
    });
}

bool disana(const HistoryData &historydata, int viewmode, HistoryLists &lists, AnalysisTable &table)
{
    bool done = false;
    guard("Analysisrows", "Sub disana", [&] {
        lists.historydates.visible = viewmode != 2;
        lists.historyurls.visible = true;
        lists.historykeys.visible = true;
        table.clear(lists.chkhistoryfirst);
        eachkeyword(historydata, viewmode, lists, HistoryIndex::Tops, [&](const KeywordResult &keyword) {
            if (!passes(keyword.key, lists.historykeys.text))
                return;
            for (int j = 1; j <= keyword.urls.ubound(); ++j)
                table.addana(j, keyword.urls[j], keyword.title(j));
        });
        done = true;
    });
    return done;
}

QList<AnalysisLine> disana2(AnalysisTable &table)
{
    QList<AnalysisLine> lines;
    guard("Analysisrows", "Sub disana2", [&] {
        table.rank(true);
        lines.reserve(table.records().ubound());
        for (const AnalysisRecord &record : table.records()) {
            if (record.url.isEmpty())
                lines.append(AnalysisLine{});
            else
                lines.append({record.url, QString::number(int(record.count)), avetext(record.total, record.count),
                              record.title});
        }
    });
    return lines;
}

QStringList subitems(const AnalysisLine &line)
{
    if (line.url.isEmpty())
        return {};
    return {line.count, line.average, line.title};
}

namespace {

bool matches(const QString &occurrence, const QString &chosen, bool group)
{
    if (occurrence == chosen)
        return true;
    return group && (chosen.startsWith(occurrence) || occurrence.startsWith(chosen));
}

} // namespace

QList<DetailLine> displaydetailanalysis(const HistoryData &historydata, int viewmode, const HistoryLists &lists,
                                        const QString &chosen)
{
    QList<DetailLine> lines;
    guard("Analysisrows", "Sub displaydetailanalysis", [&] {
        if (chosen.isEmpty())
            return;
        for (int n = 1; n <= historydata.count(); ++n) {
            const QString &when = historydata.when(n);
            if (!passesdate(when, lists.historydates.text, viewmode))
                continue;
            for (int d = 1; d <= historydata.domaincount(n); ++d) {
                historydata.keywords(n, d, HistoryIndex::Tops, [&](const KeywordResult &keyword) {
                    for (int j = 1; j <= keyword.urls.ubound(); ++j) {
                        if (matches(keyword.urls[j], chosen, lists.chkhistoryfirst))
                            lines.append({when, keyword.urls[j], keyword.key, j});
                    }
                });
            }
        }
    });
    return lines;
}

QStringList detailtexts(const DetailLine &line, int viewmode)
{
    QStringList texts{line.url, line.key, QString::number(line.position)};
    if (viewmode == 3)
        texts.prepend(line.when);
    return texts;
}

} // namespace analysis

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

bool passesdate(const HistoryEntry &entry, const QString &filter, int viewmode)
{
    return viewmode == 2 || passes(entry.when, filter);
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

void setup(const Array1<HistoryEntry> &historydata, int viewmode, const QString &txturl, HistoryLists &lists)
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
        for (const HistoryEntry &entry : historydata) {
            if (viewmode == 3)
                lists.historydates.items << entry.when;
            for (const SearchSession &session : entry.urldata) {
                if (session.url.isEmpty())
                    continue;
                if (first.isEmpty())
                    first = session.url;
                holdstxturl = holdstxturl || session.url == txturl;
                if (!listed.contains(session.url)) {
                    listed.insert(session.url);
                    lists.historyurls.items << session.url;
                }
            }
        }
        lists.historyurls.text = holdstxturl ? txturl : first;
    });
}

namespace {

// Every keyword, in order, of the records and domains that pass the date and domain filters.
template <typename Visit>
void eachkeyword(const Array1<HistoryEntry> &historydata, int viewmode, const HistoryLists &lists, Visit visit)
{
    for (const HistoryEntry &entry : historydata) {
        if (!passesdate(entry, lists.historydates.text, viewmode))
            continue;
        for (const SearchSession &session : entry.urldata) {
            if (!passes(session.url, lists.historyurls.text))
                continue;
            for (const KeywordResult &keyword : session.keys)
                visit(keyword);
        }
    }
}

} // namespace

void disanaurl(const Array1<HistoryEntry> &historydata, int viewmode, HistoryLists &lists)
{
    guard("Analysisrows", "Sub disanaurl", [&] {
        FilterBox &keys = lists.historykeys;
        keys.items.clear();
        keys.text.clear();
        QSet<QString> listed;
        eachkeyword(historydata, viewmode, lists, [&](const KeywordResult &keyword) {
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

bool disana(const Array1<HistoryEntry> &historydata, int viewmode, HistoryLists &lists, AnalysisTable &table)
{
    bool done = false;
    guard("Analysisrows", "Sub disana", [&] {
        lists.historydates.visible = viewmode != 2;
        lists.historyurls.visible = true;
        lists.historykeys.visible = true;
        table.clear(lists.chkhistoryfirst);
        eachkeyword(historydata, viewmode, lists, [&](const KeywordResult &keyword) {
            if (!passes(keyword.key, lists.historykeys.text))
                return;
            for (int j = 1; j <= keyword.urls.ubound(); ++j)
                table.addana(j, keyword.urls[j], keyword.titles[j]);
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

QList<DetailLine> displaydetailanalysis(const Array1<HistoryEntry> &historydata, int viewmode,
                                        const HistoryLists &lists, const QString &chosen)
{
    QList<DetailLine> lines;
    guard("Analysisrows", "Sub displaydetailanalysis", [&] {
        if (chosen.isEmpty())
            return;
        for (const HistoryEntry &entry : historydata) {
            if (!passesdate(entry, lists.historydates.text, viewmode))
                continue;
            for (const SearchSession &session : entry.urldata) {
                for (const KeywordResult &keyword : session.keys) {
                    for (int j = 1; j <= keyword.urls.ubound(); ++j) {
                        if (matches(keyword.urls[j], chosen, lists.chkhistoryfirst))
                            lines.append({entry.when, keyword.urls[j], keyword.key, j});
                    }
                }
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

#include "historysections.h"
#include "reportparts.h"

#include "diagnostics/guard.h"
#include "search/searchlocale.h"

#include <QHash>
#include <QList>

using namespace Qt::Literals::StringLiterals;

namespace reports {

namespace {

// The distinct domains of all saved searches in order of first appearance, each with its
// records in history order; one pass instead of a walk of the history per domain.
QList<QList<Saved>> domains(const HistoryData &historydata)
{
    QList<QList<Saved>> list;
    QHash<QString, qsizetype> where;
    for (int n = 1; n <= historydata.count(); ++n) {
        for (int d = 1; d <= historydata.domaincount(n); ++d) {
            const QString &url = historydata.url(n, d);
            auto found = where.constFind(url);
            if (found == where.constEnd()) {
                found = where.insert(url, list.size());
                list.append(QList<Saved>());
            }
            list[*found].append({n, d});
        }
    }
    return list;
}

void domainheading(HtmlOut &out, const QString &domain)
{
    out.lines({u"<br>", u"<br>", u"<table width = 100%>", u"<tr bgcolor=#91a2fe>", u"    <font face=arial size=2>",
               u"      <td>"});
    boldcell(out, domain.toHtmlEscaped());
    out.lines({u"      </td>", u"    </font>", u"  </tr>", u"        </table>"});
}

void toprow(HtmlOut &out, const QString &when, const KeywordResult &keyword, int j)
{
    out << u"  <tr bgcolor=#" << colour(j) << u">";
    out.endl();
    out.lines({u"    <font color=black face=arial size=2>", u"      <td>"});
    boldcell(out, when.toHtmlEscaped());
    out.lines({u"      </td>", u"      <td>"});
    boldcell(out, keyword.key.toHtmlEscaped());
    out.lines({u"      </td>", u"      <td>"});
    boldcell(out, QString::number(j));
    out.lines({u"      </td>", u"      <td >"});
    linkcell(out, keyword.urls[j]);
    out.lines({u"      </td>", u"    </font>", u"  </tr>"});
}

// One table per keyword of a saved search, holding the top tens of every keyword of that
// search with the same text.
void keywordtables(HtmlOut &out, const HistoryData &historydata, const Saved &saved)
{
    Array1<KeywordResult> keys;
    historydata.keywords(saved.record, saved.domain, HistoryIndex::Tops,
                         [&](const KeywordResult &keyword) { keys.append(keyword); });
    // A record searched from a place says so beside its date.
    const QString place = searchlocale::summary(historydata.locale(saved.record, saved.domain));
    const QString &date = historydata.when(saved.record);
    const QString when = place.isEmpty() ? date : date + u" ("_s + safetext(place) + u')';
    QHash<QString, QList<int>> same;
    for (int k = 1; k <= keys.ubound(); ++k)
        same[keys[k].key].append(k);
    for (const KeywordResult &keyword : keys) {
        heading(out, QString(u"        <b>Top URL's for "_s + keyword.key.toHtmlEscaped() + u"</b></font>"_s));
        out.lines({u"            <table border=2 width=100%>", u"  <tr bgcolor=#91a2fe>",
                   u"    <th align=center><font face=arial size=2 color=black>DATE</font></th>",
                   u"    <th align=center><font face=arial size=2 color=black>Search term</font></th>",
                   u"    <th align=center ><font face=arial size=2 color=black>Ave. Position</font></th>",
                   u"    <th align=center ><font face=arial size=2 color=black>URL</font></th>", u"  </tr>"});
        for (const int k : std::as_const(same[keyword.key])) {
            for (int j = 1; j <= keys[k].urls.ubound(); ++j)
                toprow(out, when, keys[k], j);
        }
        out.lines({u"        </table>", u"        <br>"});
    }
}

void frequency(HtmlOut &out, const HistoryData &historydata, const QList<Saved> &records, AnalysisTable &table)
{
    table.clear(table.group());
    for (const Saved &saved : records) {
        historydata.keywords(saved.record, saved.domain, HistoryIndex::Tops, [&](const KeywordResult &keyword) {
            for (int j = 1; j <= keyword.urls.ubound(); ++j)
                table.addana(j, keyword.urls[j], keyword.title(j));
        });
    }
    table.rank(false);
    heading(out, u"        <b>Top URL's for all searches</b></font>");
    frequencytable(out, table);
}

} // namespace

bool savehistory(QIODevice *device, const HistoryData &historydata, bool group, const ReportHeader &header)
{
    bool done = false;
    guard("Historyreport", "Sub savehistory", [&] {
        HtmlOut out(device);
        reportheader(out, header);
        AnalysisTable table;
        table.clear(group);
        for (const QList<Saved> &records : domains(historydata)) {
            domainheading(out, historydata.url(records.first().record, records.first().domain));
            for (const Saved &saved : records)
                keywordtables(out, historydata, saved);
            frequency(out, historydata, records, table);
            visibilitysection(out, historydata, records);
            changessection(out, historydata, records);
        }
        reportfooter(out);
        out.flush();
        done = true;
    });
    return done;
}

} // namespace reports

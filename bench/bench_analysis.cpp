// The analysis of a year of hourly history and of 100,000 distinct URLs, with and without
// grouping, and both HTML reports, best of three runs. Build with -DCMAKE_BUILD_TYPE=Release.
#include "diagnostics/errorreports.h"
#include "reports/reports.h"
#include "views/analysisrows.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <functional>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace {

const QStringList Keywords{u"red shoes"_s, u"online marketing"_s, u"used cars"_s};

QString slug(const QString &key)
{
    return QString(key).replace(u' ', u'-');
}

// A keyword's ten top URLs drift slowly: a different window of sites every day and another
// page of each site every week, with the site's root at the top. This keeps every URL's total
// of positions within the 16-bit counters over the year, as real rankings that move do.
KeywordResult keyword(const QString &key, int k, int record)
{
    KeywordResult result;
    result.key = key;
    for (int h = 1; h <= 2; ++h)
        result.positions.append(SearchHit{u"http://www.example.com/"_s + slug(key) + QString::number(h),
                                          u"<b>Example</b> "_s + key,
                                          u"All about <b>"_s + key + u"</b> here."_s,
                                          Int16(h * 3 + record % 5),
                                          {}});
    for (int j = 1; j <= 10; ++j) {
        const QString site =
            u"http://www.site"_s + QString::number((record / 24 + k * 7 + j * 3) % 400) + u".example.com/"_s;
        result.urls.append(j == 1 ? site : site + slug(key) + u"/page"_s + QString::number(record / 168 % 5));
        result.titles.append(u"<b>"_s + key + u"</b> - site "_s + QString::number(j));
    }
    return result;
}

Array1<HistoryEntry> yearofhours()
{
    Array1<HistoryEntry> history;
    for (int r = 0; r < 8760; ++r) {
        SearchSession session;
        session.url = u"example.com"_s;
        session.resulttime = u"01-Jan-2005 00:00:00"_s;
        for (int k = 0; k < Keywords.size(); ++k)
            session.keys.append(keyword(Keywords[k], k, r));
        HistoryEntry entry{u"01-Jan-2005 "_s + QString::number(r), {}};
        entry.urldata.append(session);
        history.append(entry);
    }
    return history;
}

// distinct URLs in one domain, ten per keyword; sites of perSite URLs each (its root first).
Array1<HistoryEntry> distincturls(int distinct, int perSite)
{
    SearchSession session;
    session.url = u"example.com"_s;
    for (int n = 0; n < distinct; n += 10) {
        KeywordResult k;
        k.key = u"keyword "_s + QString::number(n / 10);
        for (int j = 0; j < 10; ++j) {
            const int u = n + j;
            const QString site = u"http://www.site"_s + QString::number(u / perSite) + u".example.com/"_s;
            k.urls.append(u % perSite == 0 ? site : site + u"page"_s + QString::number(u % perSite));
            k.titles.append(u"Title "_s + QString::number(u));
        }
        session.keys.append(k);
    }
    Array1<SearchSession> urldata;
    urldata.append(session);
    return analysis::currententry(urldata);
}

double bestof(int runs, const std::function<void()> &work)
{
    double best = std::numeric_limits<double>::max();
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = qMin(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

void analyse(QTextStream &out, const QString &name, const Array1<HistoryEntry> &history, int viewmode, bool group)
{
    HistoryLists lists;
    lists.chkhistoryfirst = group;
    int lines = 0;
    const double ms = bestof(3, [&] {
        errorreports::clearerrortext();
        analysis::setup(history, viewmode, u"example.com"_s, lists);
        analysis::disanaurl(history, viewmode, lists);
        AnalysisTable table;
        if (analysis::disana(history, viewmode, lists, table))
            lines = int(analysis::disana2(table).size());
    });
    const bool failed = !errorreports::errortext().isEmpty();
    out << name << (group ? " grouped" : "") << ": " << ms << " ms, " << lines << " lines"
        << (failed ? " (occurrences past the table's 32767 records failed)" : "") << '\n';
}

void report(QTextStream &out, const QString &name, int viewmode, const Array1<SearchSession> &urldata,
            const Array1<HistoryEntry> &history)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"report.html"_s);
    const double ms = bestof(3, [&] { reports::writereport(viewmode, path, urldata, history, false); });
    const double mb = QFileInfo(path).size() / 1e6;
    out << name << ": " << ms << " ms, " << mb << " MB, " << mb / (ms / 1000) << " MB/s\n";
}

Array1<SearchSession> hundredbyhundred()
{
    Array1<SearchSession> urldata;
    for (int d = 0; d < 100; ++d) {
        SearchSession session;
        session.url = u"domain"_s + QString::number(d) + u".example.com"_s;
        session.resulttime = u"01-Jan-2005 00:00:00"_s;
        for (int k = 0; k < 100; ++k)
            session.keys.append(keyword(u"keyword "_s + QString::number(d * 100 + k), k, d * 100 + k));
        urldata.append(session);
    }
    return urldata;
}

} // namespace

int main()
{
    QTextStream out(stdout);
    const Array1<HistoryEntry> history = yearofhours();
    analyse(out, u"history of 8,760 records"_s, history, 3, false);
    analyse(out, u"history of 8,760 records"_s, history, 3, true);
    const Array1<HistoryEntry> many = distincturls(100'000, 5);
    analyse(out, u"100,000 distinct URLs"_s, many, 2, false);
    analyse(out, u"100,000 distinct URLs"_s, many, 2, true);
    analyse(out, u"32,760 distinct URLs"_s, distincturls(32'760, 5), 2, false);
    report(out, u"ranking report, 100 domains x 100 keywords"_s, 0, hundredbyhundred(), {});
    report(out, u"history report, 8,760 records"_s, 1, {}, history);
    return 0;
}

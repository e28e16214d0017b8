#include "reportparts.h"

#include "diagnostics/guard.h"
#include "search/ranking.h"
#include "search/searchlocale.h"

#include <QSet>

using namespace Qt::Literals::StringLiterals;

namespace reports {

namespace {

void resultrow(HtmlOut &out, const QString &key, const SearchHit &hit)
{
    out.lines({u"  <tr bgcolor=#3bff54 valign=top>", u"    <td><font face=arial size=2>"});
    out << u"      " << key.toHtmlEscaped() << u" </font>";
    out.endl();
    out.lines({u"    </td>", u"    <td align=center><font face=arial size=2>"});
    out << u"      " << int(hit.position) << u"</font>";
    out.endl();
    out.lines({u"    </td>", u"    <td align=center><font face=arial size=2>"});
    out << u"      <a href=\"" << safehref(hit.url) << u"\">" << safetext(hit.url) << u"</a></font>";
    out.endl();
    out.lines({u"    </td>", u"    <td align=center><font face=arial size=2>"});
    out << u"      " << safetext(hit.title) << u"</font>";
    out.endl();
    out.lines({u"    </td>", u"  </tr>"});
}

// A keyword without the domain among its hits: "not found", or "unknown" when its search says
// nothing of the rank.
void notfoundrow(HtmlOut &out, const QString &key, bool unknown)
{
    out.lines({u"  <tr bgcolor=#3bff54 valign=top>", u"    <td><font face=arial size=2>"});
    out << u"      " << key.toHtmlEscaped() << u" </font>";
    out.endl();
    out.lines({u"    </td>", u"    <td align=center><font face=arial size=2>",
               unknown ? u"      unknown</font>" : u"      not found</font>", u"    </td>",
               u"    <td align=center><font face=arial size=2>", u"      ---", u"    </td>",
               u"    <td align=center><font face=arial size=2>", u"      ---</font>", u"    </td>", u"  </tr>"});
}

void ranksummary(HtmlOut &out, const SearchSession &session)
{
    out.lines({u"<br>", u"<hr>", u"<br>"});
    heading(out, u"        <b>Rank Summary</b></font>");
    out.lines({u"<br>", u"<table border=0 width=100%>", u"  <tr bgcolor=#0fff12>",
               u"    <font color=black face=arial size=2>", u"      <td>"});
    out << u"        <b>" << session.url.toHtmlEscaped() << u"</b>";
    out.endl();
    out.lines({u"      </td>", u"      <td>"});
    out << u"        <b>" << session.resulttime.toHtmlEscaped() << u"</b>";
    out.endl();
    // Where and on what, only when set: a report of a domain without a place is as it was.
    if (const QString place = searchlocale::summary(session.locale); !place.isEmpty()) {
        out.lines({u"      </td>", u"      <td>"});
        out << u"        <b>" << safetext(place) << u"</b>";
        out.endl();
    }
    out.lines({u"      </td>", u"    </font>", u"  </tr>", u"</table>",
               u"<table border = 2 cellpadding = 0 cellspacing = 0 width = 100%>", u"  <tr bgcolor=#91a2fe>",
               u"    <th align=center><font face=arial size=2 color=black>Search Term</font></th>",
               u"    <th align=center ><font face=arial size=2 color=black>Rank</font></th>",
               u"    <th align=center ><font face=arial size=2 color=black>URL</font></th>",
               u"    <th align=center ><font face=arial size=2 color=black>Title</font></th>", u"  </tr>"});
    for (const KeywordResult &keyword : session.keys) {
        if (keyword.positions.isEmpty())
            notfoundrow(out, keyword.key, ranking(keyword).kind == Ranking::Kind::Unknown);
        for (const SearchHit &hit : keyword.positions)
            resultrow(out, keyword.key, hit);
    }
    out.lines({u"</table>"});
}

// Each snippet is shown once in the whole report, whichever domain meets it first.
void entries(HtmlOut &out, const SearchSession &session, QSet<QString> &seen)
{
    out.lines({u"<br>", u"<br>"});
    heading(out, u"        <b>Entries in the search engine results</b></font>");
    out.lines({u"<br>"});
    for (const KeywordResult &keyword : session.keys) {
        for (const SearchHit &hit : keyword.positions) {
            if (seen.contains(hit.abstract))
                continue;
            out.lines(
                {u"<table width = 100%>", u"<tr bgcolor=#91a2fe>", u"    <font face=arial size=2>", u"      <td>"});
            out << u"        <b>" << safetext(hit.url) << u"</b></font>";
            out.endl();
            out.lines({u"      </td>", u"    </font>", u"  </tr>", u"        </table>", u"<table border=3 width=100%>",
                       u"  <tr bgcolor=#3bff54 valign=top>", u"    <td><font face=arial size=2>"});
            out << u"<a href=\"" << safehref(hit.url) << u"\">" << safetext(hit.title) << u"</a><br><p>"
                << safetext(hit.abstract) << u" </font>";
            out.endl();
            out.lines({u"    </td>", u"  </tr>", u"</table>", u"<br>"});
            seen.insert(hit.abstract);
        }
    }
}

void topurls(HtmlOut &out, const SearchSession &session, AnalysisTable &table)
{
    table.clear(table.group());
    for (const KeywordResult &keyword : session.keys) {
        const int n = qMin(keyword.urls.ubound(), 10);
        for (int j = 1; j <= n; ++j)
            table.addana(j, keyword.urls[j], keyword.title(j));
    }
    table.rank(false);
    out.lines({u"<br>", u"<br>"});
    heading(out, u"        <b>Top URL's for all searches</b></font>");
    frequencytable(out, table);
}

void topten(HtmlOut &out, const KeywordResult &keyword)
{
    out.lines({u"<br>", u"<br>"});
    heading(out, QString(u"        <b>Top 10 URL's for <font color=red face=arial size=3>\""_s +
                         keyword.key.toHtmlEscaped() + u"\"</font></b></font>"_s));
    out.lines({u"            <table border=2 width=100%>", u"  <tr bgcolor=#91a2fe>",
               u"    <th align=center><font face=arial size=2 color=black>Position</font></th>",
               u"    <th align=center ><font face=arial size=2 color=black>URL</font></th>",
               u"    <th align=center ><font face=arial size=2 color=black>Title</font></th>", u"  </tr>"});
    const int n = qMin(keyword.urls.ubound(), 10);
    for (int j = 1; j <= n; ++j) {
        out << u"  <tr bgcolor=#" << colour(j) << u">";
        out.endl();
        out.lines({u"    <font color=black face=arial size=2>", u"      <td width = 10%>"});
        boldcell(out, QString::number(j));
        out.lines({u"      </td>", u"      <td width = 40%>"});
        linkcell(out, keyword.urls[j]);
        out.lines({u"      </td width = 50%>", u"      <td>"});
        boldcell(out, safetext(keyword.title(j)));
        out.lines({u"      </td>", u"    </font>", u"  </tr>"});
    }
    out.lines({u"        </table>"});
}

} // namespace

bool savecurrent(QIODevice *device, const Array1<SearchSession> &urldata, bool group, const ReportHeader &header)
{
    bool done = false;
    guard("Rankingreport", "Sub savecurrent", [&] {
        HtmlOut out(device);
        reportheader(out, header);
        QSet<QString> seen;
        AnalysisTable table;
        table.clear(group);
        for (const SearchSession &session : urldata) {
            ranksummary(out, session);
            entries(out, session, seen);
            topurls(out, session, table);
            for (const KeywordResult &keyword : session.keys)
                topten(out, keyword);
        }
        reportfooter(out);
        out.flush();
        done = true;
    });
    return done;
}

} // namespace reports

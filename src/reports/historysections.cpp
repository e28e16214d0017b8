#include "historysections.h"

#include "diagnostics/guard.h"
#include "reportparts.h"
#include "views/historydiff.h"
#include "views/visibility.h"

using namespace Qt::Literals::StringLiterals;

namespace reports {

namespace {

void tablehead(HtmlOut &out, const QStringList &headers)
{
    out.lines({u"            <table border=2 width=100%>", u"  <tr bgcolor=#91a2fe>"});
    for (const QString &header : headers) {
        out << u"    <th align=center><font face=arial size=2 color=black>" << header << u"</font></th>";
        out.endl();
    }
    out.lines({u"  </tr>"});
}

// A row of cells, each text already safe to show.
void tablerow(HtmlOut &out, const QStringList &cells)
{
    out.lines({u"  <tr>", u"    <font color=black face=arial size=2>"});
    for (const QString &cell : cells) {
        out << u"      <td>" << cell << u"</td>";
        out.endl();
    }
    out.lines({u"    </font>", u"  </tr>"});
}

} // namespace

void visibilitysection(HtmlOut &out, const HistoryData &historydata, const QList<Saved> &records)
{
    guard("Historysections", "Sub visibilitysection", [&] {
        heading(out, u"        <b>Visibility</b></font>");
        tablehead(out, {u"DATE"_s, u"Visibility (%)"_s, u"Keywords"_s, u"Without data"_s});
        for (const Saved &saved : records) {
            const visibility::Score score = visibility::score(historydata, saved.record, saved.domain);
            const std::optional<double> percent = score.percent();
            tablerow(out, {historydata.when(saved.record).toHtmlEscaped(),
                           percent ? visibility::percenttext(*percent) : u"no data"_s, QString::number(score.keywords),
                           QString::number(score.unknown)});
        }
        out.lines({u"        </table>", u"        <br>"});
    });
}

void changessection(HtmlOut &out, const HistoryData &historydata, const QList<Saved> &records)
{
    guard("Historysections", "Sub changessection", [&] {
        const int to = records.last().record;
        const auto earlier =
            std::find_if(records.crbegin(), records.crend(), [&](const Saved &saved) { return saved.record != to; });
        if (earlier == records.crend())
            return;
        const QString &domain = historydata.url(records.first().record, records.first().domain);
        heading(out, QString(u"        <b>What changed from "_s + historydata.when(earlier->record).toHtmlEscaped() +
                             u" to "_s + historydata.when(to).toHtmlEscaped() + u"</b></font>"_s));
        tablehead(out, {u"Search term"_s, u"Then"_s, u"Now"_s, u"What changed"_s});
        for (const historydiff::Change &change : historydiff::compare(historydata, earlier->record, to, domain, {})) {
            const QString key = change.place.isEmpty() ? change.key : change.key + u" ("_s + change.place + u')';
            tablerow(out, {key.toHtmlEscaped(), change.then.text(), change.now.text(),
                           safetext(historydiff::facts(change).join(u"<br>"_s))});
        }
        out.lines({u"        </table>", u"        <br>"});
    });
}

} // namespace reports

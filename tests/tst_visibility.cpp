#include "diagnostics/errorreports.h"
#include "support/sampledata.h"
#include "views/visibility.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// "when|a k 5 9|a j -|b k !" per record: domain, keyword and its hits, "-" for searched and not
// found, "!" for a blocked page, "?" for stopped; "a@de" is domain a searched from country de.
// A domain's keywords in one record go to one domain record.
Array1<HistoryEntry> history(const QStringList &records)
{
    Array1<HistoryEntry> data;
    for (const QString &record : records) {
        const QStringList parts = record.split(u'|');
        HistoryEntry entry{parts[0], {}};
        for (const QString &part : parts.mid(1)) {
            const QStringList words = part.split(u' ');
            const QStringList where = words[0].split(u'@');
            QList<SearchHit> hits;
            for (const QString &word : words.mid(2)) {
                if (word.toInt() > 0) {
                    hits.append({u"http://"_s + where[0] + u'/', {}, {}, {}, {}});
                    hits.last().position = word.toInt();
                }
            }
            const bool blocked = words[2] == u"!";
            KeywordResult keyword =
                sample::keyword(words[1], blocked ? QStringList() : QStringList{u"http://top.example/"_s}, {}, hits);
            keyword.action = blocked ? u"blocked (HTTP 429)"_s : words[2] == u"?" ? u"stopped"_s : u"Finished search"_s;
            int d = entry.urldata.ubound();
            if (d == 0 || entry.urldata[d].url != where[0] || entry.urldata[d].locale.country != where.value(1)) {
                entry.urldata.append(sample::domain(where[0], {}));
                d = entry.urldata.ubound();
                entry.urldata[d].locale.country = where.value(1);
            }
            entry.urldata[d].keys.append(keyword);
        }
        data.append(entry);
    }
    return data;
}

} // namespace

class TestVisibility : public QObject
{
    Q_OBJECT

private slots:
    void weight_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("weight");
        const QList<std::pair<int, int>> curve{{1, 300}, {2, 150}, {3, 100}, {9, 20}, {10, 15}, {11, 10},
                                               {20, 10}, {21, 5},  {30, 5},  {31, 2}, {50, 2},  {51, 1},
                                               {100, 1}, {101, 0}, {0, 0},   {-3, 0}};
        for (const auto &[position, weight] : curve)
            QTest::addRow("%d", position) << position << weight;
    }

    void weight()
    {
        QFETCH(int, position);
        QTEST(visibility::weight(position), "weight");
        // A better position never weighs less.
        if (position > 1)
            QVERIFY(visibility::weight(position - 1) >= visibility::weight(position));
    }

    void build_data()
    {
        QTest::addColumn<QString>("records"); // "when|a k 5|a j -" each, split at ";"
        QTest::addColumn<QString>("domain");
        // "domain: percentage per point", "+N" after it for N keywords without data.
        QTest::addColumn<QStringList>("expected");
        const QString d1 = u"01-Mar-2025 10:00:00|"_s, d2 = u";02-Mar-2025 10:00:00|"_s,
                      d3 = u";03-Mar-2025 09:00:00|"_s;
        QTest::newRow("first everywhere") << d1 + u"a k 1|a j 1"_s << u"a"_s << QStringList{u"a: 100.0"_s};
        QTest::newRow("not found weighs nothing")
            << d1 + u"a k 1|a j -"_s + d2 + u"a k 2|a j 3"_s << u"a"_s << QStringList{u"a: 50.0 41.7"_s};
        QTest::newRow("best of several hits, second page")
            << d1 + u"a k 17 4 12"_s << u"a"_s << QStringList{u"a: 23.3"_s};
        QTest::newRow("blocked keyword is no data, not zero")
            << d1 + u"a k 1|a j !"_s << u"a"_s << QStringList{u"a: 100.0+1"_s};
        QTest::newRow("stopped keyword is no data") << d1 + u"a k 2|a j ?"_s << u"a"_s << QStringList{u"a: 50.0+1"_s};
        QTest::newRow("record without data leaves no point")
            << d1 + u"a k 1"_s + d2 + u"a k !"_s + d3 + u"a k 3"_s << u"a"_s << QStringList{u"a: 100.0 33.3"_s};
        QTest::newRow("record without the domain leaves a gap")
            << d1 + u"a k 1"_s + d2 + u"b k 2"_s + d3 + u"a k -"_s << u"(Show ALL)"_s
            << QStringList{u"a: 100.0 0.0"_s, u"b: 50.0"_s};
        QTest::newRow("keyword listed twice counts once, best")
            << d1 + u"a k 5|a j -|a k 2"_s << u"a"_s << QStringList{u"a: 25.0"_s};
        QTest::newRow("blocked once, found once: found")
            << d1 + u"a k !|a k 1"_s << u"a"_s << QStringList{u"a: 100.0"_s};
        QTest::newRow("time order, places apart")
            << d3.mid(1) + u"a k 3;"_s + d1 + u"a k 1"_s + d2 + u"a@de k 2"_s << u"a"_s
            << QStringList{u"a: 100.0 33.3"_s, u"a (country de): 50.0"_s};
        QTest::newRow("competitors share a keyword") << d1 + u"a k 1|b k 2|c j 1"_s + d2 + u"b j 3|a k 2"_s << u"a"_s
                                                     << QStringList{u"a: 100.0 50.0"_s, u"b: 50.0 33.3"_s};
        QTest::newRow("domain absent") << d1 + u"a k 1"_s << u"c"_s << QStringList{};
    }

    void build()
    {
        QFETCH(QString, records);
        QFETCH(QString, domain);
        errorreports::clearerrortext();
        const Array1<HistoryEntry> entries = history(records.split(u';'));
        QStringList described;
        for (const visibility::VisibilitySeries &series :
             visibility::build(entries, visibility::withcompetitors(entries, domain))) {
            QString line = series.name() + u':';
            for (const visibility::VisibilityPoint &point : series.points) {
                line += u' ' + visibility::percenttext(*point.score.percent());
                if (point.score.unknown > 0)
                    line += u'+' + QString::number(point.score.unknown);
            }
            described << line;
        }
        QTEST(described, "expected");
        QVERIFY(errorreports::errortext().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestVisibility)
#include "tst_visibility.moc"

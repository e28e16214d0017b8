#include "diagnostics/datetext.h"
#include "diagnostics/errorreports.h"
#include "support/sampledata.h"
#include "views/rankseries.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// "when|a k 5 9|b k -" per record: a domain's keyword with its hits, "-" for searched and not
// found, "!" for a page that listed nothing at all, "?" for stopped; "a@de" is domain a
// searched from country de.
Array1<HistoryEntry> history(const QStringList &records)
{
    Array1<HistoryEntry> data;
    for (const QString &record : records) {
        const QStringList parts = record.split(u'|');
        HistoryEntry entry{parts[0], {}};
        for (const QString &part : parts.mid(1)) {
            const QStringList words = part.split(u' ');
            QList<SearchHit> hits;
            for (const QString &word : words.mid(2)) {
                hits.append({u"http://"_s + words[0] + u'/', {}, {}, {}, {}});
                hits.last().position = word.toInt();
                if (word.toInt() < 1)
                    hits.removeLast();
            }
            const QStringList top = words[2] == u"!" ? QStringList() : QStringList{u"http://top.example/"_s};
            KeywordResult keyword = sample::keyword(words[1], top, {}, hits);
            keyword.action = words[2] == u"?" ? u"stopped"_s : u"Finished search"_s;
            // "a@de": domain a searched from country de.
            const QStringList where = words[0].split(u'@');
            entry.urldata.append(sample::domain(where[0], {keyword}));
            entry.urldata[entry.urldata.ubound()].locale.country = where.value(1);
        }
        data.append(entry);
    }
    return data;
}

} // namespace

class TestRankSeries : public QObject
{
    Q_OBJECT

private slots:
    void build_data()
    {
        QTest::addColumn<QString>("records"); // "when|a k 5 9|b k -" each, split at ";"
        QTest::addColumn<QString>("domain");
        QTest::addColumn<QStringList>("expected"); // "domain: position per point, - for a gap"
        const QString d1 = u"01-Mar-2025 10:00:00|"_s, d2 = u";02-Mar-2025 10:00:00|"_s,
                      d3 = u";03-Mar-2025 09:00:00|"_s;
        QTest::newRow("gap where not found")
            << d1 + u"a k 5"_s + d2 + u"a k -"_s + d3 + u"a k 3"_s << u"a"_s << QStringList{u"a: 5 - 3"_s};
        QTest::newRow("best of several hits") << d1 + u"a k 17 4 9"_s << u"a"_s << QStringList{u"a: 4"_s};
        QTest::newRow("two domains under show all") << d1 + u"a k 5|b k -"_s + d2 + u"b k 2|a k 6"_s << u"(Show ALL)"_s
                                                    << QStringList{u"a: 5 6"_s, u"b: - 2"_s};
        QTest::newRow("unreadable dates skipped")
            << d1 + u"a k 5;not a date|a k 1;|a k 2;31-Foo-2025 10:00:00|a k 3"_s + d2 + u"a k 7"_s << u"a"_s
            << QStringList{u"a: 5 7"_s};
        QTest::newRow("time order, not file order")
            << d3.mid(1) + u"a k 3;"_s + d1 + u"a k 1"_s + d2 + u"a k 2"_s << u"a"_s << QStringList{u"a: 1 2 3"_s};
        QTest::newRow("blocked search is no reading")
            << d1 + u"a k 5"_s + d2 + u"a k !"_s + d3 + u"a k 4"_s << u"a"_s << QStringList{u"a: 5 4"_s};
        QTest::newRow("stopped search is no reading")
            << d1 + u"a k 5"_s + d2 + u"a k ?"_s + d3 + u"a k 4"_s << u"a"_s << QStringList{u"a: 5 4"_s};
        QTest::newRow("another place, another line") << d1 + u"a k 5"_s + d2 + u"a@de k 3"_s + d3 + u"a k 4"_s << u"a"_s
                                                     << QStringList{u"a: 5 4"_s, u"a (country de): 3"_s};
        QTest::newRow("keyword absent") << d1 + u"a other 5"_s << u"a"_s << QStringList{};
        QTest::newRow("domain absent") << d1 + u"a k 5"_s << u"c"_s << QStringList{};
    }

    void build()
    {
        QFETCH(QString, records);
        QFETCH(QString, domain);
        errorreports::clearerrortext();
        QStringList described;
        for (const RankSeries &series : rankseries::build(history(records.split(u';')), u"k"_s, domain)) {
            QString line = series.name() + u':';
            for (const RankPoint &point : series.points) {
                line += u' ' + (point.position ? QString::number(*point.position) : u"-"_s);
                QCOMPARE(calcdatetime(point.moment), QDateTime::fromString(point.when, u"dd-MMM-yyyy hh:mm:ss"_s));
            }
            described << line;
        }
        QTEST(described, "expected");
        // Skipping a date is not a failure to report.
        QVERIFY(errorreports::errortext().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRankSeries)
#include "tst_rankseries.moc"

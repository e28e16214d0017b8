#include "diagnostics/datetext.h"
#include "diagnostics/errorreports.h"
#include "support/sampledata.h"
#include "views/rankseries.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestRankSeries : public QObject
{
    Q_OBJECT

private slots:
    void build_data()
    {
        QTest::addColumn<QString>("records"); // sample::records', split at ";"
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
        for (const RankSeries &series : rankseries::build(sample::records(records.split(u';')), u"k"_s, domain)) {
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

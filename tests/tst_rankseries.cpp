#include "diagnostics/datetext.h"
#include "diagnostics/errorreports.h"
#include "support/sampledata.h"
#include "views/rankaxes.h"
#include "views/rankseries.h"

#include <QTest>

#include <tuple>

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

    // The records across: a place per moment, labels that tell records of one day apart, as
    // many as fit.
    void moments()
    {
        const QStringList records{u"02-Mar-2025 10:00:00|a k 5|b k 7"_s, u"01-Mar-2025 09:00:05|a k 6"_s,
                                  u"01-Mar-2025 13:20:00|b k 3"_s, u"01-Mar-2025 09:00:40|a k 4"_s,
                                  u"03-Mar-2025 08:00:00|a k 2"_s};
        const QList<RankSeries> series = rankseries::build(sample::records(records), u"k"_s, u"(Show ALL)"_s);
        QStringList labels;
        const QList<rankaxes::Moment> moments = rankaxes::moments(series);
        for (const rankaxes::Moment &moment : moments) {
            labels << moment.label;
            QCOMPARE(rankaxes::placeof(moments, moment.moment), int(labels.size()) - 1);
        }
        QCOMPARE(labels, (QStringList{u"01-Mar-2025 09:00:05"_s, u"01-Mar-2025 09:00:40"_s, u"01-Mar-2025 13:20"_s,
                                      u"02-Mar-2025"_s, u"03-Mar-2025"_s}));
        QCOMPARE(rankaxes::placeof(moments, moments.first().moment + 1), -1);

        const QList<std::tuple<int, int, QList<int>>> fits{{5, 10, {0, 1, 2, 3, 4}},
                                                           {30, 6, {0, 6, 12, 18, 24}},
                                                           {31, 6, {0, 6, 12, 18, 24, 30}},
                                                           {10, 1, {0}},
                                                           {1, 0, {0}},
                                                           {0, 4, {}}};
        for (const auto &[count, room, expected] : fits)
            QCOMPARE(rankaxes::labelled(count, room), expected);
    }

    void positions_data()
    {
        QTest::addColumn<int>("worst");
        QTest::addColumn<double>("height");    // the plot's, in pixels; labels need 20 apart
        QTest::addColumn<QString>("expected"); // "bottom: labels"
        QTest::newRow("top 10, tall") << 3 << 400.0 << u"10: 1 2 3 4 5 6 7 8 9 10"_s;
        QTest::newRow("top 10, short") << 7 << 100.0 << u"10: 1 4 6 8 10"_s;
        QTest::newRow("past the first page") << 27 << 300.0 << u"28: 1 4 6 8 10 12 14 16 18 20 22 24 26 28"_s;
        QTest::newRow("deep") << 187 << 200.0 << u"200: 1 40 60 80 100 120 140 160 180 200"_s;
        QTest::newRow("too low for two labels") << 5 << 10.0 << u"10: 1"_s;
        QTest::newRow("never found") << 0 << 400.0 << u"10: 1 2 3 4 5 6 7 8 9 10"_s;
    }

    void positions()
    {
        QFETCH(int, worst);
        QFETCH(double, height);
        const rankaxes::Positions scale = rankaxes::positions(worst, height, 20);
        QString described = QString::number(scale.bottom) + u':';
        for (const int label : scale.labels)
            described += u' ' + QString::number(label);
        QTEST(described, "expected");
    }
};

QTEST_GUILESS_MAIN(TestRankSeries)
#include "tst_rankseries.moc"

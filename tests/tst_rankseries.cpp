#include "diagnostics/datetext.h"
#include "diagnostics/errorreports.h"
#include "search/ranking.h"
#include "support/sampledata.h"
#include "views/rankaxes.h"
#include "views/rankseries.h"
#include "views/visibility.h"

#include <QTest>

#include <tuple>

using namespace Qt::Literals::StringLiterals;

class TestRankSeries : public QObject
{
    Q_OBJECT

private slots:
    void weight()
    {
        const QList<std::pair<int, int>> curve{{1, 300}, {2, 150}, {3, 100}, {9, 20}, {10, 15}, {11, 10},
                                               {20, 10}, {21, 5},  {30, 5},  {31, 2}, {50, 2},  {51, 1},
                                               {100, 1}, {101, 0}, {0, 0},   {-3, 0}};
        for (const auto &[position, weight] : curve) {
            QVERIFY2(clickweight(position) == weight, qPrintable(QString::number(position)));
            // A better position never weighs less.
            QVERIFY(position <= 1 || clickweight(position - 1) >= clickweight(position));
        }
    }

    // The same records drawn two ways: the keyword's positions and the domains' visibility.
    void build_data()
    {
        QTest::addColumn<QString>("records"); // sample::records', split at ";"
        QTest::addColumn<QString>("domain");
        // "domain: position per point of keyword k, - for a gap"
        QTest::addColumn<QStringList>("positions");
        // "domain: visibility percentage per point", "+N" after it for N keywords without data.
        QTest::addColumn<QStringList>("visibility");
        const QString d1 = u"01-Mar-2025 10:00:00|"_s, d2 = u";02-Mar-2025 10:00:00|"_s,
                      d3 = u";03-Mar-2025 09:00:00|"_s;
        QTest::newRow("not found: a gap that weighs nothing")
            << d1 + u"a k 5|a j -"_s + d2 + u"a k -|a j 3"_s + d3 + u"a k 3"_s << u"a"_s << QStringList{u"a: 5 - 3"_s}
            << QStringList{u"a: 8.3 16.7 33.3"_s};
        QTest::newRow("best of several hits, second page")
            << d1 + u"a k 17 4 12"_s << u"a"_s << QStringList{u"a: 4"_s} << QStringList{u"a: 23.3"_s};
        QTest::newRow("record without the domain leaves a gap")
            << d1 + u"a k 1|b k -"_s + d2 + u"b k 2"_s + d3 + u"a k -"_s << u"(Show ALL)"_s
            << QStringList{u"a: 1 -"_s, u"b: - 2"_s} << QStringList{u"a: 100.0 0.0"_s, u"b: 0.0 50.0"_s};
        QTest::newRow("unreadable dates skipped")
            << d1 + u"a k 5;not a date|a k 1;|a k 2;31-Foo-2025 10:00:00|a k 3"_s + d2 + u"a k 7"_s << u"a"_s
            << QStringList{u"a: 5 7"_s} << QStringList{u"a: 16.7 10.0"_s};
        QTest::newRow("time order, places apart") << d3.mid(1) + u"a k 3;"_s + d1 + u"a k 1"_s + d2 + u"a@de k 2"_s
                                                  << u"a"_s << QStringList{u"a: 1 3"_s, u"a (country de): 2"_s}
                                                  << QStringList{u"a: 100.0 33.3"_s, u"a (country de): 50.0"_s};
        QTest::newRow("blocked is no data, not zero")
            << d1 + u"a k 1|a j !"_s + d2 + u"a k !"_s + d3 + u"a k 3"_s << u"a"_s << QStringList{u"a: 1 3"_s}
            << QStringList{u"a: 100.0+1 33.3"_s};
        QTest::newRow("stopped is no data") << d1 + u"a k 2|a j ?"_s + d2 + u"a k ?"_s + d3 + u"a k 4"_s << u"a"_s
                                            << QStringList{u"a: 2 4"_s} << QStringList{u"a: 50.0+1 23.3"_s};
        QTest::newRow("keyword listed twice counts once, best; found beats blocked")
            << d1 + u"a k !|a k 2|a j -|a k 5"_s << u"a"_s << QStringList{u"a: 2"_s} << QStringList{u"a: 25.0"_s};
        QTest::newRow("competitors share a keyword")
            << d1 + u"a k 1|b k 2|c j 1"_s + d2 + u"b j 3|a k 2"_s << u"a"_s << QStringList{u"a: 1 2"_s}
            << QStringList{u"a: 100.0 50.0"_s, u"b: 50.0 33.3"_s};
        QTest::newRow("keyword absent") << d1 + u"a other 5"_s << u"a"_s << QStringList{} << QStringList{u"a: 16.7"_s};
        QTest::newRow("domain absent") << d1 + u"a k 5"_s << u"c"_s << QStringList{} << QStringList{};
    }

    void build()
    {
        QFETCH(QString, records);
        QFETCH(QString, domain);
        errorreports::clearerrortext();
        const Array1<HistoryEntry> entries = sample::records(records.split(u';'));
        QStringList positions;
        for (const RankSeries &series : rankseries::build(entries, u"k"_s, domain)) {
            QString line = series.name() + u':';
            for (const RankPoint &point : series.points) {
                line += u' ' + (point.position ? QString::number(*point.position) : u"-"_s);
                QCOMPARE(calcdatetime(point.moment), QDateTime::fromString(point.when, u"dd-MMM-yyyy hh:mm:ss"_s));
            }
            positions << line;
        }
        QTEST(positions, "positions");
        QStringList visibility;
        for (const visibility::VisibilitySeries &series :
             visibility::build(entries, visibility::withcompetitors(entries, domain))) {
            QString line = series.name() + u':';
            for (const visibility::VisibilityPoint &point : series.points) {
                line += u' ' + visibility::percenttext(*point.score.percent());
                if (point.score.unknown > 0)
                    line += u'+' + QString::number(point.score.unknown);
            }
            visibility << line;
        }
        QTEST(visibility, "visibility");
        // Skipping a date is not a failure to report.
        QVERIFY(errorreports::errortext().isEmpty());
    }

    // The records across: a place per moment, labels that tell records of one day apart, as
    // many as fit; the positions down: from 1, labels at least 20 pixels apart.
    void axes()
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

        // The worst position, the plot's height: "bottom: labels".
        const QList<std::tuple<int, double, QString>> scales{
            {3, 400.0, u"10: 1 2 3 4 5 6 7 8 9 10"_s},
            {7, 100.0, u"10: 1 4 6 8 10"_s},
            {27, 300.0, u"28: 1 4 6 8 10 12 14 16 18 20 22 24 26 28"_s},
            {187, 200.0, u"200: 1 40 60 80 100 120 140 160 180 200"_s},
            {5, 10.0, u"10: 1"_s},                      // too low for two labels
            {0, 400.0, u"10: 1 2 3 4 5 6 7 8 9 10"_s}}; // never found
        for (const auto &[worst, height, expected] : scales) {
            const rankaxes::Positions scale = rankaxes::positions(worst, height, 20);
            QString described = QString::number(scale.bottom) + u':';
            for (const int label : scale.labels)
                described += u' ' + QString::number(label);
            QCOMPARE(described, expected);
        }
    }
};

QTEST_GUILESS_MAIN(TestRankSeries)
#include "tst_rankseries.moc"

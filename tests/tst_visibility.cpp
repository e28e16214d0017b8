#include "diagnostics/errorreports.h"
#include "search/ranking.h"
#include "support/sampledata.h"
#include "views/visibility.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

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
        QTEST(clickweight(position), "weight");
        // A better position never weighs less.
        if (position > 1)
            QVERIFY(clickweight(position - 1) >= clickweight(position));
    }

    void build_data()
    {
        QTest::addColumn<QString>("records"); // sample::records', split at ";"
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
        const Array1<HistoryEntry> entries = sample::records(records.split(u';'));
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

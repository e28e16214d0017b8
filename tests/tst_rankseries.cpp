#include "diagnostics/datetext.h"
#include "diagnostics/errorreports.h"
#include "support/sampledata.h"
#include "views/rankseries.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// A domain's keyword in a record: "d1 k 5 9" found at 5 and 9, "d1 k -" searched and not
// found, "d1 k !" blocked (nothing listed at all).
KeywordResult keywordof(const QStringList &words)
{
    QList<SearchHit> hits;
    for (const QString &word : words.mid(2)) {
        if (word == u"-" || word == u"!")
            continue;
        SearchHit hit;
        hit.position = word.toInt();
        hit.url = u"http://"_s + words[0] + u"/p"_s + word;
        hits.append(hit);
    }
    const bool blocked = words.value(2) == u"!";
    return sample::keyword(words[1], blocked ? QStringList() : QStringList{u"http://top.example/"_s}, {}, hits);
}

// "when|d1 k 5|d2 k -" per record.
Array1<HistoryEntry> history(const QStringList &records)
{
    Array1<HistoryEntry> data;
    for (const QString &record : records) {
        const QStringList parts = record.split(u'|');
        HistoryEntry entry{parts[0], {}};
        for (const QString &part : parts.mid(1)) {
            const QStringList words = part.split(u' ');
            entry.urldata.append(sample::domain(words[0], {keywordof(words)}));
        }
        data.append(entry);
    }
    return data;
}

// "d1: 5 - 3" with each point's position, "-" for a gap.
QStringList describe(const QList<RankSeries> &series)
{
    QStringList out;
    for (const RankSeries &s : series) {
        QString line = s.domain + u':';
        for (const RankPoint &point : s.points)
            line += u' ' + (point.position ? QString::number(*point.position) : u"-"_s);
        out << line;
    }
    return out;
}

} // namespace

class TestRankSeries : public QObject
{
    Q_OBJECT

private slots:
    void build_data()
    {
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<QString>("domain");
        QTest::addColumn<QStringList>("expected");
        const QString d1 = u"01-Mar-2025 10:00:00|"_s;
        const QString d2 = u"02-Mar-2025 10:00:00|"_s;
        const QString d3 = u"03-Mar-2025 10:00:00|"_s;
        QTest::newRow("gap where not found")
            << QStringList{d1 + u"a.example k 5"_s, d2 + u"a.example k -"_s, d3 + u"a.example k 3"_s} << u"a.example"_s
            << QStringList{u"a.example: 5 - 3"_s};
        QTest::newRow("best of several hits")
            << QStringList{d1 + u"a.example k 17 4 9"_s} << u"a.example"_s << QStringList{u"a.example: 4"_s};
        QTest::newRow("two domains under show all")
            << QStringList{d1 + u"a.example k 5|b.example k -"_s, d2 + u"b.example k 2|a.example k 6"_s}
            << u"(Show ALL)"_s << QStringList{u"a.example: 5 6"_s, u"b.example: - 2"_s};
        QTest::newRow("one domain of two")
            << QStringList{d1 + u"a.example k 5|b.example k 8"_s, d2 + u"a.example k 6|b.example k 9"_s}
            << u"b.example"_s << QStringList{u"b.example: 8 9"_s};
        QTest::newRow("unreadable dates skipped")
            << QStringList{d1 + u"a.example k 5"_s, u"not a date|a.example k 1"_s, u"|a.example k 2"_s,
                           u"31-Foo-2025 10:00:00|a.example k 3"_s, d2 + u"a.example k 7"_s}
            << u"a.example"_s << QStringList{u"a.example: 5 7"_s};
        QTest::newRow("time order, not file order")
            << QStringList{d3 + u"a.example k 3"_s, d1 + u"a.example k 1"_s, d2 + u"a.example k 2"_s} << u"a.example"_s
            << QStringList{u"a.example: 1 2 3"_s};
        QTest::newRow("blocked search is no reading")
            << QStringList{d1 + u"a.example k 5"_s, d2 + u"a.example k !"_s, d3 + u"a.example k 4"_s} << u"a.example"_s
            << QStringList{u"a.example: 5 4"_s};
        QTest::newRow("keyword absent") << QStringList{d1 + u"a.example other 5"_s} << u"a.example"_s << QStringList{};
        QTest::newRow("domain absent") << QStringList{d1 + u"a.example k 5"_s} << u"c.example"_s << QStringList{};
        QTest::newRow("never found") << QStringList{d1 + u"a.example k -"_s, d2 + u"a.example k -"_s} << u"a.example"_s
                                     << QStringList{u"a.example: - -"_s};
    }

    void build()
    {
        QFETCH(QStringList, records);
        QFETCH(QString, domain);
        errorreports::clearerrortext();
        const QList<RankSeries> series = rankseries::build(history(records), u"k"_s, domain);
        QTEST(describe(series), "expected");
        // Skipping a date is not a failure to report.
        QVERIFY(errorreports::errortext().isEmpty());
        for (const RankSeries &s : series) {
            for (const RankPoint &point : s.points)
                QCOMPARE(point.moment, calctime(point.when));
        }
    }

    void pieces()
    {
        RankSeries series{u"a.example"_s, {}};
        // 0 stands for a gap.
        for (int position : {0, 3, 4, 0, 0, 9, 0})
            series.points.append({0, {}, position > 0 ? std::optional<int>(position) : std::nullopt});
        QStringList runs;
        for (const QList<RankPoint> &piece : series.pieces()) {
            QStringList positions;
            for (const RankPoint &point : piece)
                positions << QString::number(*point.position);
            runs << positions.join(u',');
        }
        QCOMPARE(runs, (QStringList{u"3,4"_s, u"9"_s}));
        QCOMPARE(series.worst(), 9);
    }

    void wallclock()
    {
        for (const QDateTime &moment :
             {QDateTime(QDate(2005, 3, 4), QTime(9, 7, 3)), QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59)),
              QDateTime(QDate(2004, 12, 31), QTime(0, 0, 1))}) {
            const QString text = moment.toString(u"dd-MMM-yyyy hh:mm:ss"_s);
            QCOMPARE(rankseries::wallclock(calctime(text)), moment);
        }
    }
};

QTEST_GUILESS_MAIN(TestRankSeries)
#include "tst_rankseries.moc"

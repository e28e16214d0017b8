#include "diagnostics/errorreports.h"
#include "search/parsers.h"
#include "support/sampledata.h"
#include "views/analysisrows.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace analysis;
using historyrows::ShowAll;

namespace {

// The counting and ranking exactly as designed: a walk of the table per occurrence and a
// pick of the smallest total per record per count. The table must give the same in every case.
struct Ref
{
    int count = 0;
    int total = 0;
    QString url;
    QString title;
    bool taken = false;
};

void refaddana(QList<Ref> &table, bool group, int position, const QString &url, const QString &title)
{
    QString key = url;
    qsizetype i = 0;
    for (; i < table.size(); ++i) {
        const QString &r = table[i].url;
        if (r == url)
            break;
        if (group && url.startsWith(r)) {
            key = r;
            break;
        }
        if (group && r.startsWith(url))
            break;
    }
    if (i == table.size())
        table.append(Ref{});
    table[i].count += 1;
    table[i].total += position;
    table[i].url = key;
    table[i].title = remtags(title);
}

QList<Ref> refrank(QList<Ref> table, bool separators)
{
    int m = 0;
    for (Ref &r : table) {
        r.taken = false;
        m = qMax(m, r.count);
    }
    QList<Ref> ranked;
    for (int c = m; c >= 1; --c) {
        const qsizetype before = ranked.size();
        for (const Ref &r : std::as_const(table)) {
            if (r.count != c)
                continue;
            Ref *best = nullptr;
            for (Ref &k : table) {
                if (k.count == c && !k.taken && (!best || k.total < best->total))
                    best = &k;
            }
            best->taken = true;
            ranked.append(*best);
        }
        if (separators && c >= 2 && ranked.size() > before)
            ranked.append(Ref{});
    }
    return ranked;
}

template <typename Records> QStringList dump(const Records &records)
{
    QStringList out;
    for (const auto &r : records)
        out << u"%1 %2/%3 %4"_s.arg(r.url).arg(int(r.count)).arg(int(r.total)).arg(r.title);
    return out;
}

QStringList shown(const QList<AnalysisLine> &lines)
{
    QStringList out;
    for (const AnalysisLine &line : lines)
        out << (line.url.isEmpty() ? QString() : line.url + u' ' + line.count + u' ' + line.average);
    return out;
}

const QString A = u"http://s/"_s, B = u"http://s/b"_s, C = u"http://t/"_s, D = u"http://s/d"_s;
const QString Day1 = u"01-Jan-2005 10:00:00"_s, Day2 = u"02-Jan-2005 10:00:00"_s;

// Two saved searches: two domains, then one domain with a keyword without text.
Array1<HistoryEntry> twosearches()
{
    using namespace sample;
    return array<HistoryEntry>(
        {{Day1, array<SearchSession>({domain(u"d1"_s, {keyword(u"k1"_s, {A, B}), keyword(u"k2"_s, {A})}),
                                      domain(u"d2"_s, {keyword(u"k3"_s, {C, A})})})},
         {Day2, array<SearchSession>({domain(u"d1"_s, {keyword(u"k1"_s, {B}), keyword(QString(), {D})})})}});
}

} // namespace

class TestAnalysis : public QObject
{
    Q_OBJECT

private slots:
    void init() { errorreports::reset(); }

    // The shown lines of a ranked table: counts down, the smaller total first (the earlier on a
    // tie), a blank line after each count above one, averages to 15 significant digits. Grouping
    // and the ranking itself: the reference model below.
    void ranking()
    {
        AnalysisTable table;
        table.clear(false);
        for (const QString &occurrence : u"1 A,3 B,1 C,2 A,3 E,3 B,5 C,3 E,4 A,9 D,2 E"_s.split(u',')) {
            const QStringList parts = occurrence.split(u' ');
            table.addana(parts[0].toInt(), parts[1], u"<i>"_s + parts[1] + u"</i> page"_s);
        }
        const QStringList lines{
            u"A 3 2.33333333333333"_s, u"E 3 2.66666666666667"_s, {}, u"B 2 3"_s, u"C 2 3"_s, {}, u"D 1 9"_s};
        QCOMPARE(shown(disana2(table)), lines);
        // A header click ranks the ranked table again.
        QCOMPARE(shown(disana2(table)), lines);
        QCOMPARE(subitems(disana2(table).at(0)), (QStringList{u"3"_s, u"2.33333333333333"_s, u"A page"_s}));
        QVERIFY(errorreports::errortext().isEmpty());

        // Counters hold 32767; a failing occurrence goes to the error trap and the counting carries
        // on with the next. The table itself is not bounded to 16 bits.
        table.clear(false);
        table.addana(32767, u"u"_s, {});
        table.addana(1, u"u"_s, {}); // counted before the total overflowed
        table.addana(5, u"v"_s, {});
        for (int i = 0; i < 999; ++i)
            table.addana(1, u"u"_s, {});
        QCOMPARE(dump(table.records()), (QStringList{u"u 1001/32767 "_s, u"v 1/5 "_s}));
        // The run of failures is one report, with its count, when the counting ends.
        QVERIFY(errorreports::errortext().isEmpty());
        table.rank(true);
        QCOMPARE(errorreports::errortext().count(u"Error trapped: "_s), 1);
        QVERIFY(errorreports::errortext().contains(u"Error trapped: Overflow (1000 times) 6 "_s));

        table.clear(false);
        errorreports::clearerrortext();
        for (int i = 1; i <= 40000; ++i)
            table.addana(1, QString::number(i), {});
        QCOMPARE(table.records().ubound(), 40000);
        QVERIFY(errorreports::errortext().isEmpty());
    }

    // Random URLs over a tiny alphabet, so that one begins with another (or is empty) often.
    void matchesSpecifiedProcedure()
    {
        QRandomGenerator random(9);
        const auto randomurl = [&] {
            QString url;
            for (int n = random.bounded(5); n > 0; --n)
                url += u"ab/"_s[random.bounded(3)];
            return url;
        };
        for (int round = 0; round < 400; ++round) {
            const bool group = round % 2 == 1;
            AnalysisTable table;
            table.clear(group);
            QList<Ref> ref;
            const auto count = [&](int n) {
                for (int i = 0; i < n; ++i) {
                    const int position = random.bounded(11);
                    const QString url = randomurl();
                    const QString title = u"t<b>"_s + QString::number(i);
                    table.addana(position, url, title);
                    refaddana(ref, group, position, url, title);
                }
            };
            count(random.bounded(40));
            QCOMPARE(dump(table.records()), dump(ref));
            table.rank(true);
            ref = refrank(ref, true);
            QCOMPARE(dump(table.records()), dump(ref));
            count(random.bounded(10)); // into the ranked table, separators included
            QCOMPARE(dump(table.records()), dump(ref));
            table.rank(false);
            QCOMPARE(dump(table.records()), dump(refrank(ref, false)));
        }
    }

    // The filter lists, the lines each filter shows, and a line's detail.
    void filtersAndDetail()
    {
        const Array1<HistoryEntry> history = twosearches();
        HistoryLists f;
        setup(history, 3, u"d2"_s, f);
        QCOMPARE((f.historydates.items + f.historyurls.items + QStringList{f.historydates.text, f.historyurls.text}),
                 (QStringList{ShowAll, Day1, Day2, u"d1"_s, u"d2"_s, ShowAll, u"d2"_s}));

        f.historyurls.text = u"d1"_s;
        disanaurl(history, 3, f);
        QCOMPARE(f.historykeys.items, (QStringList{ShowAll, u"k1"_s, u"k2"_s})); // no empty keyword
        f.historydates.text = Day2;
        disanaurl(history, 3, f);
        QCOMPARE(f.historykeys.items, (QStringList{ShowAll, u"k1"_s}));
        AnalysisTable table;
        QVERIFY(disana(history, 3, f, table));
        QVERIFY(f.historydates.visible);
        QCOMPARE(shown(disana2(table)), (QStringList{B + u" 1 1"_s, D + u" 1 1"_s}));

        // Mode 2: one entry without a date, whatever the hidden date filter holds.
        f.historykeys.text = u"k1"_s;
        QVERIFY(disana(currententry(history[1].urldata), 2, f, table));
        QVERIFY(!f.historydates.visible);
        QCOMPARE(shown(disana2(table)), (QStringList{A + u" 1 1"_s, B + u" 1 2"_s}));

        // The detail: the chosen URL's occurrences under the date filter, grouped with the pages
        // of a root; mode 2 has no date. The mode, the date filter, grouping, the URL chosen and
        // the lines shown.
        const QString first = Day1 + u"|http://s/|"_s;
        const std::tuple<int, QString, bool, QString, QStringList> rows[] = {
            {3, ShowAll, false, A, {first + u"k1|1"_s, first + u"k2|1"_s, first + u"k3|2"_s}},
            {3, Day2, false, A, {}},
            {3, Day2, true, A, {Day2 + u"|http://s/b|k1|1"_s, Day2 + u"|http://s/d||1"_s}},
            {3, ShowAll, true, QString(), {}}, // a separator line
            {2, Day2, false, C, {u"http://t/|k3|1"_s}}};
        for (const auto &[mode, date, group, chosen, lines] : rows) {
            QStringList got;
            HistoryLists lists;
            lists.historydates.text = date;
            lists.chkhistoryfirst = group;
            const Array1<HistoryEntry> records = mode == 2 ? currententry(history[1].urldata) : history;
            for (const DetailLine &line : displaydetailanalysis(records, mode, lists, chosen))
                got << detailtexts(line, mode).join(u'|');
            QCOMPARE(got, lines);
        }
    }
};

QTEST_GUILESS_MAIN(TestAnalysis)
#include "tst_analysis.moc"

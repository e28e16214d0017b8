#include "search/searchstate.h"
#include "views/resultrows.h"

#include <QStringList>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// An in-memory list that records what the writer did to it.
class FakeList final : public ResultList
{
public:
    struct Item
    {
        QString text;
        QStringList subs;
        quint32 color = 0;
        bool selected = false;
    };
    QList<Item> items;
    int inserts = 0;

    int count() const override { return int(items.size()); }
    QString text(int i) const override { return items.at(i - 1).text; }
    QString subitem(int i, int s) const override { return items.at(i - 1).subs.at(s - 1); }
    void setsubitem(int i, int s, const QString &t) override { items[i - 1].subs[s - 1] = t; }
    void insert(int i, const QString &t, const QStringList &subs) override
    {
        items.insert(i - 1, {t, subs, {}, false});
        ++inserts;
    }
    void setforecolor(int i, quint32 c) override { items[i - 1].color = c; }
    bool selected(int i) const override { return items.at(i - 1).selected; }
    QStringList column(int s) const
    {
        QStringList out;
        for (const Item &item : items)
            out << (s == 0 ? item.text : item.subs.at(s - 1));
        return out;
    }
};

SearchHit hit(int position, const QString &url, const QString &title = {}, const QString &abstract = {})
{
    return SearchHit{url, title, abstract, position, {}};
}

KeywordResult keyword(const QString &key, const QList<SearchHit> &hits = {})
{
    KeywordResult result;
    result.key = key;
    for (const SearchHit &h : hits)
        result.positions.append(h);
    return result;
}

SearchState sampleState()
{
    SearchState state;
    state.txturl = u"example.com"_s;
    state.urldata.append(SearchSession{u"other.org"_s, {}, {}, {}, {}, {}, {}, {}});
    SearchSession s{u"example.com"_s, {}, {}, {}, {}, {}, {}, {}};
    s.keys.append(keyword(u"beta"_s, {hit(10, u"http://example.com/b10"_s, u"<b>Beta</b> ten"_s, u"first<br>line"_s),
                                      hit(9, u"http://example.com/b9"_s), hit(25, u"http://example.com/b25"_s)}));
    // Searched to the end, its pages listing other sites only.
    s.keys.append(keyword(u"Alpha"_s));
    s.keys[2].action = u"Finished search"_s;
    s.keys[2].urls.append(u"http://other.org/"_s);
    s.keys.append(keyword(u"gamma"_s, {hit(3, u"http://example.com/g"_s)}));
    state.urldata.append(s);
    FetchJob job;
    job.key = u"beta"_s;
    job.status = u"received page 1"_s;
    state.jobs.append(job);
    job.status = u"Finished search"_s;
    state.jobs.append(job);
    return state;
}

} // namespace

class TestResultRows : public QObject
{
    Q_OBJECT

private slots:
    // The rows of the picked domain, and what both windows load into their inputs when it is picked.
    void buildRowsAndInputs()
    {
        SearchState state = sampleState();
        QCOMPARE(findsession(state), 2);
        List1<ResultRow> rows = resultrows::build(state, 2, false);
        QCOMPARE(rows.ubound(), 5);
        QCOMPARE(rows[1].exacturl, u"http://example.com/b10"_s);
        QCOMPARE(rows[1].action, u"Finished search"_s); // the last matching job wins
        QCOMPARE(state.urldata[2].keys[1].action, u"Finished search"_s);
        QCOMPARE(rows[4].key, u"Alpha"_s);
        QCOMPARE(rows[4].position, u"1000"_s);
        QVERIFY(rows[4].exacturl.isEmpty());
        rows = resultrows::build(state, 2, true);
        QCOMPARE(rows.ubound(), 3);
        QCOMPARE(rows[1].position, u"10"_s);

        state.urldata[2].pagedepth = u" 3 pages"_s;
        state.urldata[2].checkstop = u" 1.0"_s;
        state.urldata[2].checkfirst = u"yes"_s;
        const std::optional<StoredInputs> inputs = resultrows::storedinputs(state);
        QVERIFY(inputs.has_value());
        QCOMPARE(inputs->txtkeys, u"beta\r\nAlpha\r\ngamma\r\n"_s);
        QVERIFY(inputs->chkstopafterhit && !inputs->chkdispfirst);
        QCOMPARE(inputs->pagedepth, u" 3 pages"_s);

        state.txturl = u"Example.com"_s; // exact comparison
        QCOMPARE(findsession(state), 0);
        QVERIFY(!resultrows::storedinputs(state));
    }

    // "None" only for a search that ended normally and listed results without the domain.
    void shownPosition_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("listed"); // the pages listed any result
        QTest::addColumn<QString>("shown");
        QTest::newRow("finished, engine named") << u"Finished search; g: CAPTCHA"_s << true << u"None"_s;
        QTest::newRow("finished, nothing listed") << u"Finished search"_s << false << u"Unknown"_s;
        QTest::newRow("never searched") << QString() << false << u"Unknown"_s;
        QTest::newRow("stopped") << u"stopped"_s << true << u"Unknown"_s;
        QTest::newRow("under way") << u"received page 1"_s << true << u"Unknown"_s;
    }
    void shownPosition()
    {
        QFETCH(QString, action);
        QFETCH(bool, listed);
        SearchState state = sampleState();
        KeywordResult &alpha = state.urldata[2].keys[2];
        alpha.action = action;
        if (!listed)
            alpha.urls.clear();
        QTEST(resultrows::shownposition(resultrows::build(state, 2, false)[4].position), "shown");
    }

    void sortOrders()
    {
        SearchState state = sampleState();
        const List1<ResultRow> built = resultrows::build(state, 2, false);
        const auto keysOf = [](const List1<ResultRow> &rows) {
            QStringList out;
            for (const ResultRow &r : rows)
                out << r.key + u':' + r.position;
            return out;
        };
        // Position up and down, the search term up and the header each click picks are
        // tst_desktop's header clicks.
        List1<ResultRow> rows = built;
        resultrows::sort(rows, 5);
        resultrows::sort(rows, 3);
        QCOMPARE(keysOf(rows), (QStringList{u"gamma:3"_s, u"beta:25"_s, u"beta:10"_s, u"beta:9"_s, u"Alpha:1000"_s}));
        resultrows::sort(rows, 6); // the empty exact URL first, then case-insensitive text
        QCOMPARE(rows[1].key, u"Alpha"_s);
        QCOMPARE(rows[2].exacturl, u"http://example.com/b10"_s);
        rows = built;
        resultrows::sort(rows, 0);
        QCOMPARE(keysOf(rows), keysOf(built));
    }

    void writeInPlaceAndDetail()
    {
        SearchState state = sampleState();
        List1<ResultRow> rows = resultrows::build(state, 2, false);
        FakeList list;
        resultrows::write(rows, list);
        QCOMPARE(list.count(), 5);
        QCOMPARE(list.column(2), (QStringList{u"10"_s, u"9"_s, u"25"_s, u"None"_s, u"3"_s}));
        QCOMPARE(list.items[1].color, 0xFF0000u);
        QCOMPARE(list.items[3].color, 0xFF0000u);
        QCOMPARE(list.items[2].color, 0u);

        // Alpha gains a hit: its line is updated in place, nothing else is inserted.
        state.urldata[2].keys[2].positions.append(hit(4, u"http://example.com/a"_s));
        state.jobs[2].status = u"received page 2"_s;
        rows = resultrows::build(state, 2, false);
        list.inserts = 0;
        resultrows::write(rows, list);
        QCOMPARE(list.inserts, 0);
        QCOMPARE(list.column(2), (QStringList{u"10"_s, u"9"_s, u"25"_s, u"4"_s, u"3"_s}));
        QCOMPARE(list.column(4).first(), u"received page 2"_s);

        // Beta gains a fourth hit: a line is inserted in place, the tail moves down, and the
        // surplus lines of the earlier rendering are never removed.
        state.urldata[2].keys[1].positions.append(hit(30, u"http://example.com/b30"_s));
        rows = resultrows::build(state, 2, false);
        resultrows::write(rows, list);
        QCOMPARE(list.column(1), (QStringList{u"beta"_s, u"beta"_s, u"beta"_s, u"beta"_s, u"Alpha"_s, u"gamma"_s}));
        QCOMPARE(list.items[3].color, 0u); // inserted, not appended

        QString text;
        QVERIFY(!resultrows::detail(rows, list, &text));
        list.items[0].selected = true;
        QVERIFY(resultrows::detail(rows, list, &text));
        QCOMPARE(text, u"Beta ten\r\n\r\nfirst\r\nline"_s);
    }
};

QTEST_GUILESS_MAIN(TestResultRows)
#include "tst_resultrows.moc"

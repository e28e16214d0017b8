#include "search/searchstate.h"
#include "views/resultrows.h"

#include <QStringList>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// An in-memory list: each line its text and then its sub-items, and the colour it was given.
class FakeList final : public ResultList
{
public:
    QList<QStringList> lines;
    QList<quint32> colors;
    int picked = 0; // the selected line

    int count() const override { return int(lines.size()); }
    QString text(int i) const override { return lines.at(i - 1).at(0); }
    QString subitem(int i, int s) const override { return lines.at(i - 1).at(s); }
    void setsubitem(int i, int s, const QString &t) override { lines[i - 1][s] = t; }
    void insert(int i, const QString &t, const QStringList &subs) override
    {
        lines.insert(i - 1, QStringList{t} + subs);
        colors.insert(i - 1, 0);
    }
    void setforecolor(int i, quint32 c) override { colors[i - 1] = c; }
    bool selected(int i) const override { return i == picked; }
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

// "key position exact-url action" of each row.
QStringList table(const List1<ResultRow> &rows)
{
    QStringList out;
    for (const ResultRow &row : rows)
        out << row.key + u' ' + row.position + u' ' + row.exacturl + u' ' + row.action;
    return out;
}

class TestResultRows : public QObject
{
    Q_OBJECT

private slots:
    // The rows of the picked domain in each order, what both windows load into their inputs when
    // it is picked, and the position shown for a keyword without hits.
    void buildRowsAndInputs()
    {
        SearchState state = sampleState();
        QCOMPARE(findsession(state), 2);
        const QString b10 = u"beta 10 http://example.com/b10 Finished search"_s; // the last matching job wins
        const QString b9 = u"beta 9 http://example.com/b9 Finished search"_s;
        const QString b25 = u"beta 25 http://example.com/b25 Finished search"_s;
        const QString alpha = u"Alpha 1000  Finished search"_s, gamma = u"gamma 3 http://example.com/g "_s;
        List1<ResultRow> rows = resultrows::build(state, 2, false);
        QCOMPARE(table(rows), (QStringList{b10, b9, b25, alpha, gamma}));

        // The exact URL down, as case-insensitive text; the URL header keeps the order. Position
        // and search term are tst_desktop's header clicks.
        const QStringList byurl{gamma, b9, b25, b10, alpha};
        resultrows::sort(rows, 7);
        QCOMPARE(table(rows), byurl);
        resultrows::sort(rows, 0);
        QCOMPARE(table(rows), byurl);

        // The boxes are read as numbers; the keywords and depth loaded are tst_desktop's restart.
        state.urldata[2].checkstop = u" 1.0"_s;
        state.urldata[2].checkfirst = u"yes"_s;
        const std::optional<StoredInputs> inputs = resultrows::storedinputs(state);
        QVERIFY(inputs && inputs->chkstopafterhit && !inputs->chkdispfirst);

        state.txturl = u"Example.com"_s; // exact comparison
        QCOMPARE(findsession(state), 0);
        QVERIFY(!resultrows::storedinputs(state));

        // "None" only for a search that ended normally and listed results without the domain.
        KeywordResult &unfound = state.urldata[2].keys[2];
        for (const auto &[action, shown] :
             {std::pair{u"Finished search; g: CAPTCHA"_s, u"None"_s}, {u"stopped"_s, u"Unknown"_s}}) {
            unfound.action = action;
            QCOMPARE(resultrows::shownposition(resultrows::build(state, 2, false)[4].position), shown);
        }
        unfound.action = u"Finished search"_s;
        unfound.urls.clear(); // nothing listed
        QCOMPARE(resultrows::shownposition(resultrows::build(state, 2, false)[4].position), u"Unknown"_s);
    }

    // Lines are written in place: a row that gains a hit updates its line, a new hit's row is
    // inserted before the tail, and the surplus lines of an earlier rendering stay.
    void writeInPlaceAndDetail()
    {
        SearchState state = sampleState();
        List1<ResultRow> rows = resultrows::build(state, 2, false);
        FakeList list;
        resultrows::write(rows, list); // its lines and colours are tst_desktop's first lines
        state.urldata[2].keys[2].positions.append(hit(4, u"http://example.com/a"_s));
        state.jobs[2].status = u"received page 2"_s;
        state.urldata[2].keys[1].positions.append(hit(30, u"http://example.com/b30"_s));
        rows = resultrows::build(state, 2, false);
        resultrows::write(rows, list);
        const QString site = u"example.com"_s, page2 = u"received page 2"_s;
        QCOMPARE(list.lines,
                 (QList<QStringList>{{site, u"beta"_s, u"10"_s, u"http://example.com/b10"_s, page2},
                                     {site, u"beta"_s, u"9"_s, u"http://example.com/b9"_s, page2},
                                     {site, u"beta"_s, u"25"_s, u"http://example.com/b25"_s, page2},
                                     {site, u"beta"_s, u"30"_s, u"http://example.com/b30"_s, page2},
                                     {site, u"Alpha"_s, u"4"_s, u"http://example.com/a"_s, u"Finished search"_s},
                                     {site, u"gamma"_s, u"3"_s, u"http://example.com/g"_s, {}}}));
        QCOMPARE(list.colors, (QList<quint32>{0, 0xFF0000, 0, 0, 0xFF0000, 0}));

        QString text;
        QVERIFY(!resultrows::detail(rows, list, &text));
        list.picked = 1;
        QVERIFY(resultrows::detail(rows, list, &text));
        QCOMPARE(text, u"Beta ten\r\n\r\nfirst\r\nline"_s);
    }
};

QTEST_GUILESS_MAIN(TestResultRows)
#include "tst_resultrows.moc"

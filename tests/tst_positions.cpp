#include "app/appstate.h"
#include "diagnostics/errorreports.h"
#include "search/positions.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

SearchSession domain(const QString &url)
{
    SearchSession session;
    session.url = url;
    return session;
}

SearchHit hit(const QString &url, const QString &title = {}, int position = 0)
{
    return SearchHit{url, title, u"A"_s, position, {}};
}

// Two domains; the second is searched for "seo tools", which is listed twice.
AppState searchState()
{
    AppState state;
    state.urldata.append(domain(u"other.org"_s));
    SearchSession &session = state.urldata.append(domain(u"example.com"_s));
    for (const QString &key : {u"seo tools"_s, u"Seo Tools"_s, u"seo tools"_s})
        session.keys.append(KeywordResult{key, {}, {}, {}, {}});
    session.keys[2].positions.append(hit(u"untouched"_s));
    FetchJob &job = state.jobs.append(FetchJob());
    job.url = u"example.com"_s;
    job.key = u"seo tools"_s;
    job.urlindex = 2;
    return state;
}

// Appends one received page of ten hits; places listed in `ours` point into the domain.
void receivepage(FetchJob &job, std::initializer_list<int> ours)
{
    for (int place = 1; place <= 10; ++place) {
        const int position = job.page * 10 + place;
        const bool mine = std::find(ours.begin(), ours.end(), place) != ours.end();
        const QString url = mine ? u"http://www.example.com/p"_s + QString::number(position)
                                 : u"http://rival.net/"_s + QString::number(position);
        job.hits.append(hit(url, u"T"_s + QString::number(position), position));
    }
    ++job.page;
}

QList<int> positionsOf(const KeywordResult &keyword)
{
    QList<int> result;
    for (const SearchHit &hit : keyword.positions)
        result.append(hit.position);
    return result;
}

} // namespace

class TestPositions : public QObject
{
    Q_OBJECT

private slots:
    void init() { errorreports::reset(); }

    void match_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("domain");
        QTest::addColumn<bool>("expected");
        QTest::newRow("scheme and www") << u"http://www.example.com/"_s << u"example.com"_s << true;
        QTest::newRow("scheme, path") << u"http://example.com/a/b"_s << u"example.com"_s << true;
        QTest::newRow("capitals") << u"HTTP://WWW.EXAMPLE.COM/A"_s << u"Example.com"_s << true;
        QTest::newRow("www, longer host") << u"www.example.com.au/page"_s << u"example.com"_s << true;
        QTest::newRow("bare domain") << u"example.com"_s << u"example.com"_s << true;
        QTest::newRow("https") << u"https://www.example.com/"_s << u"example.com"_s << false;
        QTest::newRow("subdomain") << u"http://shop.example.com/"_s << u"example.com"_s << false;
        QTest::newRow("shorter") << u"http://example.co"_s << u"example.com"_s << false;
        QTest::newRow("port") << u"http://example.com:80/"_s << u"example.com"_s << true;
        QTest::newRow("user part") << u"http://me@example.com/"_s << u"example.com"_s << false;
        QTest::newRow("bare scheme kept") << u"http://"_s << u"http:"_s << true;
        QTest::newRow("short www kept") << u"http://www."_s << u"www."_s << true;
        QTest::newRow("www twice") << u"http://www.www.x.com"_s << u"www.x.com"_s << true;
    }

    void match()
    {
        QFETCH(QString, url);
        QFETCH(QString, domain);
        QTEST(::match(hit(url), ::domain(domain)), "expected");
    }

    void stopAfterHit()
    {
        AppState state = searchState();
        FetchJob &job = state.jobs[1];
        receivepage(job, {});
        getpositions(state, 1, true);
        QVERIFY(!job.done);
        QVERIFY(state.urldata[2].keys[1].positions.isEmpty());
        receivepage(job, {3, 7});
        getpositions(state, 1, true);
        QVERIFY(job.done);
        QCOMPARE(job.status, u"Complete after 2 pages"_s);
        QCOMPARE(positionsOf(state.urldata[2].keys[1]), QList<int>({13, 17}));
        QCOMPARE(state.urldata[2].keys[1].positions[1].url, u"http://www.example.com/p13"_s);
        QCOMPARE(state.urldata[2].keys[1].positions[1].title, u"T13"_s);
    }

    void unticked()
    {
        AppState state = searchState();
        FetchJob &job = state.jobs[1];
        receivepage(job, {5});
        receivepage(job, {});
        getpositions(state, 1, false);
        receivepage(job, {1, 10});
        getpositions(state, 1, false);
        getpositions(state, 1, false); // a repeated call changes nothing
        QVERIFY(!job.done);
        QVERIFY(job.status.isEmpty());
        const SearchSession &session = state.urldata[2];
        QCOMPARE(positionsOf(session.keys[1]), QList<int>({5, 21, 30}));
        QCOMPARE(session.keys[1].urls.ubound(), 10);
        QCOMPARE(session.keys[1].titles.ubound(), 10);
        QCOMPARE(session.keys[1].urls[10], u"http://rival.net/10"_s);
        QCOMPARE(session.keys[1].titles[5], u"T5"_s);
        QCOMPARE(session.keys[3], session.keys[1]);
        // Another key, even one differing only in case, is left alone.
        QCOMPARE(positionsOf(session.keys[2]), QList<int>({0}));
        QVERIFY(session.keys[2].urls.isEmpty());
        QVERIFY(errorreports::errortext().isEmpty());
    }

    void unknownDomain()
    {
        for (int urlindex : {0, 3, -1}) {
            AppState state = searchState();
            state.jobs[1].urlindex = urlindex;
            receivepage(state.jobs[1], {1});
            const Array1<SearchSession> before = state.urldata;
            getpositions(state, 1, true);
            QVERIFY(state.urldata == before);
            QVERIFY(!state.jobs[1].done);
            QVERIFY(errorreports::errortext().isEmpty());
        }
        AppState state = searchState();
        getpositions(state, 2, true);
        QVERIFY(errorreports::errortext().contains(u"Subscript out of range"_s));
    }
};

QTEST_GUILESS_MAIN(TestPositions)
#include "tst_positions.moc"

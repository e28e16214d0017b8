#include "scheduler/scheduler.h"
#include "search/competitors.h"
#include "searchrig.h"
#include "storage/historyfile.h"
#include "storage/inistore.h"
#include "support/recordingdialup.h"

#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace {

const QStringList Domains = {u"a.example"_s, u"b.example"_s, u"c.example"_s};

// Each keyword's positions, top ten and titles for domain `url` of the list.
QList<std::tuple<Array1<SearchHit>, Array1<QString>, Array1<QString>>> found(const Array1<SearchSession> &urldata,
                                                                             const QString &url)
{
    QList<std::tuple<Array1<SearchHit>, Array1<QString>, Array1<QString>>> result;
    for (const SearchSession &session : urldata) {
        for (const KeywordResult &keyword : session.keys) {
            if (session.url == url)
                result.append({keyword.positions, keyword.urls, keyword.titles});
        }
    }
    return result;
}

} // namespace

class TestCompetitors : public QObject
{
    Q_OBJECT

private slots:
    // A scheduled cycle of a.example (competitor c.example) and b.example on the same two
    // keywords, two pages deep: each page is asked for once; all three rank as three separate
    // runs do, and the settings file and the history record read back as three domains.
    void sharedCycle()
    {
        QTemporaryDir dir;
        SearchRig rig(1000000);
        RecordingDialup dialup;
        Scheduler scheduler(rig.state, rig.window, rig.run, dialup);
        const QString history = dir.filePath(u"cycle.sav"_s);
        rig.state.inifile = dir.filePath(u"zorvane.ini"_s);
        scheduler.setsave([&] { return saveall(history, rig.state, {}, {}); });
        const QList<std::tuple<QString, int, QString>> placed = {
            {u"k1"_s, 3, u"http://www.a.example/x"_s}, {u"k1"_s, 12, u"https://b.example/"_s},
            {u"k1"_s, 5, u"http://c.example/p"_s},     {u"k2"_s, 1, u"http://c.example/"_s},
            {u"k2"_s, 15, u"http://a.example/y"_s},    {u"k2"_s, 7, u"http://b.example/z"_s},
            {u"k2"_s, 18, u"http://c.example/q"_s}};
        for (const auto &[keyword, position, url] : placed)
            rig.engine.place(keyword, position, url);
        rig.state.settings.schedulerunning = true;
        rig.state.settings.schedulefile = history;
        for (const QString &url : Domains.first(2)) {
            SearchSession &session = rig.state.urldata.append(SearchSession{url, {}, {}, u"2"_s, {}, {}, {}, {}});
            session.keys.append(KeywordResult{u"k1"_s, {}, {}, {}, {}});
            session.keys.append(KeywordResult{u"k2"_s, {}, {}, {}, {}});
        }
        rig.state.urldata[1].competitors = {u"c.example"_s};
        const auto ticks = [&] {
            return QTest::qWaitFor([&] { return (rig.run.Timer1_Timer(), !rig.state.searching); }, 60000);
        };
        for (int d = 1; d <= 2; ++d) {
            rig.run.Timer1_Timer(); // the scheduler starts the next domain
            QVERIFY(rig.state.txturl == Domains[d - 1] && rig.state.schedulelast == (d == 2));
            QVERIFY(ticks());
        }
        QCOMPARE(rig.engine.pagesRequested(u"k1"_s), (QList<int>{0, 1}));
        QCOMPARE(rig.engine.pagesRequested(u"k2"_s), (QList<int>{0, 1}));
        QVERIFY(rig.window.lines().contains(u"8 requests saved in this cycle: result pages shared between domains"_s));
        QVERIFY(writei(rig.state, {}, {}, {}));
        const Array1<SearchSession> cycle = rig.state.urldata;

        // The same three domains searched one by one, nothing shared.
        rig.state.urldata[1].competitors.clear();
        rig.engine.clearRecords();
        for (const QString &url : Domains) {
            rig.start(url, u"k1\r\nk2"_s, u"2"_s);
            QVERIFY(ticks());
        }
        QCOMPARE(rig.engine.requests().size(), 12);
        SearchState reread;
        reread.inifile = rig.state.inifile;
        WindowSettings windowsettings;
        WindowPlacement placement;
        readi(reread, windowsettings, placement, false);
        const Array1<HistoryEntry> records = historyfile::readhistory(history);
        QCOMPARE(records.ubound(), 1);
        QCOMPARE(reread.urldata.ubound(), 3);
        for (const QString &url : Domains) {
            const auto separate = found(rig.state.urldata, url);
            QVERIFY(!std::get<0>(separate.last()).isEmpty());
            QCOMPARE(found(cycle, url), separate);
            QCOMPARE(found(reread.urldata, url), separate);
            QCOMPARE(found(records[1].urldata, url), separate);
        }
        QCOMPARE(reread.urldata[1].competitors, QStringList{u"c.example"_s});
    }

    // A domain of the user's that searches a keyword of its own is not overwritten by being
    // named a competitor, and a scheduled cycle still searches it.
    void ownDomainKeepsItsKeywords()
    {
        SearchRig rig(1000000);
        for (const auto &[url, keys] : {std::pair{u"a.example"_s, QStringList{u"k1"_s}},
                                        std::pair{u"b.example"_s, QStringList{u"k1"_s, u"own"_s}}}) {
            SearchSession &session = rig.state.urldata.append(SearchSession{url, {}, {}, u"1"_s, {}, {}, {}, {}});
            for (const QString &key : keys)
                session.keys.append(KeywordResult{key, {}, {}, {}, {}});
        }
        rig.state.urldata[1].competitors = {u"b.example"_s};
        const Array1<KeywordResult> own = rig.state.urldata[2].keys;
        rig.start(u"a.example"_s, u"k1"_s, u"1"_s);
        QVERIFY(QTest::qWaitFor([&] { return (rig.run.Timer1_Timer(), !rig.state.searching); }, 60000));
        QVERIFY(rig.state.urldata[2].keys == own);
        QVERIFY(rig.window.lines().contains(u"b.example searches keywords a.example does not: it keeps them and is "
                                            "searched on its own, not as a competitor"_s));
        QVERIFY(!competitors::named(rig.state).contains(u"b.example"_s));
    }
};

QTEST_GUILESS_MAIN(TestCompetitors)
#include "tst_competitors.moc"

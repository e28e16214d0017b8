#include "scheduler/scheduler.h"
#include "searchrig.h"
#include "storage/historyfile.h"
#include "storage/inistore.h"
#include "support/recordingdialup.h"

#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace {

const QStringList Domains = {u"a.example"_s, u"b.example"_s, u"c.example"_s};
const QString Keys = u"k1\r\nk2"_s;

// What a search found for one domain: each keyword's positions, top ten and titles.
using Found = QList<std::tuple<Array1<SearchHit>, Array1<QString>, Array1<QString>>>;

Found found(const SearchSession &session)
{
    Found result;
    for (const KeywordResult &keyword : session.keys)
        result.append({keyword.positions, keyword.urls, keyword.titles});
    return result;
}

const SearchSession *sessionof(const Array1<SearchSession> &urldata, const QString &url)
{
    for (const SearchSession &session : urldata) {
        if (session.url == url)
            return &session;
    }
    return nullptr;
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
        // Every domain on both keywords, on both pages, c.example twice on k2.
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
            SearchSession &session = rig.state.urldata.append(SearchSession());
            session.url = url;
        }
        rig.state.urldata[1].competitors = {u"c.example"_s};
        const auto runone = [&](const QString &domain) {
            rig.window.setTxturlsText(domain);
            rig.window.setTxtkeysText(Keys);
            rig.window.setPagedepthText(u"2"_s);
            rig.run.mnusearch_Click();
            return QTest::qWaitFor(
                [&] {
                    rig.run.Timer1_Timer();
                    return !rig.state.searching;
                },
                60000);
        };
        for (const QString &url : Domains.first(2)) {
            // The scheduler starts each domain with its own keywords, set here as a user would.
            const int d = url == Domains[0] ? 1 : 2;
            rig.state.urldata[d].pagedepth = u"2"_s;
            rig.state.urldata[d].keys = {};
            rig.state.urldata[d].keys.append(KeywordResult{u"k1"_s, {}, {}, {}, {}});
            rig.state.urldata[d].keys.append(KeywordResult{u"k2"_s, {}, {}, {}, {}});
        }
        for (int d = 1; d <= 2; ++d) {
            rig.run.Timer1_Timer();
            QVERIFY(rig.state.searching);
            QCOMPARE(rig.state.txturl, Domains[d - 1]);
            QCOMPARE(rig.state.schedulelast, d == 2);
            QVERIFY(QTest::qWaitFor(
                [&] {
                    rig.run.Timer1_Timer();
                    return !rig.state.searching;
                },
                60000));
        }
        QVERIFY(QFile::exists(history));
        QCOMPARE(rig.engine.pagesRequested(u"k1"_s), (QList<int>{0, 1}));
        QCOMPARE(rig.engine.pagesRequested(u"k2"_s), (QList<int>{0, 1}));
        QCOMPARE(rig.engine.requests().size(), 4);
        QVERIFY(rig.window.lines().contains(
            u"8 requests saved in this cycle: result pages shared between domains"_s));
        QCOMPARE(rig.state.urldata.ubound(), 3);
        QVERIFY(writei(rig.state, {}, {}, {}));
        Array1<SearchSession> cycle = rig.state.urldata;

        // The before: three separate runs, nothing shared.
        rig.state.pages.sharing = false;
        rig.state.urldata[1].competitors.clear();
        rig.engine.clearRecords();
        QMap<QString, Found> separate;
        for (const QString &url : Domains) {
            QVERIFY(runone(url));
            separate[url] = found(*sessionof(rig.state.urldata, url));
        }
        QCOMPARE(rig.engine.requests().size(), 12);
        QVERIFY(!std::get<0>(found(*sessionof(cycle, u"c.example"_s))[1]).isEmpty());

        SearchState reread;
        reread.inifile = rig.state.inifile;
        WindowSettings windowsettings;
        WindowPlacement placement;
        readi(reread, windowsettings, placement, false);
        const Array1<HistoryEntry> records = historyfile::readhistory(history);
        QCOMPARE(records.ubound(), 1);
        for (const QString &url : Domains) {
            QCOMPARE(found(*sessionof(cycle, url)), separate[url]);
            QCOMPARE(found(*sessionof(reread.urldata, url)), separate[url]);
            QCOMPARE(found(*sessionof(records[1].urldata, url)), separate[url]);
        }
        QCOMPARE(reread.urldata[1].competitors, QStringList{u"c.example"_s});
    }
};

QTEST_GUILESS_MAIN(TestCompetitors)
#include "tst_competitors.moc"

#include "search/domainlist.h"
#include "search/positions.h"
#include "search/searchservice.h"
#include "searchrig.h"
#include "support/sampledata.h"
#include "support/tempfolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

// Adds a domain through the domain list's Add button.
void add(SearchRig &rig, const QString &text, const QString &keys = u"alpha\r\nbeta"_s)
{
    rig.window.setTxturlsText(text);
    rig.window.setTxtkeysText(keys);
    rig.window.setPagedepthText(u"2"_s);
    rig.run.domains().cmdadddomain_Click();
}

SearchHit hit(const QString &url, const QString &title = {}, int position = 0)
{
    return SearchHit{url, title, u"A"_s, position, {}};
}

// Two domains; the second is searched for "seo tools", which is listed twice.
SearchState searchState()
{
    SearchState state;
    const KeywordResult key = sample::keyword(u"seo tools"_s, {});
    const KeywordResult other = sample::keyword(u"Seo Tools"_s, {}, {}, {hit(u"untouched"_s)});
    state.urldata = sample::array<SearchSession>(
        {sample::domain(u"other.org"_s, {}), sample::domain(u"example.com"_s, {key, other, key})});
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

// Every job's socket is idle: connected and not yet asked, failed, or released with its reply.
// Ticks taken only then see the same state however the machine is loaded.
bool settled(SearchRig &rig)
{
    for (const FetchJob &job : rig.state.jobs) {
        if (job.socket == 0)
            continue;
        const int s = rig.run.pool().socket(job.socket).state();
        if (s != SocketControl::Error && s != SocketControl::Closed &&
            !(s == SocketControl::Connected && job.state != SocketControl::Connected))
            return false;
    }
    return true;
}

// What a run did, as text: its messages and status lines in order, each keyword's result, and
// the requests on the wire (in the order of their keywords and pages, which is the engine's
// order only up to how the system schedules its sockets).
QString transcript(SearchRig &rig)
{
    QStringList out = rig.window.lines();
    out += rig.window.statuses();
    QCryptographicHash tops(QCryptographicHash::Sha1);
    for (const KeywordResult &keyword : rig.state.urldata[1].keys) {
        QStringList found;
        for (const SearchHit &hit : keyword.positions)
            found << QString::number(int(hit.position)) + u' ' + hit.url;
        out << keyword.key + u" | "_s + keyword.action + u" | "_s + found.join(u", "_s);
        for (int i = 1; i <= keyword.urls.ubound(); ++i)
            tops.addData((keyword.urls[i] + u'\n' + keyword.titles[i] + u'\n').toUtf8());
    }
    QStringList requests;
    for (const FakeEngine::Request &request : rig.engine.requests())
        requests << QString::fromLatin1(request.raw).replace(rig.engine.hostport(), u"HOST"_s);
    requests.sort();
    out << u"top ten "_s + QString::fromLatin1(tops.result().toHex());
    out << u"requests "_s + QString::number(requests.size()) + u' ' +
               QString::fromLatin1(
                   QCryptographicHash::hash(requests.join(u'\n').toUtf8(), QCryptographicHash::Sha1).toHex());
    return out.join(u'\n') + u'\n';
}

} // namespace

class TestSearchRun : public QObject
{
    Q_OBJECT

private slots:
    void init() { errorreports::reset(); }
    void cleanup() { QCOMPARE(errorreports::errortext(), QString()); }

    // One search run in turn refused, started, stopped, warned and run to its end.
    void startsStopsAndWarns()
    {
        SearchRig rig(1000000);
        rig.start({}, u"alpha"_s, u"1"_s);
        QCOMPARE(rig.prompts.messages().value(0), u"You must select or enter a domain before you can search"_s);
        // A new domain is added without a question while the list is empty, before the keywords
        // are checked; showing it rewrites the keyword box with line ends, which then passes.
        rig.start(u"Mysite.example"_s, u"   "_s, u"1"_s);
        QCOMPARE(rig.state.urldata.ubound(), 1);
        QCOMPARE(rig.window.txtkeysText(), u"   \r\n"_s);
        QVERIFY(rig.state.searching);
        rig.run.Dostop_Click();
        rig.start(u"Mysite.example"_s, u"   "_s, u"1"_s);
        QCOMPARE(rig.prompts.messages().value(1), u"You must enter kewords or keyphrases before searching"_s);
        rig.connection.set(false);
        rig.start(u"mysite.example"_s, u"alpha"_s, u"1"_s);
        QCOMPARE(rig.prompts.messages().value(2), u"You must connect ot the internet before searching."_s);
        QVERIFY(!rig.state.searching);
        rig.connection.set(true);
        rig.start(u"mysite.example"_s, u"alpha"_s, u"1"_s);
        // A second start while running: tst_desktop's searchSortsRestartsAndStops.
        QCOMPARE(rig.run.interval(), 1000);
        rig.run.Dostop_Click();
        rig.run.Dostop_Click();
        QCOMPARE(rig.prompts.messages().value(3), u"No search in progress"_s);
        QVERIFY(rig.run.timerActive());

        // A new domain while others are listed is added only on Yes (Yes: tst_searchcli's folderSearch).
        rig.start(u"other.example"_s, u"alpha"_s, u"1"_s);
        QCOMPARE(rig.prompts.questions().value(0),
                 u"Do you want to add other.example to the list of selected domains ?"_s);
        QVERIFY(!rig.state.searching);
        QCOMPARE(rig.state.urldata.ubound(), 1);

        // Keyword text of line breaks only passes the check, makes no job and ends on the first tick.
        rig.start(u"mysite.example"_s, u"\r\n\r\n"_s, u"3"_s);
        QVERIFY(rig.state.searching);
        rig.tick();
        QVERIFY(!rig.state.searching);
        QCOMPARE(rig.window.searchstatus(), u"0 Total searches , 0 Searches in progress , 0 Searches Completed"_s);

        // A depth that is not a whole number of pages from 1 up is refused before anything runs: it
        // would end every keyword unsearched, or never. So is one deeper than the service pages. (0
        // and a word are refused by the same reader in tst_searchcli's offlineCommands.)
        const QString whole = u"The Search depth box takes a whole number of result pages from 1 to 32767."_s;
        const QString brave =
            u"The search service gives at most 10 result pages for a keyword: set the search depth to 10 or less."_s;
        // The refusals come first: the run before them made no job, and a refused start makes none.
        const std::tuple<QString, QString, QString> depths[] = {
            {u"4 pages"_s, engines::html, whole},         {u"+2"_s, engines::html, whole},
            {u"40000"_s, engines::html, whole},           {u"11"_s, engines::brave, brave},
            {u"10"_s, engines::brave, u"10 pages"_s},     {u" 4 "_s, engines::html, u"4 pages"_s},
            {u"32767"_s, engines::html, u"32767 pages"_s}};
        rig.state.settings.enginekey = u"key"_s;
        for (const auto &[text, engine, expected] : depths) {
            const qsizetype said = rig.prompts.messages().size();
            rig.state.settings.engine = engine;
            rig.start(u"mysite.example"_s, u"alpha\r\nbeta"_s, text);
            const QString seen = rig.state.searching ? u"%1 pages"_s.arg(int(rig.state.pagedepth))
                                                     : rig.prompts.messages().mid(said).join(u'|');
            QCOMPARE(text + u": "_s + seen, text + u": "_s + expected);
            QCOMPARE(rig.state.jobs.ubound(), rig.state.searching ? 2 : 0);
            if (rig.state.searching)
                rig.run.Dostop_Click();
        }

        // The timed warning goes on the fifth idle tick. While the server hangs, a tick only counts
        // towards the time-out and returns: the engine answers from this same event loop, so a tick
        // that waited for the reply would come back with nothing but a time-out of its own. STOP
        // then ends the connections for good. A connection lost during a run raises the warning.
        rig.run.timedwarning(u"Exception from service object: Invalid authorization key KEY"_s);
        QCOMPARE(rig.window.lblwarn(),
                 u"Exception from service object:\r\n\r\n Invalid authorization key: \r\n\r\nKEY"_s);
        // Idle ticks count 2, so the panel goes on the fifth.
        for (int i = 1; i <= 4; ++i)
            rig.run.Timer1_Timer();
        QVERIFY(rig.window.warningVisible());
        const int flasher = rig.window.flasher();
        rig.run.Timer1_Timer();
        QVERIFY(!rig.window.warningVisible());
        QCOMPARE(rig.window.flasher(), flasher == 255 ? 65280 : 255);

        rig.engine.setDefaultBehaviour({FakeEngine::Reply::Hang, 0, {}, {}});
        QSignalSpy ended(&rig.run, &SearchRun::searchEnded);
        rig.start(u"mysite.example"_s, u"a\r\nb\r\nc"_s, u"2"_s);
        QVERIFY(rig.tick());
        QVERIFY(rig.tick([&] { return rig.connected(1) && rig.connected(2) && rig.connected(3); }));
        QVERIFY(QTest::qWaitFor([&] { return rig.engine.requests().size() == 3; }));
        const int before = rig.job(1).ticks;
        for (int i = 0; i < 5; ++i)
            rig.run.Timer1_Timer();
        QCOMPARE(rig.job(1).ticks, before + 5);
        QCOMPARE(rig.job(1).status, u"waiting for page 1"_s);
        QCOMPARE(rig.job(3).status, u"waiting for page 1"_s);
        rig.run.Dostop_Click();
        QCOMPARE(ended.size(), 1);
        QVERIFY(!rig.state.searching);
        QCOMPARE(rig.run.pool().openCount(), 0);
        QCOMPARE(rig.window.lines().last(), u"Searching Manually Stopped"_s);
        // The connections really end, so no reply can still come; neither it nor a tick changes anything.
        QTRY_COMPARE(rig.engine.openConnections(), 0);
        rig.run.Timer1_Timer();
        for (int k = 1; k <= 3; ++k) {
            QCOMPARE(rig.keyword(k).action, u"stopped"_s);
            QVERIFY(rig.job(k).done && rig.job(k).socket == 0 && rig.job(k).buffer.isEmpty());
            QCOMPARE(int(rig.job(k).page), 0);
        }
        QCOMPARE(rig.run.interval(), 5000);

        // Without a connection the jobs wait. The warning is hidden on the tenth tick and raised
        // again at once; OK hides it: tst_desktop's searchSortsRestartsAndStops.
        rig.start(u"mysite.example"_s, u"a"_s, u"1"_s);
        rig.connection.set(false);
        rig.run.Timer1_Timer();
        QCOMPARE(rig.window.lblwarn(), u"Please re-establish your Internet Connection to continue with the Search"_s);
        QCOMPARE(int(rig.job(1).socket), 0);
        for (int i = 1; i <= 10; ++i)
            rig.run.Timer1_Timer();
        QVERIFY(rig.window.warningVisible());
        rig.run.Dostop_Click();

        // Depth 3 fetches pages 1 to 3 and no more; with "stop after the first hit" a keyword found on
        // page 2 ends there. (The lines of a run, its requests on the wire and the pool at its end:
        // sameAsRecorded; repeated keywords dropped: domainList.)
        rig.connection.set(true);
        rig.engine.setDefaultBehaviour({});
        rig.run.setTickLength(10);
        rig.engine.place(u"blue widgets"_s, 24, u"http://www.mysite.example/widgets.html"_s);
        rig.engine.place(u"alpha"_s, 13, u"http://mysite.example/a"_s);
        rig.engine.setChunked(true);
        rig.start(u"mysite.example"_s, u"blue widgets\r\nred\r\nalpha"_s, u"3"_s, true);
        QCOMPARE(rig.window.resultslab1(), u"Results at "_s + rig.state.urldata[1].resulttime);
        QVERIFY(rig.finish());
        QCOMPARE(ended.size(), 3); // each STOP, then this run's end
        QCOMPARE((QStringList{rig.verdict(1), rig.verdict(2), rig.verdict(3)}),
                 (QStringList{u"Complete after 3 pages | pages 0 1 2 | 30 hits | found 24"_s,
                              u"Finished search | pages 0 1 2 | 30 hits | found "_s,
                              u"Complete after 2 pages | pages 0 1 | 20 hits | found 13"_s}));
    }

    // The largest domain searches whole at 200 connections: nothing in the run is bounded below
    // 32,767 (the settings file keeps it all: tst_inistore's writesAndReadsBack). More
    // keywords are refused, naming those left over, before anything is searched or changed.
    void keywordLimit()
    {
        SearchRig rig(1000000);
        rig.state.settings.maxconnections = 200;
        rig.state.settings.inettimeout = 32767; // time-outs count ticks, and these come back to back
        const QStringList keys = sample::numbered(u"k"_s, 40000);
        for (int k = 1000; k <= 32767; k += 1000)
            rig.engine.place(keys[k - 1], k / 1000 % 10 + 1, u"http://mysite.example/"_s + keys[k - 1]);
        rig.start(u"mysite.example"_s, keys.mid(0, 32767).join(u"\r\n"_s), u"1"_s);
        QCOMPARE(rig.state.jobs.ubound(), 32767);
        QTimer wake; // a retry's wait has no socket event to wake the loop
        wake.start(5);
        while (rig.state.searching) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            rig.run.Timer1_Timer();
        }
        const Array1<KeywordResult> searched = rig.state.urldata[1].keys;
        QCOMPARE(searched.ubound(), 32767);
        for (int k = 1; k <= 32767; ++k) {
            const KeywordResult &result = searched[k];
            QCOMPARE(result.action, u"Finished search"_s);
            QCOMPARE(result.urls.ubound(), 10);
            QCOMPARE(result.positions.ubound(), k % 1000 == 0 ? 1 : 0);
            if (k % 1000 == 0)
                QCOMPARE(int(result.positions[1].position), k / 1000 % 10 + 1);
        }
        for (const int count : {32768, 40000}) {
            rig.start(u"mysite.example"_s, keys.mid(0, count).join(u"\r\n"_s), u"1"_s);
            QVERIFY(!rig.state.searching);
            QVERIFY(rig.state.urldata[1].keys == searched);
        }
        QCOMPARE(rig.prompts.messages(),
                 (QStringList{u"A domain holds at most 32767 keywords; the keyword \"k32768\" does not fit. "
                              "Nothing was searched or changed."_s,
                              u"A domain holds at most 32767 keywords; the 7233 keywords from \"k32768\" to "
                              "\"k40000\" do not fit. Nothing was searched or changed."_s}));
        rig.run.domains().cmdsavechanges_Click();
        QVERIFY(rig.state.urldata[1].keys == searched);
        QCOMPARE(rig.prompts.messages().size(), 3);
    }

    // A run of a few hundred keywords over fifteen connections, with retries and a keyword given
    // up, does and finds exactly what a recording of an earlier version did, tick by tick; never
    // more than fifteen sockets are open or made (the pool never shrinks, and holds a template).
    void sameAsRecorded()
    {
        SearchRig rig(1000000);
        rig.state.settings.maxconnections = 15;
        rig.state.settings.maxretries = 2;
        rig.engine.setChunked(true);
        // The replies come after the tick that asked for them, however long that tick takes.
        rig.engine.setDefaultBehaviour({FakeEngine::Reply::Page, 100, {}, {}});
        QStringList keys;
        for (int k = 1; k <= 200; ++k) {
            keys << u"keyword "_s + QString::number(k);
            if (k % 9 == 0)
                rig.engine.place(keys.last(), k % 20 + 1, u"http://www.mysite.example/"_s + QString::number(k));
        }
        keys << u"keyword 7"_s;
        rig.engine.setBehaviour(u"keyword 50"_s, 1, {FakeEngine::Reply::CloseEarly, 100, {}, {}});
        rig.engine.setBehaviour(u"keyword 120"_s, 0, {FakeEngine::Reply::Reset, 100, {}, {}});
        rig.start(u"mysite.example"_s, keys.join(u"\r\n"_s), u"2"_s);
        for (int tick = 0; tick < 2000 && rig.state.searching; ++tick)
            QVERIFY(rig.tick([&] { return settled(rig); }));
        QVERIFY(!rig.state.searching);
        QCOMPARE(rig.engine.maxOpenConnections(), 15);
        QCOMPARE(rig.run.pool().count(), 16);
        const QByteArray seen = transcript(rig).toUtf8();
        if (seen != readbytes(QStringLiteral(ZORVANE_TEST_DATA "/searchrun-transcript.txt"))) {
            const QString actual = QDir::temp().filePath(u"searchrun-transcript.txt"_s);
            QVERIFY(writebytes(actual, seen));
            QFAIL(qPrintable(u"the run differs from the recording; this run is in "_s + actual));
        }
    }

    // Adding, picking, saving and deleting domains: each keeps its own keywords and boxes.
    void domainList()
    {
        SearchRig rig(1000000);
        rig.window.setChkstopafterhit(true);
        rig.window.setChkdispfirst(true);
        add(rig, u"A.example"_s);
        rig.window.setChkdispfirst(false);
        add(rig, u"b.example"_s, u"gamma"_s);
        QCOMPARE(rig.state.urldata[1].pagedepth + rig.state.urldata[1].checkstop + rig.state.urldata[1].checkfirst,
                 u"211"_s);
        QCOMPARE(rig.state.urldata[1].keys.ubound(), 2);
        // Shown at once: the keyword box is rebuilt from the stored keys.
        QCOMPARE(rig.window.txtkeysText(), u"gamma\r\n"_s);
        add(rig, u"c.example"_s);
        add(rig, u"http://www.A.EXAMPLE"_s);
        QCOMPARE(rig.prompts.messages(), QStringList{u"Domain already in list"_s});
        add(rig, u"   "_s);
        QCOMPARE(rig.window.txturlsItems(), (QStringList{u"a.example"_s, u"b.example"_s, u"c.example"_s}));

        rig.window.setTxturlsText(u"A.EXAMPLE "_s);
        rig.run.domains().txturls_Click();
        QCOMPARE(rig.state.txturl, u"a.example"_s);
        QCOMPARE(rig.window.txtkeysText(), u"alpha\r\nbeta\r\n"_s);
        QVERIFY(rig.window.chkdispfirst());

        rig.state.urldata[1].keys[1].positions.append(SearchHit{u"http://a.example/"_s, {}, {}, 3, {}});
        // Exact repeats go, the first kept; a key differing in case or spaces is another key.
        rig.window.setTxtkeysText(u"alpha\r\ndelta\r\nalpha\r\nAlpha\r\ndelta\r\nalpha \r\nalpha"_s);
        rig.window.setPagedepthText(u"5"_s);
        rig.run.domains().cmdsavechanges_Click();
        QCOMPARE(rig.window.lines().last(), u"Saved 4 search terms of a.example (3 repeated search terms dropped)"_s);
        QCOMPARE(rig.window.txtkeysText(), u"alpha\r\ndelta\r\nAlpha\r\nalpha \r\n"_s);
        QCOMPARE(rig.state.urldata[1].keys[2].key, u"delta"_s);
        QVERIFY(rig.state.urldata[1].keys[1].positions.isEmpty());
        rig.run.domains().cmdsavechanges_Click();
        QCOMPARE(rig.window.lines().last(), u"Saved 4 search terms of a.example"_s);

        rig.window.setTxturlsText(u"B.example"_s);
        rig.prompts.setNextAnswer(Prompts::Answer::Cancel);
        rig.run.domains().cmddeletedomain_Click();
        QCOMPARE(rig.prompts.questions().last(), u"Do you want to remove b.example and any associated data ?"_s);
        rig.prompts.setNextAnswer(Prompts::Answer::Yes);
        rig.run.domains().cmddeletedomain_Click();
        QCOMPARE(rig.window.txturlsItems(), (QStringList{u"a.example"_s, u"c.example"_s}));
        QCOMPARE(rig.window.txturlsText(), u"a.example"_s);
        QCOMPARE(rig.state.txturl, u"b.example"_s); // until the box is next normalised
        // An unlisted domain is replaced by the first listed one, without a question.
        rig.window.setTxturlsText(u"zzz.example"_s);
        rig.run.domains().cmddeletedomain_Click();
        QCOMPARE(rig.window.txturlsText(), u"a.example"_s);
        QCOMPARE(rig.prompts.questions().size(), 2);

        // A domain is listed lower case, without blanks, and without a scheme or "www." where
        // something follows it.
        for (const QString &typed :
             {u"HTTP://WWW.My Site .Example"_s, u"www.a"_s, u"www."_s, u"http://"_s, u"http://x"_s,
              u"HTTPS://www.A.example/"_s, u"https://"_s, u"www.www.a.example"_s, u"a.example:8080/x/"_s})
            add(rig, typed);
        QCOMPARE(rig.window.txturlsItems().mid(2),
                 (QStringList{u"mysite.example"_s, u"a"_s, u"www."_s, u"http://"_s, u"x"_s, u"a.example/"_s,
                              u"https://"_s, u"www.a.example"_s, u"a.example:8080/x/"_s}));
        QCOMPARE(rig.state.txturl, u"a.example:8080/x/"_s);
    }

    // Every keyword with the job's key is rebuilt from all the job's pages, however often; another
    // key, even one differing only in case, is left alone. A job whose domain is not listed changes
    // nothing, and a job that is not there is a trapped error.
    void rebuild()
    {
        SearchState state = searchState();
        FetchJob &job = state.jobs[1];
        receivepage(job, {5});
        receivepage(job, {});
        getpositions(state, 1, false);
        receivepage(job, {1, 10});
        getpositions(state, 1, false);
        getpositions(state, 1, false); // a repeated call changes nothing
        QVERIFY(!job.done && job.status.isEmpty());
        const SearchSession &session = state.urldata[2];
        QCOMPARE(positionsOf(session.keys[1]), QList<int>({5, 21, 30}));
        QCOMPARE(session.keys[1].titles.ubound(), 10);
        QCOMPARE(session.keys[1].urls[10], u"http://rival.net/10"_s);
        QCOMPARE(session.keys[1].titles[5], u"T5"_s);
        QCOMPARE(session.keys[3], session.keys[1]);
        // Another key, even one differing only in case, is left alone.
        QCOMPARE(session.keys[2], searchState().urldata[2].keys[2]);

        for (int urlindex : {0, 3, -1}) {
            SearchState unlisted = searchState();
            unlisted.jobs[1].urlindex = urlindex;
            receivepage(unlisted.jobs[1], {1});
            const Array1<SearchSession> before = unlisted.urldata;
            getpositions(unlisted, 1, true);
            QVERIFY(unlisted.urldata == before);
            QVERIFY(!unlisted.jobs[1].done && errorreports::errortext().isEmpty());
        }
        getpositions(state, 2, true);
        QVERIFY(errorreports::errortext().contains(u"Subscript out of range"_s));
        errorreports::clearerrortext();

        // A hit is the domain's whatever its case, scheme or "www.", and on a longer host that
        // starts with it; never on a subdomain or a shorter host. Where the rule keeps a short
        // scheme or "www." the typed domain is kept alike: the sanitizeurl rows.
        const std::tuple<QString, QString, bool> matches[] = {{u"HTTP://WWW.EXAMPLE.COM/A"_s, u"Example.com"_s, true},
                                                              {u"www.example.com.au/page"_s, u"example.com"_s, true},
                                                              {u"example.com"_s, u"example.com"_s, true},
                                                              {u"http://shop.example.com/"_s, u"example.com"_s, false},
                                                              {u"http://example.co"_s, u"example.com"_s, false}};
        for (const auto &[url, domain, expected] : matches)
            QVERIFY2(::match(hit(url), sample::domain(domain, {})) == expected, qPrintable(url));
    }
};

QTEST_GUILESS_MAIN(TestSearchRun)
#include "tst_searchrun.moc"

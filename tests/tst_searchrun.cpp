#include "search/requests.h"
#include "searchrig.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestSearchRun : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(errorreports::errortext(), QString()); }

    void preconditions()
    {
        SearchRig rig(1000000);
        rig.start({}, u"alpha"_s, u"1"_s);
        QCOMPARE(rig.prompts.messages().value(0), u"You must select or enter a domain before you can search"_s);
        // A new domain is added without a question while the list is empty, before the keywords
        // are checked; showing it rewrites the keyword box with line ends, which then passes.
        rig.start(u"Mysite.example"_s, u"   "_s, u"1"_s);
        QCOMPARE(rig.state.urldata.ubound(), 1);
        QCOMPARE(rig.window.txtkeysText(), u"   \r\n"_s);
        QVERIFY(rig.prompts.questions().isEmpty());
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
        QVERIFY(rig.state.searching);
        QCOMPARE(rig.run.interval(), 1000);
        rig.run.doit_Click();
        QCOMPARE(rig.prompts.messages().value(3), u"A search is already running, please wait.."_s);
        rig.run.Dostop_Click();
        rig.run.Dostop_Click();
        QCOMPARE(rig.prompts.messages().value(4), u"No search in progress"_s);
        QCOMPARE(rig.run.interval(), 5000);
        QVERIFY(rig.run.timerActive());

        // A new domain while others are listed is added only on Yes.
        rig.start(u"other.example"_s, u"alpha"_s, u"1"_s);
        QCOMPARE(rig.prompts.questions().value(0),
                 u"Do you want to add other.example to the list of selected domains ?"_s);
        QVERIFY(!rig.state.searching);
        QCOMPARE(rig.state.urldata.ubound(), 1);
        rig.prompts.setNextAnswer(Prompts::Answer::Yes);
        rig.start(u"http://WWW.Other.example"_s, u"alpha"_s, u"1"_s);
        QCOMPARE(rig.state.urldata.ubound(), 2);
        QCOMPARE(rig.state.txturl, u"other.example"_s);
        QVERIFY(rig.state.searching);
        rig.run.Dostop_Click();
        QCOMPARE(rig.prompts.messages().size(), 5);
    }

    void pageDepthOutOfRange()
    {
        SearchRig rig(1000000);
        rig.start(u"mysite.example"_s, u"alpha\r\nbeta"_s, u"40000"_s);
        QVERIFY(errorreports::errortext().contains(u"Overflow"_s));
        errorreports::clearerrortext();
        QCOMPARE(rig.state.jobs.ubound(), 2);
        QVERIFY(!rig.state.searching);
    }

    void pageDepthText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("depth");
        QTest::newRow("plain") << u"3"_s << 3;
        QTest::newRow("leading blanks, trailing text") << u"  4 pages"_s << 4;
        QTest::newRow("half to even down") << u"2.5"_s << 2;
        QTest::newRow("half to even up") << u"3.5"_s << 4;
        QTest::newRow("not a number") << u"abc"_s << 0;
        QTest::newRow("negative") << u"-2"_s << -2;
    }
    void pageDepthText()
    {
        QFETCH(QString, text);
        SearchRig rig(1000000);
        rig.start(u"mysite.example"_s, u"alpha"_s, text);
        QTEST(int(rig.state.pagedepth), "depth");
        rig.run.Dostop_Click();
    }

    // Depth 3 fetches pages 1 to 3 and no more; a repeated keyword shares one job.
    void fullDepth()
    {
        SearchRig rig;
        rig.engine.place(u"blue widgets"_s, 24, u"http://www.mysite.example/widgets.html"_s);
        rig.engine.setChunked(true);
        QSignalSpy ended(&rig.run, &SearchRun::searchEnded);
        rig.start(u"mysite.example"_s, u"blue widgets\r\nred\r\nblue widgets"_s, u"3"_s);
        QCOMPARE(rig.state.resulttime, rig.state.urldata[1].resulttime);
        QCOMPARE(rig.window.resultslab1(), u"Results at "_s + rig.state.resulttime);
        QVERIFY(rig.finish());
        QCOMPARE(ended.size(), 1);
        QCOMPARE(rig.state.jobs.ubound(), 2);
        QCOMPARE(rig.engine.pagesRequested(u"blue widgets"_s), (QList<int>{0, 1, 2}));
        QCOMPARE(rig.engine.pagesRequested(u"red"_s), (QList<int>{0, 1, 2}));
        QCOMPARE(rig.job(1).status, u"Finished search"_s);
        QCOMPARE(rig.keyword(1).action, u"Finished search"_s);
        QCOMPARE(rig.keyword(1).positions.ubound(), 1);
        QCOMPARE(int(rig.keyword(1).positions[1].position), 24);
        QCOMPARE(rig.keyword(3), rig.keyword(1));
        QVERIFY(rig.keyword(2).positions.isEmpty());
        QCOMPARE(rig.keyword(2).urls.ubound(), 10);
        QCOMPARE(rig.job(2).hits.ubound(), 30);

        const QStringList &lines = rig.window.lines();
        // Adding the new domain loads the keywords once, starting the search once more.
        QCOMPARE(lines.mid(0, 3),
                 (QStringList{u"Searching on keys blue widgets,red,blue widgets"_s, u"Starting Search mysite.example"_s,
                              u"Searching on keys blue widgets,red,blue widgets"_s}));
        for (int page = 1; page <= 3; ++page) {
            const QString n = QString::number(page);
            const qsizetype connecting = lines.indexOf(u"Connecting page "_s + n + u" search term red"_s);
            const qsizetype sending = lines.indexOf(u"Sending for page "_s + n + u" search term red"_s);
            const qsizetype received = lines.indexOf(u"Received page "_s + n + u" search term red"_s);
            QVERIFY(connecting > 0 && connecting < sending && sending < received);
        }
        QVERIFY(lines.contains(u"Finished red"_s));
        QCOMPARE(lines.last(), u"Searches complete"_s);
        QCOMPARE(rig.run.pool().openCount(), 0);

        // Every request on the wire is the builder's text, byte for byte.
        for (const FakeEngine::Request &request : rig.engine.requests()) {
            const QString expected = getgoogle(rig.state.settings, rig.engine.hostport(), rig.engine.hostport(),
                                               request.keyword, request.page);
            QCOMPARE(request.raw, expected.toLatin1());
        }
    }

    void stopAfterFirstHit()
    {
        SearchRig rig;
        rig.engine.place(u"alpha"_s, 13, u"http://mysite.example/a"_s);
        rig.start(u"mysite.example"_s, u"alpha\r\nbeta"_s, u"3"_s, true);
        QVERIFY(rig.finish());
        QCOMPARE(rig.job(1).status, u"Complete after 2 pages"_s);
        QCOMPARE(rig.engine.pagesRequested(u"alpha"_s), (QList<int>{0, 1}));
        QCOMPARE(int(rig.keyword(1).positions[1].position), 13);
        QCOMPARE(rig.job(2).status, u"Finished search"_s);
        QVERIFY(!rig.window.lines().contains(u"Finished alpha"_s));
    }

    // Ten jobs over three sockets: never a fourth socket, and the status line counts them.
    void connectionLimit()
    {
        SearchRig rig;
        rig.state.settings.maxconnections = 3;
        rig.engine.setDefaultBehaviour({FakeEngine::Reply::Page, 40, {}, {}});
        QStringList keys;
        for (int k = 1; k <= 10; ++k)
            keys << u"key"_s + QString::number(k);
        int mostSockets = 0;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, &watch,
                         [&] { mostSockets = qMax(mostSockets, rig.run.pool().count()); });
        watch.start(2);
        rig.start(u"mysite.example"_s, keys.join(u"\r\n"_s), u"2"_s);
        QVERIFY(rig.finish(30000));
        QCOMPARE(mostSockets, 4); // the template and sockets 1 to 3
        QCOMPARE(rig.engine.maxOpenConnections(), 3);
        QCOMPARE(rig.engine.requests().size(), 20);
        static const QRegularExpression format(
            u"^(\\d+) Total searches , (\\d+) Searches in progress , (\\d+) Searches Completed$"_s);
        bool sawThree = false;
        for (const QString &status : rig.window.statuses()) {
            if (status.isEmpty())
                continue;
            const QRegularExpressionMatch m = format.match(status);
            QVERIFY2(m.hasMatch(), qPrintable(status));
            QCOMPARE(m.captured(1).toInt(), 10);
            // A socket released while the tick yields may be counted again for a later job, so
            // the count may exceed the pool; the pool itself never does (above).
            sawThree = sawThree || m.captured(2).toInt() >= 3;
        }
        QVERIFY(sawThree);
        QCOMPARE(rig.window.statuses().last(), u"10 Total searches , 0 Searches in progress , 10 Searches Completed"_s);
    }

    void stop()
    {
        SearchRig rig;
        rig.engine.setDefaultBehaviour({FakeEngine::Reply::Page, 300, {}, {}});
        QSignalSpy ended(&rig.run, &SearchRun::searchEnded);
        rig.start(u"mysite.example"_s, u"a\r\nb\r\nc"_s, u"2"_s);
        QVERIFY(QTest::qWaitFor([&] { return rig.engine.requests().size() == 3; }, 5000));
        rig.run.Dostop_Click();
        QCOMPARE(ended.size(), 1);
        QVERIFY(!rig.state.searching);
        QCOMPARE(rig.run.pool().openCount(), 0);
        QCOMPARE(rig.window.searchstatus(), u"Searching Manually Stopped"_s);
        QCOMPARE(rig.window.lines().last(), u"Searching Manually Stopped"_s);
        for (int k = 1; k <= 3; ++k) {
            QCOMPARE(rig.job(k).status, u"stopped"_s);
            QCOMPARE(rig.keyword(k).action, u"stopped"_s);
            QVERIFY(rig.job(k).done);
            QCOMPARE(int(rig.job(k).socket), 0);
        }
        // The replies the server still sends after STOP change nothing.
        QTest::qWait(600);
        for (int k = 1; k <= 3; ++k) {
            QCOMPARE(int(rig.job(k).page), 0);
            QVERIFY(rig.job(k).buffer.isEmpty());
            QCOMPARE(rig.job(k).status, u"stopped"_s);
        }
        QVERIFY(!rig.window.lines().join(u'\n').contains(u"Received page"_s));
        QCOMPARE(rig.run.interval(), 5000);
    }

    // Keyword text of line breaks only passes the check, makes no job and ends on the first tick.
    void noJobs()
    {
        SearchRig rig(1000000);
        rig.window.setTxturlsText(u"mysite.example"_s);
        rig.run.domains().cmdadddomain_Click();
        rig.start(u"mysite.example"_s, u"\r\n\r\n"_s, u"3"_s);
        QVERIFY(rig.state.searching);
        rig.tick();
        QVERIFY(!rig.state.searching);
        QCOMPARE(rig.window.lines().last(), u"Searches complete"_s);
        QCOMPARE(rig.window.searchstatus(), u"0 Total searches , 0 Searches in progress , 0 Searches Completed"_s);
    }

    // While the server hangs, the event loop keeps running: other timers tick on time.
    void nothingBlocks()
    {
        SearchRig rig;
        rig.engine.setDefaultBehaviour({FakeEngine::Reply::Hang, 0, {}, {}});
        int beats = 0;
        QTimer other;
        QObject::connect(&other, &QTimer::timeout, &other, [&] { ++beats; });
        other.start(10);
        rig.start(u"mysite.example"_s, u"a\r\nb"_s, u"2"_s);
        QTest::qWait(500);
        QVERIFY2(beats >= 30, qPrintable(QString::number(beats)));
        QVERIFY(rig.state.searching);
        QCOMPARE(rig.job(1).status, u"waiting for page 1"_s);
        rig.run.Dostop_Click();
    }

    void warningPanel()
    {
        SearchRig rig(1000000);
        rig.run.timedwarning(u"Exception from service object: Invalid authorization key KEY"_s);
        QVERIFY(rig.window.warningVisible());
        QCOMPARE(rig.window.lblwarn(),
                 u"Exception from service object:\r\n\r\n Invalid authorization key: \r\n\r\nKEY"_s);
        // Idle ticks count 2, so the panel goes on the fifth.
        for (int i = 1; i <= 4; ++i)
            rig.run.Timer1_Timer();
        QVERIFY(rig.window.warningVisible());
        QCOMPARE(rig.run.warncount(), 8);
        const int flasher = rig.window.flasher();
        rig.run.Timer1_Timer();
        QVERIFY(!rig.window.warningVisible());
        QCOMPARE(rig.run.warncount(), 0);
        QCOMPARE(rig.window.flasher(), flasher == 255 ? 65280 : 255);

        // During a run a lost connection raises the warning, and the jobs wait.
        rig.start(u"mysite.example"_s, u"a"_s, u"1"_s);
        rig.connection.set(false);
        rig.run.Timer1_Timer();
        QCOMPARE(rig.window.lblwarn(), u"Please re-establish your Internet Connection to continue with the Search"_s);
        QCOMPARE(int(rig.job(1).socket), 0);
        for (int i = 1; i <= 10; ++i)
            rig.run.Timer1_Timer();
        QVERIFY(rig.window.warningVisible()); // hidden on the tenth tick, raised again at once
        rig.run.cmdwarnok_Click();
        QVERIFY(!rig.window.warningVisible());
        rig.run.Dostop_Click();
    }
};

QTEST_GUILESS_MAIN(TestSearchRun)
#include "tst_searchrun.moc"

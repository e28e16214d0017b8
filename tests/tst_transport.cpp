#include "searchrig.h"
#include "support/mockclock.h"
#include "support/tlsrelay.h"

#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace {

const QDateTime Noon(QDate(2026, 3, 2), QTime(12, 0), Qt::UTC);

} // namespace

// HTTPS, replies that would never end a run, and the waits between requests.
class TestTransport : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    TestPki m_pki;

private slots:
    void initTestCase() { QVERIFY2(m_pki.make(m_dir.path()), "openssl could not make the test certificates"); }
    void cleanup() { QCOMPARE(errorreports::errortext(), QString()); }

    // The search host behind a TLS front holding a certificate of the test CA.
    void https_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("cafile");
        QTest::addColumn<QString>("status");
        QTest::newRow("CA trusted") << u"127.0.0.1"_s << m_pki.cafile << u"Finished search"_s;
        QTest::newRow("CA unknown") << u"127.0.0.1"_s << QString() << u"TLS error: The issuer certificate"_s;
        QTest::newRow("wrong name") << u"localhost"_s << m_pki.cafile << u"TLS error: The host name did not match"_s;
        QTest::newRow("CA file unreadable")
            << u"127.0.0.1"_s << m_dir.filePath(u"none.pem"_s) << u"TLS error: no certificate could be read"_s;
    }
    void https()
    {
        QFETCH(QString, name);
        QFETCH(QString, status);
        SearchRig rig;
        TlsRelay relay(m_pki, rig.engine.port());
        QVERIFY(relay.listen(QHostAddress::LocalHost));
        rig.state.settings.searchhost = relay.hostport(name);
        QFETCH(QString, cafile);
        rig.state.settings.cafile = cafile;
        rig.engine.place(u"alpha"_s, 14, u"http://www.mysite.example/a"_s);
        rig.start(u"mysite.example"_s, u"alpha"_s, u"2"_s);
        QVERIFY(rig.finish());
        QVERIFY2(rig.job(1).status.startsWith(status), qPrintable(rig.job(1).status));
        if (status != u"Finished search") {
            QVERIFY(rig.engine.requests().isEmpty() && rig.job(1).hits.isEmpty());
            QVERIFY(rig.window.lines().contains(rig.job(1).status + u" on alpha page 1"_s));
            return;
        }
        QCOMPARE(rig.engine.pagesRequested(u"alpha"_s), (QList<int>{0, 1}));
        const QByteArray raw = rig.engine.requests().first().raw;
        QVERIFY(raw.startsWith("GET /search?hl=en&ie=UTF-8&start=0&q=alpha HTTP/1.1\r\n"));
        QVERIFY(raw.contains(QByteArray("\r\nHost: 127.0.0.1:" + QByteArray::number(relay.serverPort()) + "\r\n")));
        QCOMPARE(int(rig.keyword(1).positions[1].position), 14);
    }

    // A server that trickles times out on every try until the keyword gives up; pages of 16,384
    // hits fill the keyword to its 32,767 hits and the run goes on.
    void runsEnd()
    {
        SearchRig trickle;
        trickle.state.settings.inettimeout = 1;
        trickle.state.settings.maxretries = 2;
        trickle.engine.setDefaultBehaviour({FakeEngine::Reply::Page, 0, {}, {}, 1});
        trickle.start(u"mysite.example"_s, u"alpha"_s, u"1"_s);
        QVERIFY(trickle.finish());
        QCOMPARE(trickle.job(1).status, u"gave up after 2 retries (timeout error)"_s);
        QCOMPARE(trickle.engine.pagesRequested(u"alpha"_s), (QList<int>{0, 0, 0}));

        SearchRig huge;
        const QList<FakeEngine::Hit> hits(16384, {u"http://www.other.example/"_s, u"T"_s, u"S"_s});
        huge.engine.setHits(u"alpha"_s, 0, hits);
        huge.engine.setHits(u"alpha"_s, 1, hits);
        huge.start(u"mysite.example"_s, u"alpha"_s, u"2"_s);
        QVERIFY(huge.finish(60000));
        QCOMPARE(huge.job(1).status, u"Finished search"_s);
        QCOMPARE(huge.job(1).hits.ubound(), 32767);
        QCOMPARE(huge.engine.pagesRequested(u"alpha"_s), (QList<int>{0, 1}));
    }

    // Blocked and failing replies are asked for again after 5, 10 and 20 s of the program's
    // clock, then end the keyword; a proxy's 407 ends it at once.
    void backoff_data()
    {
        QTest::addColumn<QByteArray>("statusline");
        QTest::addColumn<QStringList>("statuses");
        const auto waits = [](const QString &why) {
            return QStringList{why + u", retry 1 of 3 in 5 s"_s, why + u", retry 2 of 3 in 10 s"_s,
                               why + u", retry 3 of 3 in 20 s"_s, why};
        };
        QTest::newRow("429") << "HTTP/1.1 429 Too Many Requests"_ba << waits(u"blocked (HTTP 429)"_s);
        QTest::newRow("502") << "HTTP/1.0 502 Bad Gateway"_ba << waits(u"server error (HTTP 502)"_s);
        QTest::newRow("407") << "HTTP/1.1 407 Proxy Authentication Required"_ba
                             << QStringList{u"proxy authentication failed"_s};
    }
    void backoff()
    {
        QFETCH(QByteArray, statusline);
        QFETCH(QStringList, statuses);
        MockClock clock(Noon);
        SearchRig rig(1000000);
        const QByteArray raw = statusline + "\r\nContent-Length: 0\r\n\r\n";
        rig.engine.setBehaviour(u"alpha"_s, 0, {FakeEngine::Reply::Raw, 0, {}, raw});
        rig.start(u"mysite.example"_s, u"alpha"_s, u"1"_s);
        for (int i = 0; i < statuses.size(); ++i) {
            rig.tick();
            QVERIFY(rig.tick([&] { return rig.connected(1); }));
            QVERIFY(QTest::qWaitFor([&] { return rig.job(1).status == statuses[i]; }, 10000));
            rig.tick();
            QCOMPARE(int(rig.job(1).socket), 0);
            clock.advanceSeconds(5LL << i);
        }
        QCOMPARE(rig.engine.requests().size(), statuses.size());
        QVERIFY(rig.job(1).done && rig.keyword(1).positions.isEmpty());
        QVERIFY(rig.window.lines().contains(statuses.first() + u" on alpha page 1"_s));
    }

    // With a request delay one connection opens per delay and jitter; shuffled keywords are
    // searched in another order than typed.
    void politeness()
    {
        MockClock clock(Noon);
        SearchRig rig(1000000);
        rig.state.settings.requestdelay = 2000;
        rig.state.settings.shuffle = true;
        QStringList keys;
        for (int k = 1; k <= 20; ++k)
            keys << u"key"_s + QString::number(k);
        rig.start(u"mysite.example"_s, keys.join(u"\r\n"_s), u"1"_s);
        const auto started = [&] {
            return std::count_if(rig.state.jobs.begin(), rig.state.jobs.end(),
                                 [](const FetchJob &job) { return !job.status.isEmpty(); });
        };
        QStringList order;
        for (const FetchJob &job : rig.state.jobs)
            order << job.key;
        rig.tick();
        rig.tick();
        QCOMPARE(started(), 1);
        clock.set(Noon.addMSecs(1999));
        rig.tick();
        QCOMPARE(started(), 1);
        clock.set(Noon.addMSecs(3000));
        rig.tick();
        QCOMPARE(started(), 2);
        QVERIFY(order != keys);
        order.sort();
        keys.sort();
        QCOMPARE(order, keys);
    }
};

QTEST_GUILESS_MAIN(TestTransport)
#include "tst_transport.moc"

#include "searchrig.h"
#include "support/tlsrelay.h"

#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString TinyProxy = u"/usr/bin/tinyproxy"_s;

quint16 freeport()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

} // namespace

// A search through a real HTTP proxy with Basic authentication: tinyproxy, started here on
// 127.0.0.1, in front of the fake engine.
class TestProxy : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QProcess m_proxy;
    quint16 m_port = 0;

private slots:
    void initTestCase()
    {
        if (!QFile::exists(TinyProxy))
            QSKIP("tinyproxy is not installed (scripts/setup.sh installs it)");
        m_port = freeport();
        QFile conf(m_dir.filePath(u"tinyproxy.conf"_s));
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write("Port " + QByteArray::number(m_port) +
                   "\nListen 127.0.0.1\nAllow 127.0.0.1\nBasicAuth tester s3cret\nTimeout 10\nMaxClients 20\n"
                   "LogLevel Error\n");
        conf.close();
        m_proxy.start(TinyProxy, {u"-d"_s, u"-c"_s, conf.fileName()});
        QVERIFY(m_proxy.waitForStarted());
        QVERIFY(QTest::qWaitFor(
            [this] {
                QTcpSocket probe;
                probe.connectToHost(QHostAddress::LocalHost, m_port);
                return probe.waitForConnected(100);
            },
            5000));
    }

    void cleanupTestCase()
    {
        m_proxy.terminate();
        m_proxy.waitForFinished(3000);
    }

    // HTTPS goes through the proxy's CONNECT tunnel to a TLS front of the engine.
    void search_data()
    {
        QTest::addColumn<bool>("passes"); // the right password, or a wrong one
        QTest::addColumn<bool>("https");
        QTest::newRow("right password") << true << false;
        QTest::newRow("wrong password") << false << false;
        QTest::newRow("https, right password") << true << true;
        QTest::newRow("https, wrong password") << false << true;
    }
    void search()
    {
        QFETCH(bool, passes);
        QFETCH(bool, https);
        SearchRig rig;
        TlsRelay relay;
        if (https) {
            QVERIFY(relay.start(m_dir.path(), rig.engine.port()));
            rig.state.settings.searchhost = relay.hostport();
            rig.state.settings.cafile = relay.cafile;
        }
        rig.useproxy(m_port, u"tester"_s, passes ? u"s3cret"_s : u"wrong"_s);
        rig.engine.place(u"blue widgets"_s, 14, u"http://www.mysite.example/blue"_s);
        rig.start(u"mysite.example"_s, u"blue widgets\r\nred"_s, u"2"_s);
        QVERIFY(rig.finish(30000));
        QCOMPARE(rig.job(2).status, passes ? u"Finished search"_s : u"proxy authentication failed"_s);
        QCOMPARE(errorreports::errortext(), QString());
        if (!passes) {
            QVERIFY(rig.engine.requests().isEmpty() && rig.job(1).hits.isEmpty());
            return;
        }
        QCOMPARE(rig.engine.pagesRequested(u"red"_s), (QList<int>{0, 1}));
        for (const FakeEngine::Request &request : rig.engine.requests()) {
            QVERIFY(request.raw.startsWith("GET /search?hl=en&ie=UTF-8&start="));
            QVERIFY(!request.raw.contains("Proxy-Authorization"));
        }
        QCOMPARE(int(rig.keyword(1).positions[1].position), 14);
    }
};

QTEST_GUILESS_MAIN(TestProxy)
#include "tst_proxy.moc"

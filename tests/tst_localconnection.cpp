#include "search/hostport.h"
#include "search/localconnection.h"
#include "search/settings.h"
#include "support/fakeconnection.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

// An offline computer still searches an engine or proxy on the loopback, and nothing else.
class TestLocalConnection : public QObject
{
    Q_OBJECT

private slots:
    void offline_data()
    {
        QTest::addColumn<QString>("searchhost");
        QTest::addColumn<bool>("useapi");
        QTest::addColumn<QString>("proxy"); // "" for none
        QTest::addColumn<bool>("connected");
        QTest::newRow("demo engine") << u"127.0.0.1:8089"_s << false << QString() << true;
        QTest::newRow("localhost") << u"LocalHost:80"_s << false << QString() << true;
        QTest::newRow("ipv6 loopback") << u"[::1]:8089"_s << false << QString() << true;
        QTest::newRow("other loopback") << u"127.0.0.2"_s << false << QString() << true;
        QTest::newRow("web host") << u"www.google.com"_s << false << QString() << false;
        QTest::newRow("look-alike") << u"127.0.0.1.example.net"_s << false << QString() << false;
        QTest::newRow("api host is remote") << u"127.0.0.1:8089"_s << true << QString() << false;
        QTest::newRow("local proxy") << u"www.google.com"_s << false << u"127.0.0.1"_s << true;
        QTest::newRow("remote proxy") << u"127.0.0.1:8089"_s << false << u"proxy.example.net"_s << false;
    }
    void offline()
    {
        QFETCH(QString, searchhost);
        QFETCH(bool, useapi);
        QFETCH(QString, proxy);
        QFETCH(bool, connected);
        Settings settings;
        settings.searchhost = searchhost;
        settings.useapi = useapi;
        settings.useproxy = !proxy.isEmpty();
        settings.proxyserver = proxy;
        FakeConnection system;
        system.set(false);
        QCOMPARE(LocalConnection(system, settings).connected(), connected);
        // Online, every search may go.
        system.set(true);
        QVERIFY(LocalConnection(system, settings).connected());
    }

    // The engine connects to the host part, the command line takes a proxy's port from it.
    void splithost_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("port");
        QTest::newRow("name") << u"www.google.com"_s << u"www.google.com"_s << QString();
        QTest::newRow("name and port") << u"127.0.0.1:8089"_s << u"127.0.0.1"_s << u"8089"_s;
        QTest::newRow("ipv6 and port") << u"[::1]:8089"_s << u"::1"_s << u"8089"_s;
        QTest::newRow("bare ipv6") << u"fe80::1:80"_s << u"fe80::1:80"_s << QString();
        QTest::newRow("port not a number") << u"proxy:http"_s << u"proxy:http"_s << QString();
        QTest::newRow("no name") << u":80"_s << u":80"_s << QString();
    }
    void splithost()
    {
        QFETCH(QString, server);
        const HostPort split = ::splithost(server);
        QTEST(split.host, "host");
        QTEST(split.port, "port");
    }
};

QTEST_GUILESS_MAIN(TestLocalConnection)
#include "tst_localconnection.moc"

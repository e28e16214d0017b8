#include "search/hostport.h"
#include "search/localconnection.h"
#include "search/requesttarget.h"
#include "search/searchservice.h"
#include "search/settings.h"
#include "support/fakeconnection.h"
#include "update/checkforupdates.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

// An offline computer still searches a server or proxy on the loopback, and nothing else. What
// counts is the server the run connects to, for every service.
class TestLocalConnection : public QObject
{
    Q_OBJECT

private slots:
    void offline_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("address"); // the service's: search host, or engine address
        QTest::addColumn<QString>("proxy");   // "" for none
        QTest::addColumn<QString>("connection");
        QTest::addColumn<bool>("connected");
        const QString html = engines::html, soap = engines::soap, searx = engines::searxng, serp = engines::serpapi;
        const auto row = [](const char *tag, const QString &engine, const QString &address, const QString &proxy,
                            const QString &connection, bool connected) {
            QTest::newRow(tag) << engine << address << proxy << connection << connected;
        };
        row("demo engine", html, u"127.0.0.1:8089"_s, {}, u"127.0.0.1:8089"_s, true);
        row("localhost", html, u"LocalHost:80"_s, {}, u"LocalHost:80"_s, true);
        row("ipv6 loopback", html, u"[::1]:8089"_s, {}, u"[::1]:8089"_s, true);
        row("web host", html, u"www.google.com"_s, {}, u"www.google.com:80"_s, false);
        row("https host", html, u"https://127.0.0.1"_s, {}, u"127.0.0.1:443"_s, true);
        row("look-alike", html, u"127.0.0.1.example.net"_s, {}, u"127.0.0.1.example.net:80"_s, false);
        row("soap engine: api host", soap, u"127.0.0.1:8089"_s, {}, u"api.google.com:80"_s, false);
        row("local searxng", searx, u"http://127.0.0.1:8888/searx"_s, {}, u"127.0.0.1:8888"_s, true);
        row("remote searxng", searx, u"searx.example"_s, {}, u"searx.example:80"_s, false);
        row("searxng unset", searx, {}, {}, u":0"_s, false);
        row("local serp api", serp, u"localhost:9"_s, {}, u"localhost:9"_s, true);
        row("remote serp api", serp, u"https://serpapi.example"_s, {}, u"serpapi.example:443"_s, false);
        row("local proxy", html, u"www.google.com"_s, u"127.0.0.1:3128"_s, u"127.0.0.1:3128"_s, true);
        row("remote proxy, local searxng", searx, u"127.0.0.1:8888"_s, u"proxy.example.net:3128"_s,
            u"proxy.example.net:3128"_s, false);
    }
    void offline()
    {
        QFETCH(QString, engine);
        QFETCH(QString, address);
        QFETCH(QString, proxy);
        QFETCH(bool, connected);
        Settings settings;
        settings.engine = engine;
        (engine == engines::html || engine == engines::soap ? settings.searchhost : settings.engineurl) = address;
        settings.useproxy = !proxy.isEmpty();
        const HostPort proxyparts = ::splithost(proxy);
        settings.proxyserver = proxyparts.host;
        settings.proxyport = proxyparts.port;
        // The run's jobs start where the connection check looks.
        const RequestTarget target = searchtarget(settings, usesoap(settings));
        QTEST(target.connection(), "connection");
        // The update check goes out through the same proxy.
        if (settings.useproxy)
            QCOMPARE(update::target(settings).connection(), target.connection());
        FakeConnection system;
        system.set(false);
        QCOMPARE(LocalConnection(system, settings).connected(), connected);
        system.set(true); // online, every search may go
        QVERIFY(LocalConnection(system, settings).connected());
    }

    // The engine connects to the host part, the command line takes a proxy's port from it.
    void splithost()
    {
        // A host alone, host and port, and [IPv6] and port are offline's rows.
        const QString cases[][3] = {
            {u"fe80::1:80"_s, u"fe80::1:80"_s, {}}, {u"proxy:http"_s, u"proxy:http"_s, {}}, {u":80"_s, u":80"_s, {}}};
        for (const auto &[server, host, port] : cases) {
            const HostPort split = ::splithost(server);
            QCOMPARE(split.host + u'|' + split.port, host + u'|' + port);
        }
    }
};

QTEST_GUILESS_MAIN(TestLocalConnection)
#include "tst_localconnection.moc"

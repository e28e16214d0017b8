#include "demo-engine/demoranking.h"
#include "search/parsers.h"
#include "search/requests.h"

#include <QProcess>
#include <QTcpSocket>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// The demo search engine program, and the invented ranking it serves.
class TestDemoEngine : public QObject
{
    Q_OBJECT

private:
    // Sends one request text and returns the whole reply, read until the server closes.
    static QString exchange(quint16 port, const QString &request)
    {
        QTcpSocket socket;
        socket.connectToHost(u"127.0.0.1"_s, port);
        if (!socket.waitForConnected(5000))
            return {};
        socket.write(request.toLatin1());
        socket.waitForDisconnected(5000);
        return QString::fromLatin1(socket.readAll());
    }

private slots:
    void servesPages()
    {
        QProcess engine;
        engine.start(QStringLiteral(ZORVANE_DEMO_ENGINE_PATH), {u"--port"_s, u"0"_s, u"--delay"_s, u"0"_s});
        QVERIFY(QTest::qWaitFor([&] { return engine.canReadLine(); }, 10000));
        const QString line = QString::fromLatin1(engine.readLine()).trimmed();
        QVERIFY2(line.startsWith(u"Demo search engine listening on 127.0.0.1:"_s), qPrintable(line));
        const quint16 port = line.sliced(line.lastIndexOf(u':') + 1).toUShort();

        const Settings settings;
        const QString host = u"127.0.0.1:"_s + QString::number(port);
        const Array1<SearchHit> html =
            geturls_google(exchange(port, getgoogle(settings, host, host, u"blue widgets"_s, 1)));
        QCOMPARE(html.ubound(), 10);
        const Array1<SearchHit> soap =
            geturls_googleapi(exchange(port, getgoogleapi(settings, host, host, u"blue widgets"_s, 1)));
        QCOMPARE(soap.ubound(), 10);
        // Both interfaces show the demo domain's ranking; page 1 is the second.
        const QList<FakeEngine::Hit> page = DemoRanking(u"example.com"_s).page(u"blue widgets"_s, 1);
        for (int i = 1; i <= 10; ++i)
            QCOMPARE(html[i].url + u' ' + soap[i].url, page[i - 1].url + u' ' + page[i - 1].url);
    }

    // The demo domain ranks where the keyword puts it, not always on the first pages (and the same
    // every time: servesPages compares the program's pages with a ranking of its own).
    void ranking()
    {
        const DemoRanking ranking(u"example.com"_s);
        int top = 0, deep = 0;
        for (int n = 0; n < 200; ++n) {
            const QString keyword = u"keyword "_s + QString::number(n);
            const QList<int> positions = ranking.domainpositions(keyword);
            QVERIFY(!positions.isEmpty());
            top += positions.first() <= 10;
            deep += positions.first() > 30;
            for (const int position : positions) {
                const FakeEngine::Hit hit = ranking.page(keyword, (position - 1) / 10).at((position - 1) % 10);
                QVERIFY2(hit.url.startsWith(u"http://www.example.com/"_s), qPrintable(keyword));
            }
            QSet<QString> urls;
            for (int page = 0; page < 3; ++page) {
                for (const FakeEngine::Hit &hit : ranking.page(keyword, page))
                    urls.insert(hit.url);
            }
            QCOMPARE(urls.size(), 30);
        }
        QVERIFY2(top > 20 && top < 100, qPrintable(QString::number(top)));
        QVERIFY2(deep > 20 && deep < 150, qPrintable(QString::number(deep)));
    }
};

QTEST_GUILESS_MAIN(TestDemoEngine)
#include "tst_demoengine.moc"

#include "platform/codepage.h"
#include "search/requests.h"

#include <QProcess>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestRequestCommand : public QObject
{
    Q_OBJECT

private slots:
    void request_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("direct, latin-1 keyword")
            << QStringList{u"--host"_s, u"h.test"_s, u"--key"_s, u"caf\u00e9 bar"_s, u"--page"_s, u"2"_s} << 0
            << QByteArray("GET /search?hl=en&ie=UTF-8&start=20&q=caf\xe9+bar HTTP/1.1\r\n"
                          "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
                          "application/vnd.ms-powerpoint, application/vnd.ms-excel, application/msword, */*\r\n"
                          "Accept-Language: en, *\r\n"
                          "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1; .NET CLR 1.0.3705)\r\n"
                          "Connection: close\r\n"
                          "Host: h.test\r\n\r\n")
            << QString();
        Settings proxy;
        proxy.useproxy = true;
        proxy.proxyuser = u"u"_s;
        proxy.proxypass = u"p"_s;
        proxy.apikey = u"K"_s;
        QTest::newRow("soap through proxy")
            << QStringList{u"--soap"_s,
                           u"--host"_s,
                           u"api.test"_s,
                           u"--server"_s,
                           u"px"_s,
                           u"--key"_s,
                           u"a \"b\""_s,
                           u"--page"_s,
                           u"1"_s,
                           u"--useproxy"_s,
                           u"--proxy-user"_s,
                           u"u"_s,
                           u"--proxy-pass"_s,
                           u"p"_s,
                           u"--api-key"_s,
                           u"K"_s}
            << 0 << codepage::toBytes(getgoogleapi(proxy, u"px"_s, u"api.test"_s, u"a \"b\""_s, 1)) << QString();
        Settings unused = proxy;
        unused.useproxy = false;
        QTest::newRow("proxy user without --useproxy")
            << QStringList{u"--host"_s, u"h"_s, u"--server"_s, u"px"_s, u"--key"_s, u"k"_s, u"--proxy-user"_s, u"u"_s}
            << 0 << codepage::toBytes(getgoogle(unused, u"px"_s, u"h"_s, u"k"_s, 0)) << QString();
        QTest::newRow("overflow") << QStringList{u"--host"_s, u"h"_s, u"--key"_s, u"k"_s, u"--page"_s, u"4000"_s} << 1
                                  << QByteArray() << u"Overflow"_s;
        QTest::newRow("no host") << QStringList{u"--key"_s, u"k"_s} << 2 << QByteArray() << u"--host"_s;
        QTest::newRow("no key") << QStringList{u"--host"_s, u"h"_s} << 2 << QByteArray() << u"--key"_s;
        QTest::newRow("page not a number")
            << QStringList{u"--host"_s, u"h"_s, u"--key"_s, u"k"_s, u"--page"_s, u"two"_s} << 2 << QByteArray()
            << u"--page"_s;
        QTest::newRow("unknown option") << QStringList{u"--host"_s, u"h"_s, u"--key"_s, u"k"_s, u"--fast"_s} << 2
                                        << QByteArray() << u"fast"_s;
    }

    void request()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, err);
        QProcess cli;
        cli.start(QStringLiteral(ZORVANE_CLI_PATH), QStringList{u"request"_s} + args);
        QVERIFY(cli.waitForFinished(30000));
        QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
        QTEST(cli.exitCode(), "status");
        QTEST(cli.readAllStandardOutput(), "out");
        const QString stderrText = QString::fromLocal8Bit(cli.readAllStandardError());
        if (err.isEmpty())
            QVERIFY(stderrText.isEmpty());
        else
            QVERIFY2(stderrText.contains(err), qPrintable(stderrText));
    }
};

QTEST_GUILESS_MAIN(TestRequestCommand)
#include "tst_requestcommand.moc"

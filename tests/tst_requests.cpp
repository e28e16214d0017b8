#include "diagnostics/errorreports.h"
#include "search/requests.h"
#include "support/samplerequests.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestRequests : public QObject
{
    Q_OBJECT

private slots:
    void init() { errorreports::reset(); }

    // The page and SOAP requests, direct or in the proxy form, as they go on the wire.
    void request_data()
    {
        QTest::addColumn<bool>("soap");
        QTest::addColumn<QString>("server");
        QTest::addColumn<bool>("useproxy");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("expected"); // "": refused with an overflow
        const QString tail = samplerequests::htmlheaders + u"Host: www.google.com\r\n\r\n"_s;
        // Page 0's start value is in the last page row.
        QTest::newRow("direct ignores proxy user")
            << false << u"www.google.com"_s << true << u"joe"_s << u"a \"q\" &#+\u00e9"_s << 3
            << u"GET /search?hl=en&ie=UTF-8&start=30&q=a+\"q\"+&#+\u00e9 HTTP/1.1\r\n"_s + tail;
        // The credentials travel as one byte a character.
        QTest::newRow("proxy with user")
            << false << u"proxy.local"_s << true << u"j\u00f6e"_s << u"seo"_s << 1
            << u"GET http://www.google.com/search?hl=en&ie=UTF-8&start=10&q=seo HTTP/1.1\r\n"
               u"Proxy-Authorization: Basic avZlOnNlY3JldA==\r\n"_s +
                   tail;
        QTest::newRow("proxy switched off, no user")
            << false << u"proxy.local"_s << false << QString() << QString() << 3276
            << u"GET http://www.google.com/search?hl=en&ie=UTF-8&start=32760&q= HTTP/1.1\r\n"_s + tail;
        QTest::newRow("host differs only in case")
            << false << u"WWW.google.com"_s << true << QString() << u"x"_s << 0
            << u"GET http://www.google.com/search?hl=en&ie=UTF-8&start=0&q=x HTTP/1.1\r\n"_s + tail;
        // Through a proxy: tst_searchcli's request command.
        QTest::newRow("soap, direct") << true << u"api.google.com"_s << true << u"joe"_s << u"say \"hi\" &amp; <b>"_s
                                      << 3 << u"POST /search/beta2 HTTP/1.1\r\n"_s + samplerequests::soaptail;
        // The first page past the 16-bit start value; the page request's overflow is a row of
        // tst_searchcli's offlineCommands.
        QTest::newRow("soap, start overflow") << true << u"h"_s << true << u"joe"_s << u"k"_s << 3277 << QString();
    }
    void request()
    {
        QFETCH(bool, soap);
        QFETCH(QString, server);
        QFETCH(QString, key);
        QFETCH(int, page);
        QFETCH(QString, expected);
        QFETCH(bool, useproxy);
        QFETCH(QString, user);
        Settings settings;
        settings.useproxy = useproxy;
        settings.proxyuser = user;
        settings.proxypass = u"secret"_s;
        settings.apikey = u"KEY"_s;
        const QString host = soap ? server : u"www.google.com"_s;
        QCOMPARE(soap ? ::getgoogleapi(settings, server, host, key, page)
                      : ::getgoogle(settings, server, host, key, page),
                 expected);
        QCOMPARE(errorreports::errortext().contains(u"Overflow"_s), expected.isEmpty());
    }

    // The announced length of a SOAP request is what follows the empty line, for any keyword.
    void soapLength()
    {
        for (const QString &k : {QString(), u"\u00e9\u00e9"_s, QString(300, u'x')}) {
            const QString text = ::getgoogleapi(Settings(), u"h"_s, u"h"_s, k, 0);
            const qsizetype split = text.indexOf(u"\r\n\r\n"_s);
            const qsizetype at = text.indexOf(u"Content-Length:"_s);
            QVERIFY(split > 0 && at > 0);
            const QString value = text.mid(at + 15, text.indexOf(u'\r', at) - at - 15);
            QCOMPARE(value, QString::number(text.size() - split - 4));
        }
        QVERIFY(errorreports::errortext().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRequests)
#include "tst_requests.moc"

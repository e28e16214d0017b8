#include "diagnostics/errorreports.h"
#include "search/requests.h"
#include "support/samplerequests.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kHtmlTail = samplerequests::htmlheaders + u"Host: www.google.com\r\n\r\n"_s;

Settings proxySettings(bool useproxy, const QString &user)
{
    Settings settings;
    settings.useproxy = useproxy;
    settings.proxyuser = user;
    settings.proxypass = u"secret"_s;
    settings.apikey = u"KEY"_s;
    return settings;
}

} // namespace

class TestRequests : public QObject
{
    Q_OBJECT

private slots:
    void init() { errorreports::reset(); }

    void getgoogle_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<bool>("useproxy");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("expected");
        const QString host = u"www.google.com"_s;
        // Page 0's start value is in the last row.
        QTest::newRow("direct ignores proxy user")
            << host << true << u"joe"_s << u"a \"q\" &#+\u00e9"_s << 3
            << u"GET /search?hl=en&ie=UTF-8&start=30&q=a+\"q\"+&#+\u00e9 HTTP/1.1\r\n"_s + kHtmlTail;
        // The credentials travel as one byte a character.
        QTest::newRow("proxy with user")
            << u"proxy.local"_s << true << u"j\u00f6e"_s << u"seo"_s << 1
            << u"GET http://www.google.com/search?hl=en&ie=UTF-8&start=10&q=seo HTTP/1.1\r\n"
               u"Proxy-Authorization: Basic avZlOnNlY3JldA==\r\n"_s +
                   kHtmlTail;
        QTest::newRow("proxy switched off, no user")
            << u"proxy.local"_s << false << QString() << QString() << 3276
            << u"GET http://www.google.com/search?hl=en&ie=UTF-8&start=32760&q= HTTP/1.1\r\n"_s + kHtmlTail;
        QTest::newRow("host differs only in case")
            << u"WWW.google.com"_s << true << QString() << u"x"_s << 0
            << u"GET http://www.google.com/search?hl=en&ie=UTF-8&start=0&q=x HTTP/1.1\r\n"_s + kHtmlTail;
    }

    void getgoogle()
    {
        QFETCH(QString, server);
        QFETCH(bool, useproxy);
        QFETCH(QString, user);
        QFETCH(QString, key);
        QFETCH(int, page);
        QTEST(::getgoogle(proxySettings(useproxy, user), server, u"www.google.com"_s, key, page), "expected");
        QVERIFY(errorreports::errortext().isEmpty());
    }

    void getgoogleapi()
    {
        const QString host = u"api.google.com"_s;
        const QString key = u"say \"hi\" &amp; <b>"_s;
        const QString direct = ::getgoogleapi(proxySettings(true, u"joe"_s), host, host, key, 3);
        // Through a proxy: tst_searchcli's request command.
        QCOMPARE(direct, u"POST /search/beta2 HTTP/1.1\r\n"_s + samplerequests::soaptail);

        // The announced length is what follows the empty line, for any keyword length.
        for (const QString &k : {QString(), u"\u00e9\u00e9"_s, QString(300, u'x')}) {
            const QString text = ::getgoogleapi(Settings(), host, host, k, 0);
            const qsizetype split = text.indexOf(u"\r\n\r\n"_s);
            const qsizetype at = text.indexOf(u"Content-Length:"_s);
            QVERIFY(split > 0 && at > 0);
            const QString value = text.mid(at + 15, text.indexOf(u'\r', at) - at - 15);
            QCOMPARE(value, QString::number(text.size() - split - 4));
        }
        QVERIFY(errorreports::errortext().isEmpty());
    }

    // The first page past the 16-bit start value; the page request's overflow is a row of
    // tst_searchcli's offlineCommands.
    void startOverflow()
    {
        QCOMPARE(::getgoogleapi(proxySettings(true, u"joe"_s), u"h"_s, u"h"_s, u"k"_s, 3277), QString());
        QVERIFY(errorreports::errortext().contains(u"Overflow"_s));
    }
};

QTEST_GUILESS_MAIN(TestRequests)
#include "tst_requests.moc"

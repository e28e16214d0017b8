#include "diagnostics/errorreports.h"
#include "search/chunked.h"
#include "search/parsers.h"
#include "support/samplepages.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QStringList kInserts = {u"<p class=g><a href="_s,
                              u"<URL"_s,
                              u"<snip"_s,
                              u"<title"_s,
                              u"<faultstring>"_s,
                              u"<font"_s,
                              u"</a>"_s,
                              u"Transfer-Encoding: chunked"_s,
                              u"\r\n\r\n"_s,
                              u"&lt;"_s,
                              u"&"_s,
                              u"<br>"_s,
                              QString(3, QChar(0))};

// One random change of the kinds a broken or hostile server produces.
QString mutate(QString text, QRandomGenerator &random)
{
    const auto pos = [&] { return qsizetype(random.bounded(int(text.size()) + 1)); };
    switch (random.bounded(6)) {
    case 0:
        if (!text.isEmpty())
            text[random.bounded(int(text.size()))] = QChar(random.bounded(256));
        break;
    case 1:
        text.truncate(pos());
        break;
    case 2:
        text.insert(pos(), kInserts.at(random.bounded(int(kInserts.size()))));
        break;
    case 3:
        text.insert(pos(), QString(random.bounded(1, 8), QChar(0)));
        break;
    case 4:
        text.remove(pos(), random.bounded(64));
        break;
    default: {
        const qsizetype from = pos();
        text.insert(pos(), text.mid(from, random.bounded(200)));
    }
    }
    return text;
}

bool anyOf(QStringView text, QStringView chars)
{
    for (const QChar c : chars)
        if (text.contains(c))
            return true;
    return false;
}

void checkcleaners(const QString &field)
{
    const QString added = addtags(field);
    QVERIFY(added.size() <= field.size());
    QVERIFY(!added.contains(u'&'));
    const QString removed = remtags(field);
    QVERIFY(removed.size() <= field.size());
    QVERIFY(!anyOf(removed, u"<>"));
}

void checkpage(const QString &raw)
{
    const QString body = dechunk(raw);
    QVERIFY(body.size() <= raw.size());
    if (!raw.first(qMin<qsizetype>(raw.size(), 511)).contains(u"Transfer-Encoding: chunked"))
        QCOMPARE(body, raw);
    const QString page = addcr(body);
    QCOMPARE(page.size(), body.size() + body.count(u'\n'));
    QCOMPARE(addlf(addlf(raw)), addlf(raw));

    const qsizetype errors = errorreports::errortext().size();
    const Array1<SearchHit> html = geturls_google(page);
    QVERIFY(html.ubound() >= 0 && html.ubound() <= page.count(u"<p class=g><a href="));
    for (const SearchHit &hit : html) {
        QVERIFY(!hit.url.contains(u' '));
        QVERIFY(!hit.title.contains(u"</a>"));
        QVERIFY(!anyOf(hit.abstract, u"<>\r\n"));
        checkcleaners(hit.title);
    }
    const Array1<SearchHit> soap = geturls_googleapi(page);
    QVERIFY(soap.ubound() >= 0 && soap.ubound() <= page.count(u"<URL"));
    QVERIFY(!soap[0].fault.contains(u'<'));
    for (const SearchHit &hit : soap) {
        QVERIFY(!hit.url.contains(u'<'));
        checkcleaners(hit.url);
    }
    QCOMPARE(errorreports::errortext().size(), errors); // no parser failure on pages this small
    QCOMPARE(geturls_google(page), html);
    QCOMPARE(geturls_googleapi(page), soap);
    QCOMPARE(dechunk(raw), body);
}

} // namespace

class TestFuzzParsers : public QObject
{
    Q_OBJECT

private slots:
    void mutations_data()
    {
        using namespace samplepages;
        QTest::addColumn<QString>("seed");
        QTest::newRow("chunked html") << chunkedresponse(htmlbody(widgethits()), 61, true);
        QTest::newRow("plain html") << response(htmlbody(widgethits()));
        QTest::newRow("soap") << response(soapbody(
            {{u"http://a/"_s, u"&lt;b&gt;A&lt;/b&gt;"_s, u"x &amp; y"_s}, {u"http://b/"_s, u"B"_s, u"&lt;br&gt;z"_s}}));
        QTest::newRow("soap fault chunked") << chunkedresponse(soapfault(u"Invalid authorization key: k"_s), 40);
    }

    void mutations()
    {
        QFETCH(QString, seed);
        QRandomGenerator random(20050614);
        for (int round = 0; round < 1000; ++round) {
            QString text = seed;
            for (int n = random.bounded(1, 6); n > 0; --n)
                text = mutate(text, random);
            checkpage(text);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(u"round "_s + QString::number(round)));
        }
    }
};

QTEST_GUILESS_MAIN(TestFuzzParsers)
#include "tst_fuzzparsers.moc"

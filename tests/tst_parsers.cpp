#include "diagnostics/errorreports.h"
#include "search/chunked.h"
#include "search/parsers.h"
#include "support/samplepages.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using Parser = Array1<SearchHit> (*)(const QString &);
using TextFunction = QString (*)(const QString &);
Q_DECLARE_METATYPE(Parser)
Q_DECLARE_METATYPE(TextFunction)

namespace {

// Flattens a parse result to url, title, abstract of each hit, in order.
QStringList flat(const Array1<SearchHit> &hits)
{
    QStringList out;
    for (const SearchHit &hit : hits)
        out << hit.url << hit.title << hit.abstract;
    return out;
}

const QString kMarker = u"<p class=g><a href="_s;

const QString kHead = u"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"_s;

} // namespace

class TestParsers : public QObject
{
    Q_OBJECT

private slots:
    void init() { errorreports::reset(); }

    // The result-page and SOAP readers: the hits, and the fault the SOAP reader keeps in element 0.
    void parsers_data()
    {
        QTest::addColumn<Parser>("parser");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("hits");
        const auto google = [](const char *name) -> QTestData & {
            return QTest::newRow(name) << &geturls_google << QString();
        };
        const auto soap = [](const char *name, const QString &fault = {}) -> QTestData & {
            return QTest::newRow(name) << &geturls_googleapi << fault;
        };
        // Whole result pages, SOAP replies and faults are tst_searchcli's parse rows.
        google("link runs to the end") << u"<html><body>"_s + kMarker + u"http://a.example/x"_s << QStringList{};
        const QString hit = kMarker + u"http://a/ x=\"1\">T <b>b</b></a><br><font size=-1>Snip <b>s</b><br><font "
                                      "color=#008000>a/ - 3k</font>"_s;
        google("ends in title") << hit.left(40) << QStringList{u"http://a/"_s, {}, {}};
        google("ends in abstract") << hit.left(hit.indexOf(u"<br><font c")) + u"<br>"_s
                                   << QStringList{u"http://a/"_s, u"T <b>b</b>"_s, {}};
        google("abstract at <font") << hit << QStringList{u"http://a/"_s, u"T <b>b</b>"_s, u"Snip s"_s};
        google("line breaks and nested tags")
            << kMarker + u"u t=1>T</a><br><font size=-1>a\r\nb<i>c<b>d</b></i>\ne<font>tail of twenty chars"_s
            << QStringList{u"u"_s, u"T"_s, u"abcde"_s};
        google("text after </a> is inside a tag")
            << kMarker + u"u t=1>T</a>skip<br>keep<font>................"_s << QStringList{u"u"_s, u"T"_s, u"keep"_s};
        google("anchor end searched from third after space")
            << kMarker + u"u x>no</a>Title</a>>ab<font>...................."_s
            << QStringList{u"u"_s, u"Title"_s, u"ab"_s};
        google("empty link") << kMarker + u" ab>T</a>>z<font>...................."_s << QStringList{{}, u"T"_s, u"z"_s};
        google("hit right after <font") << kMarker + u"u t=1>A</a>>x<font>"_s + kMarker +
                                               u"v t=1>B</a>>y<font>...................."_s
                                        << QStringList{u"u"_s, u"A"_s, u"x"_s, u"v"_s, u"B"_s, u"y"_s};
        google("21 characters") << kMarker + u"a "_s << QStringList{u"a"_s, {}, {}};
        google("20 characters") << kMarker + u"a"_s << QStringList{};
        google("marker 20 from the end") << u"x"_s + kMarker + u" "_s << QStringList{};
        QStringList full; // the 16-bit count's 32767 hits, the last of them whole
        for (int h = 0; h < 32767; ++h)
            full << u"u"_s << u"T"_s << u"x"_s;
        google("one hit more than the count holds")
            << QString(kMarker + u"u t=1>T</a>>x<font>"_s).repeated(32768) + u"."_s.repeated(20) << full;
        soap("fault cut short") << u"<faultstring>Exception from service object: "_s << QStringList{};
        soap("snippet before the first URL")
            << u"<snippet>zero</snippet><title>t0</title><URL>a</URL>u1</URL><snippet>one</snippet>...................."_s
            << QStringList{u"u1"_s, {}, u"one"_s};
        soap("char after <URL is not the tag end")
            << u"<URL>http://a/</URL>tail<.................."_s << QStringList{u"tail"_s, {}, {}};
        soap("longer names match <URL") << u"<URLs x>one</URLs><URL x>two</URL>..................."_s
                                        << QStringList{u"one"_s, {}, {}, u"two"_s, {}, {}};
        soap("cut inside URL") << u"<URL x>a</URL>...................<URL x>http://b.example/very/long/path"_s
                               << QStringList{u"a"_s, {}, {}};
        soap("marker 21 from the end", u"abcdef"_s) << u"<faultstring>abcdef<x"_s << QStringList{};
        soap("marker 20 from the end") << u"x<faultstring>abcdef<"_s << QStringList{};
    }

    void parsers()
    {
        QFETCH(Parser, parser);
        QFETCH(QString, page);
        const Array1<SearchHit> result = parser(page);
        QTEST(flat(result), "hits");
        QTEST(result[0].fault, "fault");
        if (page.startsWith(u"<snippet>zero"))
            QCOMPARE(result[0].abstract + result[0].title, u"zerot0"_s);
        // Only a page of more hits than the count holds trips the error trap.
        const QString report = errorreports::errortext();
        QVERIFY2(result.ubound() < 32767 ? report.isEmpty() : report.contains(u"Function geturls_google"_s),
                 qPrintable(report));
    }

    // The text functions of the readers: addtags unescapes entities, remtags drops tags and turns
    // <br> into a line end, dechunk joins a chunked reply's body, addcr and addlf mend line ends.
    // A trapped failure comes back with what was built and names the function in the error report.
    void textFunctions_data()
    {
        QTest::addColumn<TextFunction>("function");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("trap"); // the function the error report names, "" for none
        const auto row = [](const char *name, TextFunction function, const QString &text, const QString &expected,
                            const QString &trap = {}) { QTest::newRow(name) << function << text << expected << trap; };
        row("bold pair", ::addtags, u"&lt;b&gt;x&lt;/b&gt;"_s, u"<b>x</b>"_s);
        row("ampersand between spaces", ::addtags, u"a &amp; b"_s, u"a  b"_s);
        row("no semicolon drops the rest", ::addtags, u"fish & chips"_s, u"fish "_s);
        row("line break", ::remtags, u"one<br>two"_s, u"one\r\ntwo"_s);
        row("break with attribute", ::remtags, u"one<br clear=all>two"_s, u"onetwo"_s);
        row("unclosed tag", ::remtags, u"a <b c"_s, u"a "_s);
        // The index is 16-bit: one character more overflows it.
        const QString longest = QString(32766, u'a') + u'b';
        row("longest text", ::remtags, longest, longest);
        row("one character too long", ::remtags, longest + u'c', longest, u"Function remtags"_s);
        row("hex sizes, both cases", ::dechunk, kHead + u"b\r\n0123456789a\r\nB\r\n0123456789b\r\n0\r\n\r\n"_s,
            u"0123456789a0123456789b"_s);
        const QString plain = samplepages::response(u"<html>x</html>"_s);
        row("not chunked", ::dechunk, plain, plain);
        const QString tail = u"Transfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n0\r\n\r\n"_s;
        const QString pad = u"HTTP/1.1 200 OK\r\nX-Pad: "_s + QString(459, u'p'); // 485 with its line end
        row("header at 486", ::dechunk, pad + u"\r\n"_s + tail, u"abc"_s);
        row("header at 487", ::dechunk, pad + u"p\r\n"_s + tail, pad + u"p\r\n"_s + tail);
        row("no end of headers", ::dechunk, u"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n"_s, {});
        row("LF inside size skipped", ::dechunk, kHead + u"\n3\r\nabc\r\n0\r\n\r\n"_s, u"abc"_s);
        row("truncated chunk", ::dechunk, kHead + u"3\r\nabc\r\n10\r\nonly a few"_s, {});
        row("no final empty line", ::dechunk, kHead + u"3\r\nabc\r\n0\r\n"_s, {});
        row("no CRLF after data", ::dechunk, kHead + u"3\r\nabcXY2\r\nde\r\n0\r\n\r\n"_s, u"abcde"_s);
        row("negative size", ::dechunk, kHead + u" \r\nabc\r\n"_s, {}, u"Function dechunk"_s);
        row("NULs overflow the size", ::dechunk, kHead + QString(9, QChar(0)) + u"\r\nabc\r\n"_s, {},
            u"Function dechunk"_s);
        row("addcr", ::addcr, u"a\nb\r\nc\rd"_s, u"a\r\nb\r\r\nc\rd"_s);
        row("addlf", ::addlf, u"a\nb\r\nc\rd"_s, u"a\r\nb\r\ncd"_s);
    }

    void textFunctions()
    {
        QFETCH(TextFunction, function);
        QFETCH(QString, text);
        QFETCH(QString, trap);
        QTEST(function(text), "expected");
        const QString report = errorreports::errortext();
        QVERIFY2(trap.isEmpty() ? report.isEmpty() : report.contains(trap), qPrintable(report));
    }
};

QTEST_GUILESS_MAIN(TestParsers)
#include "tst_parsers.moc"

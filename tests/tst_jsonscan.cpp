#include "platform/codepage.h"
#include "search/jsonscan.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// Reads an object the way the services do: members named "n..." as whole numbers, the others
// as text, written out as "key=value;" ("none" and "null" for what those calls do not take).
QString readmembers(JsonScan &scan)
{
    QString out;
    while (scan.nextkey()) {
        const QString key = scan.key().toString();
        if (key.startsWith(u'n')) {
            const std::optional<qint64> number = scan.integer();
            out += key + u'=' + (number ? QString::number(*number) : u"none"_s) + u';';
        } else {
            const QString text = scan.string();
            out += key + u'=' + (text.isNull() ? u"null"_s : text) + u';';
        }
    }
    return out;
}

} // namespace

// The JSON reader under the services: what it decodes, and that every broken or hostile
// document ends with a clear fault at the right byte, read or skipped alike.
class TestJsonScan : public QObject
{
    Q_OBJECT

private slots:
    void documents_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("members");
        const auto row = [](const char *name, const QByteArray &json, const QString &error,
                            const QString &members = {}) { QTest::newRow(name) << json << error << members; };
        row("escapes", "{\"s\":\"q\\\"b\\\\s\\/\\b\\f\\n\\r\\t.\",\"s\":\"\\u00e9\\u20AC\",\"s\":\"\\ud83d\\ude00!\"}",
            {}, u"s=q\"b\\s/\b\f\n\r\t.;s=é€;s=😀!;"_s);
        row("utf-8", "{\"s\":\"a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80z\"}", {}, u"s=aé€😀z;"_s);
        row("escaped key", "{'\\u0073':'x','s\\u00e9':'y'}", {}, u"s=x;sé=y;"_s);
        row("space and mark", "\xef\xbb\xbf \r\n\t{ \"s\" : \"x\" ,\"n\":\t-0 } \n", {}, u"s=x;n=0;"_s);
        row("whole numbers",
            "{'n':3.0,'n':1E+2,'n':2.5,'n':9223372036854775807,'n':9223372036854775808,"
            "'n':-9223372036854775808,'n':18446744073709551617,'n':'3','n':true,'n':[1,{'a':null}],'n':0.25e1}",
            {},
            u"n=3;n=100;n=none;n=9223372036854775807;n=none;n=-9223372036854775808;"
            u"n=none;n=none;n=none;n=none;n=none;"_s);
        row("not text", "{'s':17,'s':null,'s':{'t':['u']},'s':'','s':false}", {}, u"s=null;s=null;s=null;s=;s=null;"_s);
        const qsizetype depth = JsonScan::kMaxDepth - 1;
        row("deepest allowed", "{\"s\":" + QByteArray(depth, '[') + QByteArray(depth, ']') + "}", {}, u"s=null;"_s);
        row("empty", "", u"unexpected end, expected a value at the end (byte 0)"_s);
        row("cut in a string", "{'url':'http://a", u"unterminated string at the end (byte 16)"_s);
        row("cut in an escape", "{'a':'\\", u"unterminated string at byte 6"_s);
        row("bad escape", "{'a':'\\x'}", u"bad escape at byte 6"_s);
        row("short \\u", "{'a':'\\u12'}", u"bad \\u escape at byte 6"_s);
        row("lone high", "{'a':'\\ud800'}", u"lone high surrogate at byte 6"_s);
        row("high then letter", "{'a':'\\ud800\\u0041'}", u"lone high surrogate at byte 6"_s);
        row("lone low", "{'a':'x\\udc00'}", u"lone low surrogate at byte 7"_s);
        row("raw tab", "{\"a\":\"x\ty\"}", u"control character in a string at byte 7"_s);
        row("stray byte", "{\"a\":\"\xff\"}", u"invalid UTF-8 at byte 6"_s);
        row("utf-8 surrogate", "{\"a\":\"\xed\xa0\x80\"}", u"invalid UTF-8 at byte 6"_s);
        row("cut sequence", "{\"a\":\"\xe2\x82\"}", u"invalid UTF-8 at byte 6"_s);
        row("garbage after", "{'a':1} x", u"text after the document at byte 8"_s);
        row("comma before }", "{'a':1,}", u"expected a key at byte 7"_s);
        row("comma before ]", "[1,]", u"expected a value at byte 3"_s);
        row("leading zero", "{'a':01}", u"expected ',' or '}' at byte 6"_s);
        row("sign alone", "{'a':-}", u"bad number at byte 6"_s);
        row("no fraction", "{'a':1.}", u"bad number at byte 7"_s);
        row("no exponent", "{'a':1e}", u"bad number at byte 7"_s);
        row("bad literal", "{'a':tru}", u"bad literal at byte 5"_s);
        row("} closes [", "[1}", u"expected ',' or ']' at byte 2"_s);
        row("no colon", "{'a' 1}", u"expected ':' at byte 5"_s);
        row("hostile depth", QByteArray(200000, '['), u"nested too deeply at byte 1024"_s);
    }

    // Skipped whole or read as the services read it, a document is read alike: a good one to
    // its end, a broken one to the same fault, after which the reader finds nothing more.
    void documents()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, error);
        const QString text = codepage::toText(json.replace('\'', '"')); // the tables write " as '
        JsonScan skipped(text);
        skipped.skip();
        QCOMPARE(skipped.finish(), error.isEmpty());
        QCOMPARE(skipped.error(), error);
        JsonScan read(text);
        QString members;
        if (read.enterobject())
            members = readmembers(read);
        QCOMPARE(read.finish(), error.isEmpty());
        QCOMPARE(read.error(), error);
        if (error.isEmpty())
            QTEST(members, "members");
        else
            QVERIFY(!read.nextkey() && !read.nextitem() && !read.enterarray() && read.string().isNull());
    }
};

QTEST_GUILESS_MAIN(TestJsonScan)
#include "tst_jsonscan.moc"

#include "export/csvexport.h"

#include <QBuffer>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestCsvExport : public QObject
{
    Q_OBJECT

private slots:
    // Each value goes into every column as RFC 4180 has it (quoted only where needed, quotes
    // doubled), but marked as text where a spreadsheet would run it as a formula: a keyword, a
    // domain or a date from a shared history file is as foreign as a title.
    void quoting_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("field");
        QTest::newRow("plain") << u"blue widgets"_s << u"blue widgets"_s;
        QTest::newRow("comma") << u"red, green"_s << u"\"red, green\""_s;
        QTest::newRow("quotes") << u"the \"best\" one"_s << u"\"the \"\"best\"\" one\""_s;
        QTest::newRow("CR LF") << u"two\r\nlines"_s << u"\"two\r\nlines\""_s;
        QTest::newRow("bare CR") << u"a\rb"_s << u"\"a\rb\""_s;
        QTest::newRow("leading space") << u" indented"_s << u"\" indented\""_s;
        QTest::newRow("trailing space") << u"trailing "_s << u"\"trailing \""_s;
        QTest::newRow("inner space only") << u"in side"_s << u"in side"_s;
        QTest::newRow("non-Latin-1") << u"поиск 検索 €"_s << u"поиск 検索 €"_s;
        QTest::newRow("formula") << u"=1+2"_s << u"'=1+2"_s;
        QTest::newRow("plus") << u"+SUM(A1)"_s << u"'+SUM(A1)"_s;
        QTest::newRow("minus") << u"-2+3"_s << u"'-2+3"_s;
        QTest::newRow("at") << u"@cmd"_s << u"'@cmd"_s;
        QTest::newRow("tab") << u"\t=1"_s << u"'\t=1"_s;
        QTest::newRow("CR") << u"\r=1"_s << u"\"'\r=1\""_s;
    }
    void quoting()
    {
        QFETCH(QString, value);
        QFETCH(QString, field);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(csvexport::writecsv(buffer, {{value, value, value, value, value, value}}, true));
        QCOMPARE(buffer.data(), "\xEF\xBB\xBF"
                                "date,domain,keyword,position,url,title\r\n"_ba +
                                    (QStringList(6, field).join(u',') + u"\r\n"_s).toUtf8());
    }
};

QTEST_GUILESS_MAIN(TestCsvExport)
#include "tst_csvexport.moc"

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
    // domain or a date from a shared history file is as foreign as a title. One line a value.
    void quoting()
    {
        const std::pair<QString, QString> cases[] = {
            {u"blue widgets"_s, u"blue widgets"_s},
            {u"red, green"_s, u"\"red, green\""_s},
            {u"the \"best\" one"_s, u"\"the \"\"best\"\" one\""_s},
            {u"two\r\nlines"_s, u"\"two\r\nlines\""_s},
            {u" indented"_s, u"\" indented\""_s},
            {u"trailing "_s, u"\"trailing \""_s},
            {u"in side"_s, u"in side"_s},
            {u"поиск 検索 €"_s, u"поиск 検索 €"_s},
            {u"=1+2"_s, u"'=1+2"_s},
            {u"+SUM(A1)"_s, u"'+SUM(A1)"_s},
            {u"-2+3"_s, u"'-2+3"_s},
            {u"@cmd"_s, u"'@cmd"_s},
            {u"\t=1"_s, u"'\t=1"_s},
            {u"\r=1"_s, u"\"'\r=1\""_s},
        };
        QList<csvexport::CsvLine> lines;
        QString expected = u"\uFEFFdate,domain,keyword,position,url,title\r\n"_s;
        for (const auto &[value, field] : cases) {
            lines.append({value, value, value, value, value, value});
            expected += QStringList(6, field).join(u',') + u"\r\n"_s;
        }
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(csvexport::writecsv(buffer, lines, true));
        QCOMPARE(buffer.data().split('\n'), expected.toUtf8().split('\n'));
    }
};

QTEST_GUILESS_MAIN(TestCsvExport)
#include "tst_csvexport.moc"

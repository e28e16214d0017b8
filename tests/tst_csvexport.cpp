#include "export/csvexport.h"

#include <QBuffer>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// Reads RFC 4180 strictly: every record ends in CR LF; a field is either bare (no quote, comma,
// CR or LF) or quoted with its quotes doubled. Anything else is an empty result, not a guess.
QList<QStringList> readstrict(const QString &text)
{
    QList<QStringList> records{{}};
    qsizetype i = 0;
    while (i < text.size()) {
        QString field;
        if (text[i] == u'"') {
            for (++i; i < text.size() && (text[i] != u'"' || text.mid(i, 2) == u"\"\""); ++i)
                field += text[text[i] == u'"' ? i++ : i];
            if (i++ >= text.size())
                return {};
        } else {
            while (i < text.size() && !QStringView(u",\r\n\"").contains(text[i]))
                field += text[i++];
        }
        records.last().append(field);
        if (text.mid(i, 2) == u"\r\n") {
            records.append(QStringList());
            i += 2;
        } else if (i >= text.size() || text[i++] != u',') {
            return {};
        }
    }
    records.removeLast();
    return records;
}

} // namespace

class TestCsvExport : public QObject
{
    Q_OBJECT

private slots:
    // Each value goes into every column and must come back out of a strict reader as it went in,
    // but marked as text where a spreadsheet would run it as a formula: a keyword, a domain or a
    // date from a shared history file is as foreign as a title.
    void quoting_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("quoted");
        QTest::newRow("plain") << u"blue widgets"_s << u"blue widgets"_s << false;
        QTest::newRow("comma") << u"red, green"_s << u"red, green"_s << true;
        QTest::newRow("quotes") << u"the \"best\" one"_s << u"the \"best\" one"_s << true;
        QTest::newRow("CR LF") << u"two\r\nlines"_s << u"two\r\nlines"_s << true;
        QTest::newRow("bare CR") << u"a\rb"_s << u"a\rb"_s << true;
        QTest::newRow("leading space") << u" indented"_s << u" indented"_s << true;
        QTest::newRow("trailing space") << u"trailing "_s << u"trailing "_s << true;
        QTest::newRow("inner space only") << u"in side"_s << u"in side"_s << false;
        QTest::newRow("non-Latin-1") << u"поиск 検索 €"_s << u"поиск 検索 €"_s << false;
        QTest::newRow("formula") << u"=1+2"_s << u"'=1+2"_s << false;
        QTest::newRow("plus") << u"+SUM(A1)"_s << u"'+SUM(A1)"_s << false;
        QTest::newRow("minus") << u"-2+3"_s << u"'-2+3"_s << false;
        QTest::newRow("at") << u"@cmd"_s << u"'@cmd"_s << false;
        QTest::newRow("tab") << u"\t=1"_s << u"'\t=1"_s << false;
        QTest::newRow("CR") << u"\r=1"_s << u"'\r=1"_s << true;
    }
    void quoting()
    {
        QFETCH(QString, value);
        QFETCH(QString, written);
        QFETCH(bool, quoted);
        QCOMPARE(csvexport::csvfield(value).startsWith(u'"'), quoted);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(csvexport::writecsv(buffer, {{value, value, value, value, value, value}}, true));
        QVERIFY(buffer.data().startsWith("\xEF\xBB\xBF"));
        const QList<QStringList> records = readstrict(QString::fromUtf8(buffer.data().sliced(3)));
        QCOMPARE(records, (QList<QStringList>{csvexport::header(), QStringList(6, written)}));
    }
};

QTEST_GUILESS_MAIN(TestCsvExport)
#include "tst_csvexport.moc"
